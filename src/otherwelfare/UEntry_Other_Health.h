#pragma once
#include "claims/widgets/EntryParts.h"
#include "common/EmployeeSearch.h"
#include "common/widgets/Screen.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace wel {
class BEDateEdit;
class EmployeeSearchPanel;
} // namespace wel

namespace wel::claims {

// Records one other-welfare payment (a welfare kind of group "O") for an
// employee or one of his family, with the welfare fund's approval data.
class TfrmEntry_Other_Health : public Screen {
    Q_OBJECT
public:
    explicit TfrmEntry_Other_Health(const ScreenContext& context, QWidget* parent = nullptr);

    // The claim number of the last save ("" before the first).
    const QString& lastClaimNo() const { return m_lastClaimNo; }

    // The employees listed; the payment of the first of them filled in.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildSearchPanel();
    QWidget* buildEntryPanel();
    void btnPost_HealClick();
    void btnSaveClick();

    QWidget* Panel1 = nullptr;
    EmployeeSearchPanel* m_search = nullptr;
    BEDateEdit* cmbDate_Berg1 = nullptr;
    QComboBox* cmbHealth_In_Out_t = nullptr;

    QWidget* Panel2 = nullptr;
    QLabel* L_Title = nullptr;
    EmployeeFields m_employeeFields;
    QLineEdit* edtM_Pay3 = nullptr;
    QLineEdit* edtDate_Berg = nullptr;
    QLineEdit* edtBud_Year_Berg = nullptr;
    QLineEdit* edtHealth_In_Out_t = nullptr;
    QLineEdit* edtHealth_Desc = nullptr;
    QLineEdit* edtM_Berg = nullptr;
    QLineEdit* edtDoc_No = nullptr;
    BEDateEdit* edtDoc_Date = nullptr;
    QLineEdit* edtMati_No = nullptr;
    BEDateEdit* edtMati_date = nullptr;
    QLineEdit* edtDoc_Detail = nullptr;
    QComboBox* cmbEmp_Folk = nullptr;

    EmployeeSummary m_employee;
    QString m_faculty; // the faculty the employee was found under
    QString m_lastClaimNo;
};

} // namespace wel::claims
