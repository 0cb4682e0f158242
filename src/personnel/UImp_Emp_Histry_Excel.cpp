#include "UImp_Emp_Histry_Excel.h"
#include "PersonnelCommon.h"
#include "ImportSamples.h"
#include "YearRows.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/WorkbookFilePanel.h"
#include "personnel/widgets/ImportParts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

namespace {
const QString kConfirmUpdate = QStringLiteral("ยืนยันการปรับปรุงข้อมูล ");
const QString kUpdated = QStringLiteral("ทำการปรับปรุงข้อมูลเรียบร้อยแล้ว");
} // namespace

TfrmImp_Emp_Histry_Excel::TfrmImp_Emp_Histry_Excel(const ScreenContext& context, QWidget* parent)
    : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmImp_Emp_Histry_Excel"));
    setWindowTitle(QStringLiteral("นำเข้าข้อมูลพนักงานใหม่ในรูปแบบ MS Excel"));
    setOpensMaximised(); // wide workbook grids
    auto* root = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* btnSelect = namedButton(QStringLiteral("btnSelect"), QStringLiteral("เลือก"), this);
    edtFact_code = namedEdit(QStringLiteral("edtFact_code"), 2, this, FieldKind::Code);
    auto* btnUpd_Data = namedButton(QStringLiteral("btnUpd_Data"), QStringLiteral("บันทึกลงฐานข้อมูล"), this);
    auto* btnUpd_Date = namedButton(QStringLiteral("btnUpd_Date"), QStringLiteral("Update วันที่บรรจุ"), this);
    auto* btnUpdate_Account =
        namedButton(QStringLiteral("btnUpdate_Account"), QStringLiteral("Update เลขที่บัญชี"), this);
    auto* btnExit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    top->addWidget(new QLabel(QStringLiteral("เลือกแฟ้มที่ต้องการ"), this));
    top->addWidget(btnSelect);
    top->addSpacing(12);
    top->addWidget(new QLabel(QStringLiteral("รหัสคณะ"), this));
    top->addWidget(edtFact_code);
    top->addSpacing(12);
    top->addWidget(btnUpd_Data);
    top->addWidget(btnUpd_Date);
    top->addWidget(btnUpdate_Account);
    top->addStretch();
    top->addWidget(btnExit);
    root->addLayout(top);

    L_File = new QLabel(this);
    L_File->setObjectName(QStringLiteral("L_File"));
    root->addWidget(L_File);

    Panel2 = new WorkbookFilePanel(QStringLiteral("Panel2"), this);
    Panel2->hide();
    root->addWidget(Panel2, 2);
    setPanels({Panel2});

    StringGrid1 = workbookGrid(QStringLiteral("StringGrid1"), EmployeeImport::gridHeadings(),
                               EmployeeImport::gridWidths(), this);
    root->addWidget(StringGrid1, 3);

    auto* bottom = new QHBoxLayout;
    auto* refusedBox = new QGroupBox(QStringLiteral("แถวที่นำเข้าไม่ได้ และเหตุผล"), this);
    auto* refusedLayout = new QVBoxLayout(refusedBox);
    lstRefused = refusalList(refusedBox);
    L_Result = new QLabel(refusedBox);
    L_Result->setObjectName(QStringLiteral("L_Result"));
    L_Result->setWordWrap(true);
    refusedLayout->addWidget(lstRefused, 1);
    refusedLayout->addWidget(L_Result);
    bottom->addWidget(refusedBox, 1);
    bottom->addWidget(buildStatusGroup());
    bottom->addWidget(buildYearGroup());
    root->addLayout(bottom, 2);

    connect(btnSelect, &QPushButton::clicked, Panel2, &WorkbookFilePanel::open);
    connect(Panel2, &WorkbookFilePanel::chosen, this,
            [this](const QString& path) { guard([&] { openWorkbook(path); }); });
    connect(btnUpd_Data, &QPushButton::clicked, this, [this] { guard([this] { btnUpd_DataClick(); }); });
    connect(btnUpd_Date, &QPushButton::clicked, this, [this] { guard([this] { btnUpd_DateClick(); }); });
    connect(btnUpdate_Account, &QPushButton::clicked, this, [this] { guard([this] { btnUpdate_AccountClick(); }); });
    connect(btnExit, &QPushButton::clicked, this, &Screen::closeScreen);
}

