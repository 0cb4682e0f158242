#pragma once
#include "EmployeeImport.h"
#include "common/widgets/Screen.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;

namespace wel {

class ResultGrid;

class WorkbookFilePanel;

// Imports new employees and their families from the personnel office's
// workbook, copies bank accounts from PerHistry, and makes the yearly-limit
// rows of a budget year.
class TfrmImp_Emp_Histry_Excel : public Screen {
    Q_OBJECT
public:
    explicit TfrmImp_Emp_Histry_Excel(const ScreenContext& context, QWidget* parent = nullptr);

    // "Open": reads the workbook into the grid and lists the rows that will
    // be refused. Throws AppError.
    void openWorkbook(const QString& path);

    // The screen as it opens, with its file panel, and with a sample workbook
    // loaded (nothing is written).
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildStatusGroup();
    QWidget* buildYearGroup();
    void btnUpd_DataClick();
    void btnUpd_DateClick();
    void btnUpdate_AccountClick();
    void btnGen_Health_Current_yearClick();

    EmployeeImport::Workbook m_book;
    QLineEdit* edtFact_code = nullptr;
    QLabel* L_File = nullptr;
    WorkbookFilePanel* Panel2 = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    QListWidget* lstRefused = nullptr;
    QLabel* L_Result = nullptr;
    QLineEdit* edtKV_ID_G = nullptr;
    QLineEdit* edtEmp_Name_G = nullptr;
    QLineEdit* edtEmp_Folk_G = nullptr;
    QLineEdit* edtEmp_Folk_Name_G = nullptr;
    QLabel* L_Order = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLineEdit* edtGen_Year_Health = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
};

} // namespace wel
