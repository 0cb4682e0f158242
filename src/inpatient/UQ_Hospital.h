#pragma once
#include "common/widgets/Screen.h"
#include "inpatient/LimitEnquiry.h"

class QLineEdit;

namespace wel {
class EmployeeSearchPanel;
}

namespace wel::hospital {

// สอบถามยอดวงเงินคงเหลือ: an employee of any faculty, his remaining medical
// and co-pay limits of a budget year, and their printed statement.
class TfrmQ_Hospital : public Screen {
    Q_OBJECT
public:
    explicit TfrmQ_Hospital(const ScreenContext& context, QWidget* parent = nullptr);

    // The employees listed; the first one's remaining limits shown.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

    // The figures shown last (what "พิมพ์" prints).
    const RemainingLimits& shown() const { return m_shown; }

private:
    QWidget* buildSearchPanel();
    QWidget* buildResultPanel();
    void btnShowClick();
    void btnPrintClick();

    QWidget* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLineEdit* edtPay_Year = nullptr;
    EmployeeSearchPanel* m_search = nullptr;
    QLineEdit* edtEmp_Name = nullptr;
    QLineEdit* edtEMP_ID3 = nullptr;
    QLineEdit* edtFact_Code = nullptr;
    QLineEdit* edtFact_Name = nullptr;
    QLineEdit* edtEmp_H_Type = nullptr;
    QLineEdit* edtT_U_H = nullptr;
    QLineEdit* edtKV_ID3 = nullptr;
    QLineEdit* edtM1 = nullptr;
    QLineEdit* edtMFlexben = nullptr;
    QLineEdit* edtM2 = nullptr;
    QLineEdit* edtM3 = nullptr;
    QLineEdit* edtCo_Pay1 = nullptr;
    QLineEdit* edtCo_Pay2 = nullptr;
    QLineEdit* edtCo_Pay3 = nullptr;
    RemainingLimits m_shown;
};

} // namespace wel::hospital
