#include "UUpdate_Flexible_Benefit.h"
#include "FlexibleBenefit.h"
#include "ImportSamples.h"
#include "PersonnelCommon.h"
#include "common/excel/ExportFiles.h"
#include "common/widgets/GridExport.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/WorkbookFilePanel.h"
#include "personnel/widgets/ImportParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace wel {

namespace {
QProgressBar* progressBar(const QString& name, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setValue(0);
    return bar;
}
} // namespace

TfrmUpdate_Flexible_Benefit::TfrmUpdate_Flexible_Benefit(const ScreenContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmUpdate_Flexible_Benefit"));
    setWindowTitle(QStringLiteral("Update ข้อมูล Flexible Benefit"));
    setOpensMaximised(); // wide workbook grids
    auto* root = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    edtYear_Flexben = namedEdit(QStringLiteral("edtYear_Flexben"), 4, this, FieldKind::Digits);
    edtYear_Flexben->setText(login().Cur_Bud_Year);
    auto* btnImport = namedButton(QStringLiteral("btnImport"), QStringLiteral("Import Excel File"), this);
    auto* btnTest = namedButton(QStringLiteral("btnTest"), QStringLiteral("ทดสอบ"), this);
    btnSave = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกลงฐานข้อมูล"), this);
    btnSave->setEnabled(false); // only after a test that nothing blocks
    auto* btnLimitOnly = namedButton(QStringLiteral("btnUpdate_Limit"), QStringLiteral("Update เฉพาะวงเงินค่ารัษา"), this);
    auto* btnStatus = namedButton(QStringLiteral("btnUpdate_Status"), QStringLiteral("Update Emp_Status A to O"), this);
    btnLimitOnly->setEnabled(false);
    btnStatus->setEnabled(false);
    auto* btnExit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    top->addWidget(new QLabel(QStringLiteral("ปีงบประมาณ"), this));
    top->addWidget(edtYear_Flexben);
    top->addSpacing(12);
    top->addWidget(btnImport);
    top->addWidget(btnTest);
    top->addWidget(btnSave);
    top->addSpacing(12);
    top->addWidget(btnLimitOnly);
    top->addWidget(btnStatus);
    top->addStretch();
    top->addWidget(btnExit);
    root->addLayout(top);

    Panel2 = new WorkbookFilePanel(QStringLiteral("Panel2"), this);
    Panel2->hide();
    root->addWidget(Panel2, 2);

    auto* applicants = new QHBoxLayout;
    L_File = new QLabel(this);
    L_File->setObjectName(QStringLiteral("L_File"));
    auto* btnExport1 = namedButton(QStringLiteral("btnExport1"), QStringLiteral("Export Excel"), this);
    applicants->addWidget(L_File, 1);
    applicants->addWidget(btnExport1);
    root->addLayout(applicants);
    StringGrid1 = workbookGrid(QStringLiteral("StringGrid1"), FlexibleBenefit::applicantHeadings(),
                               FlexibleBenefit::applicantWidths(), this);
    root->addWidget(StringGrid1, 2);

    Panel3 = buildTestPanel();
    Panel3->hide();
    root->addWidget(Panel3, 4);

    setPanels({Panel2, Panel3});
    connect(btnImport, &QPushButton::clicked, Panel2, &WorkbookFilePanel::open);
    connect(Panel2, &WorkbookFilePanel::chosen, this,
            [this](const QString& path) { guard([&] { openWorkbook(path); }); });
    connect(btnTest, &QPushButton::clicked, this, [this] { guard([this] { btnTestClick(); }); });
    connect(btnSave, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(btnExport1, &QPushButton::clicked, this, [this] { guard([this] { exportGrid(false); }); });
    connect(edtYear_Flexben, &QLineEdit::textEdited, this, &TfrmUpdate_Flexible_Benefit::mustTestAgain);
    connect(btnExit, &QPushButton::clicked, this, &Screen::closeScreen);
}

QWidget* TfrmUpdate_Flexible_Benefit::buildTestPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel3"), this);
    auto* head = new QHBoxLayout;
    auto* notes = new QLabel(QStringLiteral("หมายเหตุ : จะทดสอบว่า \n1. วงเงินพอจะใช้ Flex Ben ใหม\n"
                                            "2. เช็คว่า การเลือกสิทธิต้องเป็น 1,2,3  เท่านั้น"),
                             panel);
    auto* btnTest_Update =
        namedButton(QStringLiteral("btnTest_Update"), QStringLiteral("ทดสอบการ Update ข้อมูล"), panel);
    auto* btnClose = namedButton(QStringLiteral("btnClose_Test"), QStringLiteral("ออก"), panel);
    auto* bars = new QVBoxLayout;
    ProgressBar1 = progressBar(QStringLiteral("ProgressBar1"), panel);
    ProgressBar2 = progressBar(QStringLiteral("ProgressBar2"), panel);
    bars->addWidget(ProgressBar2);
    bars->addWidget(ProgressBar1);
    head->addWidget(notes);
    head->addWidget(btnTest_Update, 0, Qt::AlignTop);
    head->addLayout(bars, 1);
    head->addWidget(btnClose, 0, Qt::AlignTop);
    layout->addLayout(head);
    Label8 = new QLabel(panel);
    Label8->setObjectName(QStringLiteral("Label8"));
    layout->addWidget(Label8);

    auto* errors = new QGroupBox(QStringLiteral("ข้อผิดพลาด"), panel);
    auto* errorsLayout = new QVBoxLayout(errors);
    auto* btnExport2 = namedButton(QStringLiteral("btnExport2"), QStringLiteral("Export Excel"), errors);
    errorsLayout->addWidget(btnExport2, 0, Qt::AlignRight);
    StringGrid2 = workbookGrid(QStringLiteral("StringGrid2"), FlexibleBenefit::resultHeadings(),
                               FlexibleBenefit::resultWidths(), errors);
    errorsLayout->addWidget(StringGrid2, 1);
    layout->addWidget(errors, 1);

    connect(btnTest_Update, &QPushButton::clicked, this, [this] { guard([this] { btnTest_UpdateClick(); }); });
    connect(btnExport2, &QPushButton::clicked, this, [this] { guard([this] { exportGrid(true); }); });
    connect(btnClose, &QPushButton::clicked, panel, &QWidget::hide);
    return panel;
}

