#pragma once
#include "common/widgets/Screen.h"

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QTableWidget;
class QTreeView;

namespace wel {

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
    QWidget* buildFilePanel();
    void btnSelectClick();
    void showFolder(const QString& folder);
    void btnOpenClick();

    QWidget* Panel2 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QListView* FileListBox1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QLineEdit* edtFile_Name = nullptr;
    QFileSystemModel* m_folders = nullptr;
    QFileSystemModel* m_files = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QLabel* lblFile_Name = nullptr;
};

} // namespace wel
