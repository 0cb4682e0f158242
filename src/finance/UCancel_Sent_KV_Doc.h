#pragma once
#include "VoucherService.h"
#include "common/widgets/Screen.h"

class QLineEdit;

namespace wel {

class ChoiceBox;
class ResultGrid;

// Cancels an open control number: its claims go back to the faculty and the
// finance-side usage its hand-over added is given back.
class TfrmCancel_Sent_KV_Doc : public Screen {
    Q_OBJECT
public:
    explicit TfrmCancel_Sent_KV_Doc(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    // The year (yyyy) of the newest open control number, "" when none is open.
    QString yearToList() const;
    void btnShowClick();
    void btnDetailClick();
    void btnCancel_DocClick();
    void backToList();

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    ChoiceBox* grpSelect = nullptr;
    ChoiceBox* grpUnit = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    ResultGrid* StringGrid2 = nullptr;
    QLineEdit* edtSent_KV_Doc_ID = nullptr;
    QLineEdit* edtSent_Date = nullptr;
    QLineEdit* edtType_Name = nullptr;
    QLineEdit* edtType_Code = nullptr;
    QLineEdit* edtSum = nullptr;
};

} // namespace wel