QStringList TfrmUpdate_Flexible_Benefit::panelStates() const
{
    return {kOpened, QStringLiteral("Panel2"), QStringLiteral("loaded"), QStringLiteral("tested")};
}

void TfrmUpdate_Flexible_Benefit::showPanelState(const QString& name)
{
    Panel3->hide();
    if (name == QLatin1String("Panel2")) {
        Panel2->open();
        return;
    }
    Panel2->hide();
    if (name == QLatin1String("loaded") || name == QLatin1String("tested")) {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ผู้สมัคร Flexible Benefit.xlsx"));
        guard([&] {
            ImportSamples::writeApplicants(path);
            openWorkbook(path);
        });
    }
    if (name == QLatin1String("tested")) {
        btnTestClick();
        guard([this] { btnTest_UpdateClick(); });
    }
}

void TfrmUpdate_Flexible_Benefit::mustTestAgain()
{
    btnSave->setEnabled(false);
    StringGrid2->showRows({});
    Label8->clear();
}

void TfrmUpdate_Flexible_Benefit::openWorkbook(const QString& path)
{
    mustTestAgain();
    m_rows = imports::SheetRows();
    StringGrid1->showRows({});
    L_File->clear();
    m_rows = FlexibleBenefit::readApplicants(path);
    fillWorkbookGrid(StringGrid1, m_rows);
    L_File->setText(QStringLiteral("แฟ้ม %1 : ผู้สมัคร (พนักงานมหาวิทยาลัย) %2 คน").arg(m_rows.sheetName).arg(m_rows.count()));
}

void TfrmUpdate_Flexible_Benefit::btnTestClick()
{
    btnSave->setEnabled(false);
    Panel3->show();
}

void TfrmUpdate_Flexible_Benefit::btnTest_UpdateClick()
{
    mustTestAgain();
    const FlexibleBenefit::TestResult r =
        FlexibleBenefit::test(db(), m_rows, edtYear_Flexben->text(), progressOn(ProgressBar2));
    QVector<QStringList> cells;
    for (const FlexibleBenefit::Tested& t : r.rows)
        cells << t.cells;
    StringGrid2->showRows(std::move(cells));
    QSet<int> blocking;
    for (int i = 0; i < r.rows.size(); ++i)
        if (r.rows[i].blocking())
            blocking << i;
    shadeRefused(StringGrid2, blocking);
    Label8->setText(QStringLiteral("จำนวนคนที่ ชื่อ-นามสกุล ตรง แต่ SSN ไม่ตรง : %1 คน ").arg(r.nameMatches));
    btnSave->setEnabled(r.canSave());
}

void TfrmUpdate_Flexible_Benefit::btnSaveClick()
{
    if (!msg::confirm(this, QStringLiteral("ยืนยันการปรับปรุงข้อมูล ")))
        return;
    if (m_rows.count() > 0)
        FlexibleBenefit::save(db(), login(), m_rows, edtYear_Flexben->text(), progressOn(ProgressBar1));
    btnSave->setEnabled(false); // what was tested has been written
    msg::info(this, personnel::kSaved);
}

QString TfrmUpdate_Flexible_Benefit::exportGrid(bool results)
{
    const excel::Worksheet sheet = FlexibleBenefit::exportSheet(gridTableOf(results ? *StringGrid2 : *StringGrid1), results);
    const QString path = excel::uniqueExportPath(sheet.name());
    sheet.save(path);
    excel::openWithDesktop(path);
    L_File->setText(QStringLiteral("บันทึกแฟ้ม ") + path);
    return path;
}

} // namespace wel
