#pragma once
#include "common/widgets/Screen.h"

class QLabel;

namespace wel {

class ResultGrid;
class WorkbookFilePanel;

// Shows the rows of a unit's income workbook (the welfare-fund deductions
// from salaries) without writing anything.
class TfrmImp_Excel_Income : public Screen {
    Q_OBJECT
public:
    explicit TfrmImp_Excel_Income(const ScreenContext& context, QWidget* parent = nullptr);

    QStringList panelStates() const override;
    void showPanelState(const QString& name) override;

    // Reads the workbook into the grid, as choosing it in the file panel does.
    void importFile(const QString& path);

private:
    WorkbookFilePanel* Panel2 = nullptr;
    ResultGrid* StringGrid1 = nullptr;
    QLabel* lblFile_Name = nullptr;
};

} // namespace wel
