#include "UUpdate_data.h"
#include "BulkUpdates.h"
#include "ImportSamples.h"
#include "PersonnelCommon.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/WorkbookFilePanel.h"
#include "personnel/widgets/ImportParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace wel {

namespace {
const QString kConfirmUpdate = QStringLiteral("ยืนยันการปรับปรุงข้อมูล ");

QHBoxLayout* yearRow(const QString& caption, QLineEdit* year, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption, parent));
    row->addWidget(year);
    row->addStretch();
    return row;
}
} // namespace

TfrmUpdate_data::TfrmUpdate_data(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmUpdate_data"));
    setWindowTitle(QStringLiteral("ปรับปรุง่ข้อมูล"));
    setOpensMaximised(); // wide workbook grids
    auto* root = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* btnAlign = namedButton(
        QStringLiteral("btnUpdate_Folk"),
        QStringLiteral("1. Update ข้อมูลในตาราง T_Emp_Folk  ที่ ='0' ให้ชื่อและนามสกุลตรงกันกับ T_Emp_Gov_Histry"), this);
    auto* btnExit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    top->addWidget(btnAlign);
    top->addStretch();
    top->addWidget(btnExit);
    root->addLayout(top);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    shortList(ListBox1);
    root->addWidget(ListBox1, 1);

    auto* tools = new QHBoxLayout;
    tools->addWidget(buildLeavingGroup(), 1);
    tools->addWidget(buildRightTypeGroup(), 1);
    root->addLayout(tools, 4);

    auto* refusedBox = new QGroupBox(QStringLiteral("แถวที่ปรับปรุงไม่ได้ และเหตุผล"), this);
    auto* refusedLayout = new QVBoxLayout(refusedBox);
    lstRefused = refusalList(refusedBox);
    L_Result = new QLabel(refusedBox);
    L_Result->setObjectName(QStringLiteral("L_Result"));
    ProgressBar1 = new QProgressBar(refusedBox);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setValue(0);
    refusedLayout->addWidget(lstRefused, 1);
    auto* status = new QHBoxLayout;
    status->addWidget(L_Result, 1);
    status->addWidget(ProgressBar1, 1);
    refusedLayout->addLayout(status);
    root->addWidget(refusedBox, 1);

    setPanels({Panel2, Panel3});
    connect(btnAlign, &QPushButton::clicked, this, [this] { guard([this] { alignNamesClick(); }); });
    connect(btnExit, &QPushButton::clicked, this, &Screen::closeScreen);
}

QWidget* TfrmUpdate_data::buildLeavingGroup()
{
    auto* box = new QGroupBox(QStringLiteral("Update สถานะลาออก"), this);
    box->setObjectName(QStringLiteral("grpLeave"));
    auto* layout = new QVBoxLayout(box);
    edtLeave_Year = namedEdit(QStringLiteral("edtLeave_Year"), 4, box, FieldKind::Digits);
    edtLeave_Year->setText(login().Cur_Bud_Year);
    layout->addLayout(yearRow(QStringLiteral("ไม่เปลี่ยนผู้ที่มีวงเงินค่ารักษาปี"), edtLeave_Year, box));
    auto* btnImport = namedButton(QStringLiteral("btnImport_Leave"), QStringLiteral("Import Excel File"), box);
    layout->addWidget(btnImport, 0, Qt::AlignLeft);
    Panel2 = new WorkbookFilePanel(QStringLiteral("Panel2"), box);
    Panel2->hide();
    layout->addWidget(Panel2, 2);
    StringGrid1 = workbookGrid(QStringLiteral("StringGrid1"), BulkUpdates::leavingHeadings(),
                               BulkUpdates::leavingWidths(), box);
    layout->addWidget(StringGrid1, 3);
    auto* btnUpdate = namedButton(QStringLiteral("btnUpdate_Leave"), QStringLiteral("Update ลงฐานข้อมูล"), box);
    layout->addWidget(btnUpdate, 0, Qt::AlignLeft);

    connect(btnImport, &QPushButton::clicked, Panel2, &WorkbookFilePanel::open);
    connect(Panel2, &WorkbookFilePanel::chosen, this,
            [this](const QString& path) { guard([&] { openLeaving(path); }); });
    connect(btnUpdate, &QPushButton::clicked, this, [this] { guard([this] { btnUpdate_LeaveClick(); }); });
    return box;
}

