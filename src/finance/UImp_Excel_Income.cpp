#include "UImp_Excel_Income.h"
#include "IncomeWorkbook.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/WorkbookFilePanel.h"
#include "widgets/FinanceWidgets.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
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

    Panel2 = new WorkbookFilePanel(QStringLiteral("Panel2"), this);
    Panel2->hide();
    root->addWidget(Panel2, 2);

    StringGrid1 = listGrid(QStringLiteral("StringGrid1"),
                           {QStringLiteral("No. "), QStringLiteral("ลำดับที่"), QStringLiteral("หน่วยงาน"),
                            QStringLiteral("จำนวนพนักงาน"), QStringLiteral("เงินเดือน"), QStringLiteral("เงินประจำตำแหน่ง"),
                            QStringLiteral("เงิ น กบข สมทบ 3% "), QStringLiteral("ยอดรวม"),
                            QStringLiteral("หักกองทุนสวัสดิการพนักงาน 10%"), QStringLiteral("หัก เงินกบข สะสม"),
                            QStringLiteral("จำนวนเงินขอรับ")},
                           {30, 70, 170, 80, 80, 110, 80, 110, 130, 100, 100}, 10, this);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    root->addWidget(StringGrid1, 3);

    // Where income rows would be kept or sent is not settled yet: shown, not in use.
    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกลงฐานข้อมูล"), this);
    auto* exportExcel = namedButton(QStringLiteral("btnExport"), QStringLiteral("Export Excel"), this);
    save->setEnabled(false);
    exportExcel->setEnabled(false);
    root->addLayout(buttonRow({save, exportExcel}));
    setPanels({Panel2});
    setOpensMaximised();

    connect(select, &QPushButton::clicked, Panel2, &WorkbookFilePanel::open);
    connect(Panel2, &WorkbookFilePanel::chosen, this, [this](const QString& path) { guard([&] { importFile(path); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
}

QStringList TfrmImp_Excel_Income::panelStates() const { return {kOpened, kFilePanel}; }

void TfrmImp_Excel_Income::showPanelState(const QString& name)
{
    if (name == kFilePanel)
        Panel2->open();
}

void TfrmImp_Excel_Income::importFile(const QString& path)
{
    Panel2->hide();
    // A new file replaces what the grid showed, also when it cannot be read.
    StringGrid1->showRows({});
    lblFile_Name->setText(QFileInfo(path).fileName());
    const QList<QStringList> rows = readIncomeRows(path);
    QVector<QStringList> cells;
    for (int i = 0; i < rows.size(); ++i)
        cells.push_back(QStringList{QString::number(i + 1)} + rows[i]);
    StringGrid1->showRows(std::move(cells));
}

} // namespace wel
