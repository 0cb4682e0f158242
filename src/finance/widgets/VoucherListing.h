#pragma once
#include "common/widgets/Screen.h"

class QLineEdit;

namespace wel {

class ChoiceBox;
class FactCodeEdit;
class ResultGrid;

// The voucher summaries in force of a faculty made on a day, in a month or
// in a year, and the control numbers of the one chosen; the reprint and the
// cancellation of vouchers differ only in what their panel's button does.
class VoucherListing : public Screen {
    Q_OBJECT
public:
    struct Kind {
        QString objectName;
        QString windowTitle;
        QString title;          // a larger title over both panels, or none
        bool facultyEditable;   // else the clerk's own faculty only
        QString actionName;     // the panel's button
        QString actionCaption;
    };

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

protected:
    VoucherListing(const ScreenContext& context, const Kind& kind, QWidget* parent);
    // What the panel's button does with the voucher summary shown.
    virtual void act(const QString& pvrNo) = 0;
    // Back to the list, listed again.
    void backToList();

private:
    // A faculty with voucher summaries in force made this year, "" when none
    // the screen may list has any.
    QString facultyToList() const;
    void btnShow_dataClick();
    void btnDetailClick();

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    ChoiceBox* grpSelect = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    ResultGrid* StringGrid2 = nullptr;
    QLineEdit* edtSent_KV_Doc_ID = nullptr;
    QLineEdit* edtSent_Date = nullptr;
    QLineEdit* edtSum_Select = nullptr;
    bool m_anyFaculty = false;
};

} // namespace wel
