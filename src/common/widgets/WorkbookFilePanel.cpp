#include "WorkbookFilePanel.h"
#include "Named.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTreeView>

namespace wel {

namespace {

QSettings settings()
{
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         + QStringLiteral("/welmora/welmora.ini"),
                     QSettings::IniFormat);
}

const QString kFolderKey = QStringLiteral("workbooks/folder");

struct FileType {
    const char* caption;
    QStringList patterns;
};
const FileType kTypes[] = {
    {"All files (*.*)", {}},
    {"Microsoft Excel Worksheet (*.xls, *.xlsx)", {QStringLiteral("*.xls"), QStringLiteral("*.xlsx")}},
    {"OpenDocument Spreadsheet (*.ods)", {QStringLiteral("*.ods")}},
};

} // namespace

WorkbookFilePanel::WorkbookFilePanel(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    auto* grid = new QGridLayout(this);

    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QFileInfo& drive : QDir::drives())
        m_drive->addItem(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());
    m_drive->addItem(QDir::toNativeSeparators(QDir::homePath()), QDir::homePath());

    m_folderModel = new QFileSystemModel(this);
    m_folderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_folderModel->setRootPath(QString());
    m_folders = new QTreeView(this);
    m_folders->setObjectName(QStringLiteral("DirectoryListBox1"));
    m_folders->setModel(m_folderModel);
    for (int c = 1; c < m_folderModel->columnCount(); ++c)
        m_folders->hideColumn(c);
    m_folders->header()->hide();

    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files);
    m_fileModel->setNameFilterDisables(false);
    m_files = new QListView(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setModel(m_fileModel);

    // Room for a few folders and files whatever the screen's layout gives.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_folders), static_cast<QAbstractItemView*>(m_files)})
        view->setMinimumHeight(view->fontMetrics().height() * 9);

    m_filter = new QComboBox(this);
    m_filter->setObjectName(QStringLiteral("FilterComboBox1"));
    for (const FileType& t : kTypes)
        m_filter->addItem(QString::fromLatin1(t.caption));
    m_fileName = namedEdit(QStringLiteral("edtFile_Name"), 0, this);
    auto* openButton = namedButton(QStringLiteral("btnOpen"), QStringLiteral("Open"), this);
    auto* cancel = namedButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), this);

    grid->addWidget(new QLabel(QStringLiteral("เลือกไดร์ฟ"), this), 0, 0);
    grid->addWidget(m_drive, 1, 0);
    grid->addWidget(m_folders, 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("ชื่อแฟ้ม"), this), 0, 1);
    grid->addWidget(m_fileName, 1, 1);
    grid->addWidget(m_files, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("ประเภทแฟ้ม"), this), 3, 0);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_filter, 1);
    bottom->addWidget(openButton);
    bottom->addWidget(cancel);
    grid->addLayout(bottom, 4, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    // The model reads folders in the background: the chosen one is shown
    // once its parents have been read.
    connect(m_folderModel, &QFileSystemModel::directoryLoaded, this, &WorkbookFilePanel::revealFolder);
    connect(m_drive, &QComboBox::activated, this, [this](int i) { setFolder(m_drive->itemData(i).toString()); });
    connect(m_folders, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { setFolder(m_folderModel->filePath(index)); });
    connect(m_files, &QListView::clicked, this,
            [this](const QModelIndex& index) { m_fileName->setText(m_fileModel->fileName(index)); });
    connect(m_files, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        m_fileName->setText(m_fileModel->fileName(index));
        openClicked();
    });
    connect(m_filter, &QComboBox::currentIndexChanged, this, &WorkbookFilePanel::applyFilter);
    connect(m_fileName, &QLineEdit::returnPressed, this, &WorkbookFilePanel::openClicked);
    connect(openButton, &QPushButton::clicked, this, &WorkbookFilePanel::openClicked);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    applyFilter();
}

QString WorkbookFilePanel::rememberedFolder()
{
    const QString folder = settings().value(kFolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void WorkbookFilePanel::open()
{
    setFolder(rememberedFolder());
    m_fileName->clear();
    show();
    m_fileName->setFocus();
}

void WorkbookFilePanel::setFolder(const QString& folder)
{
    m_folder = QDir(folder).absolutePath();
    m_files->setRootIndex(m_fileModel->setRootPath(m_folder));
    revealFolder();
}

void WorkbookFilePanel::revealFolder()
{
    const QModelIndex at = m_folderModel->index(m_folder);
    if (!at.isValid())
        return;
    for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
        m_folders->expand(up);
    m_folders->setCurrentIndex(at);
    m_folders->scrollTo(at, QAbstractItemView::PositionAtCenter);
}

void WorkbookFilePanel::applyFilter()
{
    const int i = qMax(0, m_filter->currentIndex());
    m_fileModel->setNameFilters(kTypes[i].patterns);
}

void WorkbookFilePanel::openClicked()
{
    const QString name = m_fileName->text().trimmed();
    if (name.isEmpty())
        return;
    const QString path = QDir(m_folder).absoluteFilePath(name);
    settings().setValue(kFolderKey, QFileInfo(path).absolutePath());
    hide();
    emit chosen(path);
}

} // namespace wel
