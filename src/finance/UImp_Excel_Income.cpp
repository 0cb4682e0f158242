#include "UImp_Excel_Income.h"
#include "IncomeWorkbook.h"
#include "common/widgets/Grids.h"
#include "common/widgets/Named.h"
#include "widgets/FinanceWidgets.h"

#include <QDir>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QTreeView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace wel {

using namespace finance;

namespace {
const QString kFilePanel = QStringLiteral("file");
} // namespace

TfrmImp_Excel_Income::TfrmImp_Excel_Income(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmImp_Excel_Income"));
    setWindowTitle(QStringLiteral("ข้อมูลด้านรับ(Import Excel)"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(QStringLiteral("ข้อมูลด้านรับ(Import Excel)"), this));

    auto* select = namedButton(QStringLiteral("btnSelect"), QStringLiteral("เลือก"), this);
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    lblFile_Name = new QLabel(this);
    lblFile_Name->setObjectName(QStringLiteral("lblFile_Name"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("เลือกแฟ้มที่ต้องการ"), this));
    top->addWidget(select);
    top->addSpacing(16);
    top->addWidget(lblFile_Name, 1);
    top->addWidget(exit);
    root->addLayout(top);

    Panel2 = buildFilePanel();
    root->addWidget(Panel2);
    Panel2->hide();

    StringGrid1 = listGrid(QStringLiteral("StringGrid1"),
                           {QStringLiteral("No. "), QStringLiteral("ลำดับที่"), QStringLiteral("หน่วยงาน"),
                            QStringLiteral("จำนวนพนักงาน"), QStringLiteral("เงินเดือน"), QStringLiteral("เงินประจำตำแหน่ง"),
                            QStringLiteral("เงิ น กบข สมทบ 3% "), QStringLiteral("ยอดรวม"),
                            QStringLiteral("หักกองทุนสวัสดิการพนักงาน 10%"), QStringLiteral("หัก เงินกบข สะสม"),
                            QStringLiteral("จำนวนเงินขอรับ")},
                           {30, 70, 170, 80, 80, 110, 80, 110, 130, 100, 100}, 10, this);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    root->addWidget(StringGrid1, 1);

    // Where income rows would be kept or sent is not settled yet: shown, not in use.
    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกลงฐานข้อมูล"), this);
    auto* exportExcel = namedButton(QStringLiteral("btnExport"), QStringLiteral("Export Excel"), this);
    save->setEnabled(false);
    exportExcel->setEnabled(false);
    root->addLayout(buttonRow({save, exportExcel}));
    setPanels({Panel2});
    setOpensMaximised();

    connect(select, &QPushButton::clicked, this, &TfrmImp_Excel_Income::btnSelectClick);
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
}

QWidget* TfrmImp_Excel_Income::buildFilePanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    auto* frame = new QGroupBox(QStringLiteral("Open"), panel);
    layout->addWidget(frame);
    auto* grid = new QGridLayout(frame);

    m_folders = new QFileSystemModel(this);
    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_folders->setRootPath(QDir::rootPath());
    DirectoryListBox1 = new QTreeView(frame);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    DirectoryListBox1->setHeaderHidden(true);

    m_files = new QFileSystemModel(this);
    m_files->setFilter(QDir::Files);
    m_files->setNameFilterDisables(false);
    FileListBox1 = new QListView(frame);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setModel(m_files);

    FilterComboBox1 = new QComboBox(frame);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->addItem(QStringLiteral("Microsoft Excel Worksheet (*.xls, *.xlsx, *.ods)"),
                             QStringList{QStringLiteral("*.xls"), QStringLiteral("*.xlsx"), QStringLiteral("*.ods")});
    FilterComboBox1->addItem(QStringLiteral("All files (*.*)"), QStringList{QStringLiteral("*")});
    edtFile_Name = namedEdit(QStringLiteral("edtFile_Name"), 0, frame);
    auto* open = namedButton(QStringLiteral("btnOpen"), QStringLiteral("Open"), frame);
    auto* cancel = namedButton(QStringLiteral("btnCancel_Open"), QStringLiteral("Cancel"), frame);

    grid->addWidget(new QLabel(QStringLiteral("ชื่อแฟ้ม"), frame), 0, 0);
    grid->addWidget(edtFile_Name, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("โฟลเดอร์"), frame), 1, 0);
    grid->addWidget(DirectoryListBox1, 2, 0, 1, 2);
    grid->addWidget(FileListBox1, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("ประเภทแฟ้ม"), frame), 3, 0);
    grid->addWidget(FilterComboBox1, 3, 1, 1, 2);
    grid->addLayout(buttonRow({open, cancel}), 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    DirectoryListBox1->setMinimumHeight(220);

    connect(DirectoryListBox1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { showFolder(m_folders->filePath(index)); });
    connect(FileListBox1, &QListView::clicked, this,
            [this](const QModelIndex& index) { edtFile_Name->setText(m_files->filePath(index)); });
    connect(FileListBox1, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        edtFile_Name->setText(m_files->filePath(index));
        guard([this] { btnOpenClick(); });
    });
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { m_files->setNameFilters(FilterComboBox1->currentData().toStringList()); });
    connect(open, &QPushButton::clicked, this, [this] { guard([this] { btnOpenClick(); }); });
    connect(cancel, &QPushButton::clicked, panel, &QWidget::hide);
    m_files->setNameFilters(FilterComboBox1->currentData().toStringList());
    return panel;
}

void TfrmImp_Excel_Income::showFolder(const QString& folder)
{
    FileListBox1->setRootIndex(m_files->setRootPath(folder));
}

QStringList TfrmImp_Excel_Income::panelStates() const { return {kOpened, kFilePanel}; }

void TfrmImp_Excel_Income::showPanelState(const QString& name)
{
    if (name == kFilePanel)
        btnSelectClick();
}

void TfrmImp_Excel_Income::btnSelectClick()
{
    if (FileListBox1->rootIndex() == QModelIndex()) {
        const QString home = QDir::homePath();
        const QModelIndex at = m_folders->index(home);
        for (QModelIndex up = at.parent(); up.isValid(); up = up.parent())
            DirectoryListBox1->expand(up);
        DirectoryListBox1->setCurrentIndex(at);
        DirectoryListBox1->scrollTo(at);
        showFolder(home);
    }
    Panel2->show();
}

void TfrmImp_Excel_Income::btnOpenClick()
{
    const QString path = edtFile_Name->text().trimmed();
    if (path.isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกแฟ้มที่ต้องการ"));
    importFile(path);
}

void TfrmImp_Excel_Income::importFile(const QString& path)
{
    Panel2->hide();
    // A new file replaces what the grid showed, also when it cannot be read.
    StringGrid1->setRowCount(0);
    lblFile_Name->setText(QFileInfo(path).fileName());
    const QList<QStringList> rows = readIncomeRows(path);
    QVector<QStringList> cells;
    for (int i = 0; i < rows.size(); ++i)
        cells.push_back(QStringList{QString::number(i + 1)} + rows[i]);
    fillListGrid(StringGrid1, cells);
}

} // namespace wel