QWidget* TfrmImp_Emp_Histry_Excel::buildStatusGroup()
{
    auto* box = new QGroupBox(QStringLiteral("สถานะการบันทึกข้อมูล"), this);
    edtKV_ID_G = namedReadOnly(QStringLiteral("edtKV_ID_G"), box, longest::KV_ID);
    edtEmp_Name_G = namedReadOnly(QStringLiteral("edtEmp_Name_G"), box);
    edtEmp_Folk_G = namedReadOnly(QStringLiteral("edtEmp_Folk_G"), box, QStringLiteral("0"));
    edtEmp_Folk_Name_G = namedReadOnly(QStringLiteral("edtEmp_Folk_Name_G"), box);
    L_Order = new QLabel(QStringLiteral("ลำดับ"), box);
    L_Order->setObjectName(QStringLiteral("L_Order"));
    ProgressBar1 = new QProgressBar(box);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setValue(0);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("KV ID"), edtKV_ID_G);
    form->addRow(QStringLiteral("ชื่อ - นามสกุล พนักงาน"), edtEmp_Name_G);
    form->addRow(QStringLiteral("บุคลในครอบครัว"), edtEmp_Folk_G);
    form->addRow(QStringLiteral("ชื่อ-นามสกุล"), edtEmp_Folk_Name_G);
    form->addRow(L_Order);
    form->addRow(ProgressBar1);
    return box;
}

QWidget* TfrmImp_Emp_Histry_Excel::buildYearGroup()
{
    auto* box = new QGroupBox(QStringLiteral("การสร้างข้อมูลค่ารักษาพยาบาล ในส่วนวงเงินตามปีที่ต้องการ"), this);
    edtGen_Year_Health = namedEdit(QStringLiteral("edtGen_Year_Health"), 4, box, FieldKind::Digits);
    edtGen_Year_Health->setText(login().Cur_Bud_Year);
    auto* btnGen = namedButton(QStringLiteral("btnGen_Health_Current_year"),
                               QStringLiteral("Gen Year_Cur_Health ปีที่ต้องการ"), box);
    ProgressBar2 = new QProgressBar(box);
    ProgressBar2->setObjectName(QStringLiteral("ProgressBar2"));
    ProgressBar2->setValue(0);
    auto* layout = new QVBoxLayout(box);
    auto* year = new QHBoxLayout;
    year->addWidget(new QLabel(QStringLiteral("ปีที่สร้าง"), box));
    year->addWidget(edtGen_Year_Health);
    year->addStretch();
    layout->addLayout(year);
    layout->addWidget(btnGen, 0, Qt::AlignLeft);
    layout->addWidget(ProgressBar2);
    layout->addStretch();
    connect(btnGen, &QPushButton::clicked, this, [this] { guard([this] { btnGen_Health_Current_yearClick(); }); });
    return box;
}

QStringList TfrmImp_Emp_Histry_Excel::panelStates() const
{
    return {kOpened, QStringLiteral("Panel2"), QStringLiteral("loaded")};
}

void TfrmImp_Emp_Histry_Excel::showPanelState(const QString& name)
{
    if (name == QLatin1String("Panel2")) {
        Panel2->open();
    } else if (name == QLatin1String("loaded")) {
        Panel2->hide();
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("พนักงานบรรจุใหม่.xlsx"));
        guard([&] {
            ImportSamples::writeEmployees(path, 40, QStringLiteral("SC"), 1, true);
            openWorkbook(path);
        });
    }
}

