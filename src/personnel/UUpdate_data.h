#pragma once
#include "ImportCommon.h"
#include "common/widgets/Screen.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;

namespace wel {

class ResultGrid;

class WorkbookFilePanel;

// Bulk corrections: the names of the employees' own family rows, leavings
// listed in a workbook, and right types listed in a workbook.
class TfrmUpdate_data : public Screen {
    Q_OBJECT
public:
    explicit TfrmUpdate_data(const ScreenContext& context, QWidget* parent = nullptr);

    // Reads a workbook into the tool's grid. Throws AppError.
    void openLeaving(const QString& path);
    void openRightTypes(const QString& path);

    // The screen as it opens, with its file panel, and with a sample workbook
    // loaded (nothing is written).
    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

private:
    QWidget* buildLeavingGroup();
    QWidget* buildRightTypeGroup();
    void alignNamesClick();
    void btnUpdate_LeaveClick();
    void btnUpdate_TypeClick();
    void showRefused(const QVector<imports::Refusal>& refused, ResultGrid* grid, const imports::SheetRows& rows);

    imports::SheetRows m_leaving, m_rightTypes;
    QListWidget* ListBox1 = nullptr;
    WorkbookFilePanel* Panel2 = nullptr;
    WorkbookFilePanel* Panel3 = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    ResultGrid* StringGrid2 = nullptr;
    QLineEdit* edtLeave_Year = nullptr;
    QLineEdit* edtUpdate_year4 = nullptr;
    QListWidget* lstRefused = nullptr;
    QLabel* L_Result = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace wel
