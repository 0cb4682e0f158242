#pragma once
#include "common/widgets/Screen.h"
#include "personnel/FamilyService.h"

class QCheckBox;
class QLineEdit;

namespace wel {

class BEDateEdit;
class EmployeeSearchPanel;

// Records an employee's family members and their basic medical rights.
class TfrmEmp_Histry : public Screen {
    Q_OBJECT
public:
    explicit TfrmEmp_Histry(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    struct Slot {
        QCheckBox* check = nullptr;
        QLineEdit* surname = nullptr;
        QLineEdit* firstName = nullptr;
        QLineEdit* lastName = nullptr;
        BEDateEdit* birthday = nullptr; // children only
        QLineEdit* rights[3] = {};
    };

    QWidget* buildFamilyPanel();
    void btnPost_FolkClick();
    void btnSave2Click();
    void enableSlot(int slot, bool on);
    void backToSearch();

    EmployeeSearchPanel* Panel1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLineEdit* edtEmp_F_Name3 = nullptr;
    QLineEdit* edtEMP_ID3 = nullptr;
    QLineEdit* edtEmp_SSN3 = nullptr;
    QLineEdit* edtEmp_H_Type3 = nullptr;
    QLineEdit* edtM_Pay3 = nullptr;
    QLineEdit* edtKV_ID3 = nullptr;
    QLineEdit* edtEmp_Position3 = nullptr;
    Slot m_slots[FamilyService::kLastSlot + 1];
    QMap<int, FamilyMember> m_shown; // the family as loaded
};

} // namespace wel
