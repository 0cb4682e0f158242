#pragma once
#include "common/widgets/Screen.h"

class QLineEdit;

namespace wel {

class BEDateEdit;
class EmployeeSearchPanel;
class FactCodeEdit;

// Records that an employee has left the university.
class TfrmEmp_Exit : public Screen {
    Q_OBJECT
public:
    explicit TfrmEmp_Exit(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildLeavingPanel();
    void btnOk2Click();
    void btnSaveClick();
    void backToSearch();

    EmployeeSearchPanel* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLineEdit* edtEmp_Name = nullptr;
    QLineEdit* edtEMP_ID3 = nullptr;
    QLineEdit* edtEmp_H_Type = nullptr;
    QLineEdit* edtKV_ID3 = nullptr;
    QLineEdit* edtT_U_H = nullptr;
    FactCodeEdit* edtFact_Code = nullptr;
    QLineEdit* edtFact_Name = nullptr;
    BEDateEdit* edtEmp_Out_date = nullptr;
    QLineEdit* edtExit_Reason = nullptr;
    QLineEdit* edtExit_doc = nullptr;
};

} // namespace wel