void TfrmImp_Emp_Histry_Excel::openWorkbook(const QString& path)
{
    m_book = EmployeeImport::Workbook();
    StringGrid1->showRows({});
    lstRefused->clear();
    L_Result->clear();
    L_File->clear();
    m_book = EmployeeImport::read(path);
    edtFact_code->setText(m_book.factCode);
    fillWorkbookGrid(StringGrid1, m_book.rows);
    const EmployeeImport::Checked checked = EmployeeImport::check(m_book.rows);
    showRefusals(lstRefused, checked.refused, StringGrid1, &m_book.rows);
    L_File->setText(QStringLiteral("แฟ้ม %1 : %2 แถว นำเข้าได้ %3 แถว นำเข้าไม่ได้ %4 แถว")
                        .arg(m_book.rows.sheetName)
                        .arg(m_book.rows.count())
                        .arg(checked.accepted.size())
                        .arg(checked.refused.size()));
}

void TfrmImp_Emp_Histry_Excel::btnUpd_DataClick()
{
    if (m_book.rows.count() == 0)
        throw AppError(QStringLiteral("กรุณาเลือกแฟ้มที่ต้องการก่อน"));
    const EmployeeImport::Checked checked = EmployeeImport::check(m_book.rows);
    if (!checked.refused.isEmpty()
        && !msg::confirm(this, QStringLiteral("มีแถวที่นำเข้าไม่ได้ %1 แถว (ดูรายการและเหตุผลด้านล่าง)\r"
                                              "ต้องการนำเข้าแถวที่เหลือ %2 แถวหรือไม่")
                                   .arg(checked.refused.size())
                                   .arg(checked.accepted.size())))
        return;
    const imports::Progress bar = progressOn(ProgressBar1);
    const auto rowDone = [&](const EmployeeImport::ImportedRow& row, int done, int total) {
        L_Order->setText(QStringLiteral("ลำดับที่ %1 : Emp_ID = %2").arg(done).arg(row.EMP_ID));
        edtKV_ID_G->setText(row.KV_ID);
        edtEmp_Name_G->setText(row.name);
        edtEmp_Folk_G->setText(row.lastFolkCode);
        edtEmp_Folk_Name_G->setText(row.lastFolkName);
        bar(done, total);
    };
    const EmployeeImport::Result r =
        EmployeeImport::run(db(), login(), m_book.rows, edtFact_code->text(), rowDone);
    showRefusals(lstRefused, r.refused, StringGrid1, &m_book.rows);
    L_Result->setText(QStringLiteral("เพิ่มพนักงานใหม่ %1 คน, มีในระบบแล้ว %2 คน, เพิ่มบุคคลในครอบครัว %3 คน, "
                                     "มีอยู่แล้ว %4 คน, ไม่นำเข้า %5 แถว")
                          .arg(r.employeesAdded())
                          .arg(r.employeesFound())
                          .arg(r.familyAdded())
                          .arg(r.familyKept())
                          .arg(r.refused.size()));
    msg::info(this, personnel::kSaved);
}

void TfrmImp_Emp_Histry_Excel::btnUpd_DateClick()
{
    // The appointment dates are taken at import; this command only asks.
    msg::confirm(this, kConfirmUpdate);
}

void TfrmImp_Emp_Histry_Excel::btnUpdate_AccountClick()
{
    if (!msg::confirm(this, kConfirmUpdate))
        return;
    const EmployeeImport::BankCopy copy = EmployeeImport::copyBankAccounts(db(), login(), progressOn(ProgressBar1));
    L_Result->setText(QStringLiteral("เลขที่บัญชีจาก PerHistry %1 รายการ ปรับปรุงพนักงาน %2 คน")
                          .arg(copy.personnelRows)
                          .arg(copy.employeesUpdated));
    msg::info(this, kUpdated);
}

void TfrmImp_Emp_Histry_Excel::btnGen_Health_Current_yearClick()
{
    if (!msg::confirm(this, personnel::kConfirmSave))
        return;
    const QString year = edtGen_Year_Health->text();
    const YearRows::Generated g = YearRows::generate(db(), login(), year, progressOn(ProgressBar2));
    showRefusals(lstRefused, g.refused);
    L_Result->setText(QStringLiteral("ปี %1 : สร้างวงเงินใหม่ %2 คน, มีอยู่แล้ว %3 คน, ไม่สร้าง %4 คน")
                          .arg(imports::checkedYear(year))
                          .arg(g.added)
                          .arg(g.existing)
                          .arg(g.refused.size()));
    msg::info(this, QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว "));
}

} // namespace wel
