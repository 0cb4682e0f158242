#pragma once
#include "common/widgets/Screen.h"
#include "personnel/EmployeeService.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace wel {

class BEDateEdit;
class EmployeeSearchPanel;

// Adds employees, corrects their records and deletes those without claims.
class TfrmAdd_Edit_Emp_His : public Screen {
    Q_OBJECT
public:
    explicit TfrmAdd_Edit_Emp_His(const ScreenContext& context, QWidget* parent = nullptr);

    enum Action { None = 0, Add = 1, Edit = 2, Delete = 3 };
    Action action() const { return m_action; }

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildEmployeePanel();
    void FormCreate();
    void btnAdd_dataClick();
    void startSearch(Action action, const QString& okCaption);
    void btnOk2Click();
    void btnSave3Click();
    void showRecord(const EmployeeRecord& r);
    EmployeeRecord recordFromFields() const;
    void showFaculty(const QString& code);
    void setRightType(const QString& code);
    QString rightType() const;

    Action m_action = None;
    EmployeeSearchPanel* Panel2 = nullptr;
    QPushButton* btnOk2 = nullptr;
    QWidget* Panel3 = nullptr;
    QLineEdit* edtEMP_ID3 = nullptr;
    QLineEdit* edtEmp_SSN3 = nullptr;
    QLineEdit* edtEmp_Surname3 = nullptr;
    QLineEdit* edtEmp_F_Name3 = nullptr;
    QLineEdit* edtEmp_L_Name3 = nullptr;
    QLineEdit* edtEmp_Position3 = nullptr;
    QLineEdit* edtEmp_Level3 = nullptr;
    QComboBox* cmbFact_Code3 = nullptr;
    QLineEdit* edtEmp_Dept_Name3 = nullptr;
    BEDateEdit* edtEmp_In_date3 = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    QRadioButton* m_types[3] = {};
    QGroupBox* grpBank = nullptr;
    QLineEdit* edtBank_Account_No = nullptr;
    QGroupBox* grpBeg_Year_Bud = nullptr;
    QLineEdit* edtBeg_Year_Bud = nullptr;
    QLineEdit* edtKv_ID3 = nullptr;
    QLineEdit* edtEmp_H_Type = nullptr;
};

} // namespace wel
