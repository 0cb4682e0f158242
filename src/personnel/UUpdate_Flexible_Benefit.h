#pragma once
#include "ImportCommon.h"
#include "common/widgets/Screen.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace wel {

class ResultGrid;

class WorkbookFilePanel;

// Records the flexible benefit of the applicants listed in a workbook, after
// a test of every applicant against the database.
class TfrmUpdate_Flexible_Benefit : public Screen {
    Q_OBJECT
public:
    explicit TfrmUpdate_Flexible_Benefit(const ScreenContext& context, QWidget* parent = nullptr);

    // Reads the applicants' workbook into StringGrid1. Throws AppError.
    void openWorkbook(const QString& path);
    // "Export Excel": writes StringGrid1 (or StringGrid2) to a new workbook,
    // opens it, and returns its path.
    QString exportGrid(bool results);

    // The screen as it opens, with its file panel, and with a sample workbook
    // loaded (nothing is written).
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildTestPanel();
    void btnTestClick();
    void btnTest_UpdateClick();
    void btnSaveClick();
    void mustTestAgain();

    imports::SheetRows m_rows;
    QLineEdit* edtYear_Flexben = nullptr;
    WorkbookFilePanel* Panel2 = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    ResultGrid* StringGrid2 = nullptr;
    QWidget* Panel3 = nullptr;
    QPushButton* btnSave = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QProgressBar* ProgressBar2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* L_File = nullptr;
};

} // namespace wel