QWidget* TfrmUpdate_data::buildRightTypeGroup()
{
    auto* box = new QGroupBox(QStringLiteral("การ Update สถานะบุคคลากร"), this);
    box->setObjectName(QStringLiteral("grpRight_Type"));
    auto* layout = new QVBoxLayout(box);
    auto* note = new QLabel(QStringLiteral("จุดประสงค์เพื่อ Update สถานะให้ถูกต้อง ตามที่หน่วยงานคณะแจ้งมา\r\n"
                                           "โดยจะ Update ข้อมูลประวัติ และข้อมูลประวัติการเบิกเงิน เฉพาะปีที่กำหนด"),
                            box);
    note->setWordWrap(true);
    layout->addWidget(note);
    edtUpdate_year4 = namedEdit(QStringLiteral("edtUpdate_year4"), 4, box, FieldKind::Digits);
    edtUpdate_year4->setText(login().Cur_Bud_Year);
    layout->addLayout(yearRow(QStringLiteral("Update ค่ารักษาปี"), edtUpdate_year4, box));
    auto* btnImport = namedButton(QStringLiteral("btnImport_Type"), QStringLiteral("Import Excel File"), box);
    layout->addWidget(btnImport, 0, Qt::AlignLeft);
    Panel3 = new WorkbookFilePanel(QStringLiteral("Panel3"), box);
    Panel3->hide();
    layout->addWidget(Panel3, 2);
    StringGrid2 = workbookGrid(QStringLiteral("StringGrid2"), BulkUpdates::rightTypeHeadings(),
                               BulkUpdates::rightTypeWidths(), box);
    layout->addWidget(StringGrid2, 3);
    auto* btnUpdate = namedButton(QStringLiteral("btnUpdate_Type"), QStringLiteral("Update ข้อมูล"), box);
    layout->addWidget(btnUpdate, 0, Qt::AlignLeft);

    connect(btnImport, &QPushButton::clicked, Panel3, &WorkbookFilePanel::open);
    connect(Panel3, &WorkbookFilePanel::chosen, this,
            [this](const QString& path) { guard([&] { openRightTypes(path); }); });
    connect(btnUpdate, &QPushButton::clicked, this, [this] { guard([this] { btnUpdate_TypeClick(); }); });
    return box;
}

QStringList TfrmUpdate_data::panelStates() const
{
    return {kOpened, QStringLiteral("Panel2"), QStringLiteral("Panel3"), QStringLiteral("loaded")};
}

void TfrmUpdate_data::showPanelState(const QString& name)
{
    Panel2->hide();
    Panel3->hide();
    if (name == QLatin1String("Panel2")) {
        Panel2->open();
    } else if (name == QLatin1String("Panel3")) {
        Panel3->open();
    } else if (name == QLatin1String("loaded")) {
        const QTemporaryDir dir;
        const QString leaving = dir.filePath(QStringLiteral("ลาออก.xlsx"));
        const QString types = dir.filePath(QStringLiteral("รูปแบบสิทธิ.xlsx"));
        guard([&] {
            ImportSamples::writeLeaving(leaving);
            ImportSamples::writeRightTypes(types);
            openLeaving(leaving);
            openRightTypes(types);
        });
    }
}

void TfrmUpdate_data::openLeaving(const QString& path)
{
    m_leaving = imports::SheetRows();
    StringGrid1->showRows({});
    m_leaving = BulkUpdates::readLeaving(path);
    fillWorkbookGrid(StringGrid1, m_leaving);
    L_Result->setText(QStringLiteral("แฟ้ม %1 : %2 แถว").arg(m_leaving.sheetName).arg(m_leaving.count()));
}

void TfrmUpdate_data::openRightTypes(const QString& path)
{
    m_rightTypes = imports::SheetRows();
    StringGrid2->showRows({});
    m_rightTypes = BulkUpdates::readRightTypes(path);
    fillWorkbookGrid(StringGrid2, m_rightTypes);
    L_Result->setText(QStringLiteral("แฟ้ม %1 : %2 แถว").arg(m_rightTypes.sheetName).arg(m_rightTypes.count()));
}

void TfrmUpdate_data::alignNamesClick()
{
    if (!msg::confirm(this, personnel::kConfirmSave))
        return;
    const BulkUpdates::Alignment a = BulkUpdates::alignSelfNames(db(), login(), progressOn(ProgressBar1));
    ListBox1->clear();
    msg::info(this, QStringLiteral("จำนวนรายการ = %1 รายการ ").arg(a.count));
    ListBox1->addItems(a.lines);
    msg::info(this, personnel::kSaved);
}

void TfrmUpdate_data::showRefused(const QVector<imports::Refusal>& refused, ResultGrid* grid,
                                  const imports::SheetRows& rows)
{
    showRefusals(lstRefused, refused, grid, &rows);
    if (!refused.isEmpty())
        msg::warning(this, refusalSummary(refused));
}

void TfrmUpdate_data::btnUpdate_LeaveClick()
{
    if (!msg::confirm(this, kConfirmUpdate))
        return;
    fillWorkbookGrid(StringGrid1, m_leaving); // clears the marks of an earlier run
    const BulkUpdates::Applied a =
        BulkUpdates::applyLeaving(db(), login(), m_leaving, edtLeave_Year->text(), progressOn(ProgressBar1));
    L_Result->setText(QStringLiteral("บันทึกลาออก %1 คน, ไม่เปลี่ยน %2 แถว").arg(a.updated).arg(a.refused.size()));
    showRefused(a.refused, StringGrid1, m_leaving);
    msg::info(this, personnel::kSaved);
}

void TfrmUpdate_data::btnUpdate_TypeClick()
{
    if (!msg::confirm(this, kConfirmUpdate))
        return;
    fillWorkbookGrid(StringGrid2, m_rightTypes);
    const BulkUpdates::Applied a =
        BulkUpdates::applyRightTypes(db(), login(), m_rightTypes, edtUpdate_year4->text(), progressOn(ProgressBar1));
    L_Result->setText(QStringLiteral("ปรับรูปแบบ %1 คน, วงเงินปี %2 : %3 แถว, ไม่เปลี่ยน %4 แถว")
                          .arg(a.updated)
                          .arg(edtUpdate_year4->text().trimmed())
                          .arg(a.yearRows)
                          .arg(a.refused.size()));
    showRefused(a.refused, StringGrid2, m_rightTypes);
    msg::info(this, personnel::kSaved);
}

} // namespace wel
