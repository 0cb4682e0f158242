#pragma once
#include "UserService.h"
#include "common/widgets/Screen.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wel {

class ResultGrid;

class EmployeeSearchPanel;

// "ผู้ใช้งานระบบ": adds users (from an employee found in the search panel, or
// from scratch) and edits existing ones.
class TfrmNew_User : public Screen {
    Q_OBJECT
public:
    explicit TfrmNew_User(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    void btnAddClick();
    void btnEditClick();
    void btnSelectClick();      // "3. แก้ไขข้อมูล" under the employee search
    void btnEdit_UserClick();   // "3. แก้ไขข้อมูล" under the user list
    void btnSaveClick();
    void showUser(const UserService::UserRecord& user);
    void fillUsers();

    EmployeeSearchPanel* pnlSearch = nullptr;
    QGroupBox* pnlUsers = nullptr;
    QGroupBox* pnlUser = nullptr;
    ResultGrid* StringGrid2 = nullptr;
    QLabel* L_User_ID = nullptr;
    QLineEdit* edtU_Surname = nullptr;
    QLineEdit* edtU_F_Name = nullptr;
    QLineEdit* edtU_L_Name = nullptr;
    QLineEdit* edtU_Position = nullptr;
    QLineEdit* edtUser_Type = nullptr;
    QLineEdit* edtU_Tel_No = nullptr;
    QLineEdit* edtUsername = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLineEdit* edtPassword2 = nullptr;
    QComboBox* cmbFact = nullptr;
    QComboBox* cmbSection = nullptr;
    int m_userId = 0;
};

} // namespace wel
