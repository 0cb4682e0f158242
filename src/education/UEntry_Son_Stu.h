#pragma once
#include "EducationService.h"
#include "claims/widgets/EntryParts.h"
#include "common/EmployeeSearch.h"
#include "common/widgets/Screen.h"

#include <QVector>

class QComboBox;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace wel {
class BEDateEdit;
class EmployeeSearchPanel;
} // namespace wel

namespace wel::claims {

// 3.1 Records a claim of the children's education allowance: tuition per
// child and term, for an employee whose right type allows it.
class TfrmEntry_Son_Stu : public Screen {
    Q_OBJECT
public:
    explicit TfrmEntry_Son_Stu(const ScreenContext& context, QWidget* parent = nullptr);

    const QString& lastClaimNo() const { return m_lastClaimNo; }

    // The employees listed; an employee entitled to the allowance chosen
    // with two lines of tuition added.
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildSearchPanel();
    QWidget* buildEntryPanel();
    QWidget* buildLineGroup(QWidget* parent);
    void btnPost_HealClick();
    void btnShow_NameClick();
    void btnAddClick();
    void btnSaveClick();
    void showLines();
    int childIndex() const;
    void clearLineInputs();

    QWidget* Panel1 = nullptr;
    EmployeeSearchPanel* m_search = nullptr;
    BEDateEdit* cmbDate_Berg1 = nullptr;
    QComboBox* cmbSel_Year_BudDate = nullptr;

    QWidget* Panel2 = nullptr;
    EmployeeFields m_employeeFields;
    QLineEdit* edtM_Pay3 = nullptr;
    QLineEdit* edtDate_Berg = nullptr;
    QLineEdit* edtBud_Year_Berg = nullptr;
    QVector<QRadioButton*> m_children; // RadioGroup1
    QLineEdit* edtEdu_Term = nullptr;
    QLineEdit* edtEdu_Year = nullptr;
    QLineEdit* edtEdu_Level = nullptr;
    QLineEdit* edtSchool_Name = nullptr;
    QLineEdit* edtM_Berg = nullptr;
    QLineEdit* edtFolk_F_Name = nullptr;
    QLineEdit* edtFolk_Birthday = nullptr;
    QLineEdit* edtYear_old = nullptr;
    QTableWidget* StringGrid_Edu = nullptr;
    QLineEdit* edtSum_M_Berg = nullptr;
    PersonAmountsGroup* m_childAmounts = nullptr;

    EmployeeSummary m_employee;
    QVector<Education::Line> m_lines;
    QString m_lastClaimNo;
};

} // namespace wel::claims
