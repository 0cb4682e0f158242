#pragma once
#include <QWidget>

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QTreeView;

namespace wel {

// The file panel of the import screens: drive, folder tree, file list, file
// type and file name, "Open" and "Cancel". It starts in the folder a
// workbook was last opened from (kept in the user's settings) and hides
// itself when either button is pressed.
class WorkbookFilePanel : public QWidget {
    Q_OBJECT
public:
    explicit WorkbookFilePanel(const QString& name, QWidget* parent = nullptr);

    // Shows the panel in the remembered folder.
    void open();
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder);

    static QString rememberedFolder();

signals:
    // "Open" with a file name: the full path of the chosen file.
    void chosen(const QString& path);

private:
    void openClicked();
    void applyFilter();
    void revealFolder();

    QString m_folder;
    QComboBox* m_drive = nullptr;
    QTreeView* m_folders = nullptr;
    QListView* m_files = nullptr;
    QComboBox* m_filter = nullptr;
    QLineEdit* m_fileName = nullptr;
    QFileSystemModel* m_folderModel = nullptr;
    QFileSystemModel* m_fileModel = nullptr;
};

} // namespace wel
