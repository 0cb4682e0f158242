#pragma once
#include "VoucherService.h"
#include "common/widgets/Screen.h"

class QLineEdit;

namespace wel {

class ChoiceBox;
class FactCodeEdit;
class MarkingGrid;
class ResultGrid;

// Gathers open control numbers of one faculty into a voucher summary and
// prints its payment voucher. A faculty (mode "FC") works on its own control
// numbers, the finance division (mode "KV") on any faculty's.
class TfrmSum_PV : public Screen {
    Q_OBJECT
public:
    explicit TfrmSum_PV(const ScreenContext& context, QWidget* parent = nullptr);

    // The states a clerk reaches: as opened, and the listing of the faculty's
    // open control numbers with some of them marked.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    void btnShowClick();
    void btnSent_KVClick();
    void closeListing();
    // The faculty whose open control numbers the listing shows, "" when none has any.
    QString facultyToList() const;

    ChoiceBox* grpSelect = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    QWidget* Panel2 = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    MarkingGrid* m_marks = nullptr;
    QLineEdit* edtSum_Shows = nullptr;
    QLineEdit* edtSum_Select = nullptr;
    QLineEdit* edtPay_For_Per = nullptr;

    QString m_factCode; // the faculty of the listing shown
    QVector<finance::ControlRow> m_rows;
};

} // namespace wel
