#pragma once
#include "EntryParts.h"
#include "claims/ClaimEntryService.h"
#include "common/EmployeeSearch.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/Screen.h"

#include <QVector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace wel {
class BEDateEdit;
class EmployeeSearchPanel;
} // namespace wel

namespace wel::claims {

// The employee search of a kind's entry screen: its titles, faculty and grid.
EmployeeSearchOptions employeeSearchOptions(const ClaimKind& kind);

// The claim-entry component: find an employee, choose the charged year and
// the patient type, list receipts per patient, save the claim against the
// yearly limit and print its form. Every medical entry screen is this
// component with its ClaimKind.
class ClaimEntryScreen : public Screen {
    Q_OBJECT
public:
    ClaimEntryScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent = nullptr);

    const ClaimKind& kind() const { return m_kind; }
    // The claim number of the last save ("" before the first).
    const QString& lastClaimNo() const { return m_lastClaimNo; }

    // The employees listed; an employee chosen with two receipts typed; the
    // remaining limit shown; the claim-number panel of the faculty's latest
    // claim (nothing is saved to show it).
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildSearchPanel();
    QWidget* buildEntryPanel();
    QWidget* buildEmployeeGroup(QWidget* parent);
    QWidget* buildReceiptGroup(QWidget* parent);
    QGroupBox* buildLimitPanel(QWidget* parent);
    QGroupBox* buildNumberPanel(QWidget* parent);

    void btnPost_HealClick();
    void btnShow_VongClick();
    void btnAddClick();
    void btnDelClick();
    void btnSaveClick();
    void btnPrintClick();
    void leaveEntry();
    void showReceipts();

    const ClaimKind& m_kind;

    // Search panel
    QWidget* Panel1 = nullptr;
    EmployeeSearchPanel* m_search = nullptr;
    BEDateEdit* DT_Sel_Date = nullptr;
    QComboBox* cmbSel_Year_BudDate = nullptr;
    QRadioButton* m_outpatient = nullptr;
    QRadioButton* m_inpatient = nullptr;

    // Entry panel
    QWidget* Panel2 = nullptr;
    EmployeeFields m_employeeFields;
    QLineEdit* edtM_Pay3 = nullptr;
    QLineEdit* edtM_Flexben = nullptr;
    QLineEdit* edtDate_berg = nullptr;
    QLineEdit* edtPay_Year = nullptr;
    QRadioButton* m_copyOut = nullptr;
    QRadioButton* m_copyIn = nullptr;
    QVector<QRadioButton*> m_patients; // RadioGroup1
    BEDateEdit* cmbDate_folk00 = nullptr;
    QLineEdit* edtTotal_M_Folk00 = nullptr;
    QLineEdit* edtHospital_folk00 = nullptr;
    QTableWidget* StringGrid_Folk0 = nullptr;
    QLineEdit* edtSum_F00 = nullptr;
    PersonAmountsGroup* m_patientAmounts = nullptr;

    // Remaining-limit and claim-number panels
    QGroupBox* Panel3 = nullptr;
    QVector<QLineEdit*> m_limitLines;
    QGroupBox* Panel4 = nullptr;
    QLabel* L_Berg_Doc_ID = nullptr;

    // What the entry panel was opened for.
    EmployeeSummary m_employee;
    QString m_faculty;
    QString m_payYear;
    QString m_claimDate;
    QString m_inOut;
    QVector<ClaimReceipt> m_receipts;
    QStringList m_displayNames; // the receipts grid's "ผู้ป่วย": label(name)
    QString m_lastClaimNo;
};

} // namespace wel::claims
