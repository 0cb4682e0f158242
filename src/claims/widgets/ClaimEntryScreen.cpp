#include "ClaimEntryScreen.h"
#include "claims/ClaimForm.h"
#include "claims/ClaimSummaryService.h"
#include "common/Limits.h"
#include "common/ThaiDate.h"
#include "common/Utility.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Grids.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace wel::claims {

namespace {

EmployeeColumn columnOf(const QString& field)
{
    static const QMap<QString, EmployeeColumn> columns = {
        {QStringLiteral("No"), EmployeeColumn::RowNo},
        {QStringLiteral("Emp_SSN"), EmployeeColumn::Emp_SSN},
        {QStringLiteral("EMP_ID"), EmployeeColumn::EMP_ID},
        {QStringLiteral("Emp_Surname"), EmployeeColumn::Emp_Surname},
        {QStringLiteral("Emp_F_Name"), EmployeeColumn::Emp_F_Name},
        {QStringLiteral("Emp_L_Name"), EmployeeColumn::Emp_L_Name},
        {QStringLiteral("Emp_H_Type"), EmployeeColumn::Emp_H_Type},
        {QStringLiteral("KV_ID"), EmployeeColumn::KV_ID},
        {QStringLiteral("Emp_Position"), EmployeeColumn::Emp_Position},
        {QStringLiteral("Fact_code"), EmployeeColumn::Fact_code},
        {QStringLiteral("CopayRight"), EmployeeColumn::CopayRight},
        {QStringLiteral("EduRight"), EmployeeColumn::EduRight},
    };
    return columns.value(field, EmployeeColumn::RowNo);
}

} // namespace

EmployeeSearchOptions employeeSearchOptions(const ClaimKind& kind)
{
    EmployeeSearchOptions s;
    s.searchTitle = kind.entry.searchTitle;
    s.gridTitle = kind.entry.gridTitle;
    s.withLastName = true;
    s.nameRequired = kind.entry.nameRequired;
    s.faculty = kind.faculty.searchAll                    ? SearchFaculty::Any
        : kind.faculty.claim == FacultySource::Clerk ? SearchFaculty::Clerk
                                                    : SearchFaculty::Field;
    for (const SearchColumn& c : kind.entry.searchColumns)
        s.columns.push_back({c.heading, c.width, columnOf(c.field)});
    return s;
}

namespace {

const int kReceiptColumns = 10;

} // namespace

ClaimEntryScreen::ClaimEntryScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent)
    : Screen(context, parent), m_kind(kind)
{
    setObjectName(kind.entry.objectName);
    setWindowTitle(kind.entry.title);
    setOpensMaximised();
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(kind.entry.title, this));
    Panel4 = buildNumberPanel(this);
    root->addWidget(Panel4);
    Panel1 = buildSearchPanel();
    root->addWidget(Panel1, 1);
    Panel2 = buildEntryPanel();
    root->addWidget(Panel2, 1);

    cmbSel_Year_BudDate->addItems(ClaimEntry::budgetYears(db()));
    cmbSel_Year_BudDate->setCurrentIndex(kind.entry.budgetYearPreset ? cmbSel_Year_BudDate->count() - 1 : -1);
    DT_Sel_Date->setText(login().Cur_Date);
    DT_Sel_Date->setEnabled(mode() == QLatin1String("KV") && !m_kind.entry.claimDateFixed);
    (m_kind.entry.patientType == PatientTypeChoice::Inpatient ? m_inpatient : m_outpatient)->setChecked(true);
    if (m_kind.entry.patientType != PatientTypeChoice::Clerk)
        m_inpatient->parentWidget()->setEnabled(false);
    Panel2->hide();
    Panel3->hide();
    Panel4->hide();
    setPanels({Panel1, Panel2});
    installEnterAsTab(this);
}

QStringList ClaimEntryScreen::panelStates() const
{
    return {kOpened, QStringLiteral("search"), QStringLiteral("entry"), QStringLiteral("limit"), QStringLiteral("number")};
}

void ClaimEntryScreen::showPanelState(const QString& name)
{
    Panel2->hide();
    Panel3->hide();
    Panel4->hide();
    Panel1->show();
    if (name == kOpened || !guard([this] { m_search->listAll(); }) || name == QLatin1String("search"))
        return;
    if (name == QLatin1String("number")) {
        guard([this] {
            // The faculty the kind files its claims under, as the listing's field.
            const QString filedUnder = facultyFor(login(), m_kind.faculty.claim, m_search->searchedFaculty());
            const auto claims = ClaimListings::claimsForReprint(db(), login(), m_kind, filedUnder,
                                                                {DateFilter::Year, yearOf(login().Cur_Date)});
            if (claims.isEmpty())
                throw AppError(kNotFound);
            QString latest;
            for (const ReprintRow& r : claims)
                latest = qMax(latest, r.claimNo);
            L_Berg_Doc_ID->setText(latest);
            Panel4->show();
        });
        return;
    }
    // The first employee whose limit is not used up and who has a limit to show.
    cmbSel_Year_BudDate->setCurrentText(login().Cur_Bud_Year);
    auto* grid = m_search->grid();
    bool opened = false;
    for (int r = 0; r < grid->rowCount() && !opened; ++r) {
        grid->selectRow(r);
        const auto e = m_search->selected();
        const RightTypeLimit* limit = e ? rightTypeLimit(e->Emp_H_Type) : nullptr;
        if (!limit || limit->unlimited)
            continue;
        try {
            btnPost_HealClick();
            opened = true;
        } catch (const AppError&) {
        }
    }
    if (!opened && !guard([this] { btnPost_HealClick(); }))
        return;
    const struct {
        int patient;
        const char* amount;
        const char* hospital;
    } receipts[] = {{0, "1,250.00", "โรงพยาบาลมหาวิทยาลัย"}, {1, "480.50", "คลินิกเวชกรรมใกล้บ้าน"}};
    for (const auto& r : receipts) {
        m_patients[r.patient]->setChecked(true);
        edtTotal_M_Folk00->setText(QString::fromLatin1(r.amount));
        edtHospital_folk00->setText(QString::fromUtf8(r.hospital));
        try { // an employee without a father keeps his one receipt
            btnAddClick();
        } catch (const AppError&) {
        }
    }
    if (name == QLatin1String("limit"))
        guard([this] { btnShow_VongClick(); });
}

QWidget* ClaimEntryScreen::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
    m_search = new EmployeeSearchPanel(db(), login(), employeeSearchOptions(m_kind), panel);
    m_search->setObjectName(QStringLiteral("EmployeeSearch"));
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    m_search->addButton(back);
    layout->addWidget(m_search, 1);

    auto* when = new QGroupBox(QStringLiteral("3. กำหนดวันที่เบิกและเงินปีงบประมาณที่ใช้"), panel);
    DT_Sel_Date = new BEDateEdit(when);
    DT_Sel_Date->setObjectName(QStringLiteral("DT_Sel_Date"));
    cmbSel_Year_BudDate = new QComboBox(when);
    cmbSel_Year_BudDate->setObjectName(QStringLiteral("cmbSel_Year_BudDate"));
    cmbSel_Year_BudDate->setMinimumContentsLength(6);
    auto* type = new QGroupBox(QStringLiteral("ประเภทคนใข้"), when);
    type->setObjectName(QStringLiteral("RadioGroup5"));
    m_outpatient = new QRadioButton(QStringLiteral("คนใข้นอก"), type);
    m_inpatient = new QRadioButton(QStringLiteral("คนใข้ใน"), type);
    auto* typeLayout = new QHBoxLayout(type);
    typeLayout->addWidget(m_outpatient);
    typeLayout->addWidget(m_inpatient);
    auto* post = namedButton(QStringLiteral("btnPost_Heal"), QStringLiteral("บันทึกค่ารักษาพยาบาล"), when);
    connect(post, &QPushButton::clicked, this, [this] { guard([this] { btnPost_HealClick(); }); });
    auto* row = new QHBoxLayout(when);
    row->addWidget(new QLabel(QStringLiteral("วันที่เบิก"), when));
    row->addWidget(DT_Sel_Date);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("ปีงบประมาณที่ตัดเงิน"), when));
    row->addWidget(cmbSel_Year_BudDate);
    row->addSpacing(16);
    row->addWidget(type);
    row->addSpacing(16);
    row->addWidget(post);
    row->addStretch();
    layout->addWidget(when);
    return panel;
}

QWidget* ClaimEntryScreen::buildEntryPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(buildEmployeeGroup(panel), 1);
    Panel3 = buildLimitPanel(panel);
    top->addWidget(Panel3);
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildReceiptGroup(panel), 1);
    m_patientAmounts = new PersonAmountsGroup(QStringLiteral("สรุปจำนวนเงินแยกตามผู้ป่วย"), 0, m_kind.entry.patientCount, panel);
    middle->addWidget(m_patientAmounts);
    layout->addLayout(middle, 1);

    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"), panel);
    auto* leave = namedButton(QStringLiteral("btnExit2"), QStringLiteral("ออก"), panel);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(leave, &QPushButton::clicked, this, &ClaimEntryScreen::leaveEntry);
    layout->addLayout(buttonRow({save, leave}));
    return panel;
}

QWidget* ClaimEntryScreen::buildEmployeeGroup(QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("ประวัติพนักงาน"), parent);
    m_employeeFields = EmployeeFields::create(box);
    const EmployeeFields& f = m_employeeFields;
    edtM_Pay3 = amountField(QStringLiteral("edtM_Pay3"), box);
    edtM_Flexben = amountField(QStringLiteral("edtM_Flexben"), box);
    edtDate_berg = namedReadOnly(QStringLiteral("edtDate_berg"), box, longest::date);
    edtPay_Year = namedReadOnly(QStringLiteral("edtPay_Year"), box, longestValue(FieldKind::Digits, 4));
    auto* show = namedButton(QStringLiteral("btnShow_Vong"), QStringLiteral("แสดงยอดคงเหลือ"), box);
    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShow_VongClick(); }); });
    auto* copy = new QGroupBox(QStringLiteral("ประเภทคนใข้"), box);
    copy->setObjectName(QStringLiteral("RadioGroup0"));
    m_copyOut = new QRadioButton(QStringLiteral("คนใข้นอก"), copy);
    m_copyIn = new QRadioButton(QStringLiteral("คนใข้ใน"), copy);
    copy->setEnabled(false);
    copy->setFlat(true);
    auto* copyLayout = new QHBoxLayout(copy);
    copyLayout->setContentsMargins(4, 0, 4, 0);
    copyLayout->addWidget(m_copyOut);
    copyLayout->addWidget(m_copyIn);

    auto* g = new QGridLayout(box);
    auto add = [&](int row, int col, const QString& caption, QWidget* w) {
        g->addWidget(new QLabel(caption, box), row, col * 2);
        g->addWidget(w, row, col * 2 + 1);
    };
    add(0, 0, QStringLiteral("รหัสประจำตัวพนักงาน"), f.edtEMP_ID3);
    add(0, 1, QStringLiteral("รหัสประจำตัวประชาชน"), f.edtEmp_SSN3);
    add(1, 0, QStringLiteral("ชื่อ - นามสกุล"), f.edtEmp_F_Name3);
    add(1, 1, QStringLiteral("ตำแหน่ง"), f.edtEmp_Position3);
    add(2, 0, QStringLiteral("เลือกค่ารักษาพยาบาลประเภท"), f.edtEmp_H_Type3);
    add(2, 1, QStringLiteral("KV ID"), f.edtKV_ID3);
    add(3, 0, QStringLiteral("สิทธิ"), edtM_Pay3);
    if (m_kind.entry.flexibleBenefitShown)
        add(3, 1, QStringLiteral("Flexible Benefit"), edtM_Flexben);
    else
        edtM_Flexben->hide();
    auto* date = new QHBoxLayout;
    date->addWidget(edtDate_berg);
    date->addSpacing(16);
    date->addWidget(copy);
    date->addStretch();
    g->addWidget(new QLabel(QStringLiteral("วันที่เบิก"), box), 4, 0);
    g->addLayout(date, 4, 1);
    auto* year = new QHBoxLayout;
    year->addWidget(edtPay_Year);
    year->addSpacing(16);
    year->addWidget(show);
    year->addStretch();
    g->addWidget(new QLabel(QStringLiteral("ตัดเงินปี"), box), 4, 2);
    g->addLayout(year, 4, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    return box;
}

QWidget* ClaimEntryScreen::buildReceiptGroup(QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("รายละเอียดค่ารักษา"), parent);
    auto* patients = new QGroupBox(QStringLiteral("ผู้ป่วย"), box);
    patients->setObjectName(QStringLiteral("RadioGroup1"));
    auto* pg = new QGridLayout(patients);
    for (int code = 0; code < m_kind.entry.patientCount; ++code) {
        auto* rb = new QRadioButton(patientChoiceCaption(code), patients);
        rb->setObjectName(QStringLiteral("RadioGroup1_%1").arg(code));
        m_patients << rb;
        pg->addWidget(rb, code % 4, code / 4);
    }

    cmbDate_folk00 = new BEDateEdit(box);
    cmbDate_folk00->setObjectName(QStringLiteral("cmbDate_folk00"));
    edtTotal_M_Folk00 = typedAmountEdit(QStringLiteral("edtTotal_M_Folk00"), box);
    edtHospital_folk00 = namedEdit(QStringLiteral("edtHospital_folk00"), 250, box);
    auto* add = namedButton(QStringLiteral("btnAdd"), QStringLiteral("บันทึกลงตาราง"), box);
    connect(add, &QPushButton::clicked, this, [this] { guard([this] { btnAddClick(); }); });
    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("วันที่ในใบเสร็จ"), box), 0, 0);
    inputs->addWidget(cmbDate_folk00, 0, 1);
    inputs->addWidget(new QLabel(QStringLiteral("จำนวนเงิน"), box), 1, 0);
    auto* amount = new QHBoxLayout;
    amount->addWidget(edtTotal_M_Folk00);
    amount->addWidget(new QLabel(QStringLiteral("บาท"), box));
    amount->addStretch();
    inputs->addLayout(amount, 1, 1);
    inputs->addWidget(new QLabel(QStringLiteral("โรงพยาบาล"), box), 2, 0);
    inputs->addWidget(edtHospital_folk00, 2, 1);
    inputs->addWidget(add, 3, 1, Qt::AlignLeft);
    inputs->setColumnStretch(1, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(patients);
    top->addLayout(inputs, 1);

    StringGrid_Folk0 = new QTableWidget(1, kReceiptColumns, box);
    StringGrid_Folk0->setObjectName(QStringLiteral("StringGrid_Folk0"));
    setupListGrid(StringGrid_Folk0,
                  {QStringLiteral("No"), QStringLiteral("ผู้ป่วย"), QStringLiteral("วันที่ในใบเสร็จ"),
                   QStringLiteral("จำนวนเงิน"), QStringLiteral("โรงพยาบาล"), QStringLiteral("Folk"),
                   QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"),
                   QStringLiteral("วันเดือนปีเกิด")},
                  {50, 150, 90, 90, 70, m_kind.entry.folkColumnShown ? 50 : 0, 0, 0, 0, 0});
    StringGrid_Folk0->horizontalHeader()->setStretchLastSection(false);
    edtSum_F00 = amountField(QStringLiteral("edtSum_F00"), box);
    auto* del = namedButton(QStringLiteral("btnDel"), QStringLiteral("ลบรายการ"), box);
    connect(del, &QPushButton::clicked, this, [this] { guard([this] { btnDelClick(); }); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(del);
    addTotal(bottom, QStringLiteral("ยอดเงินรวม"), edtSum_F00, box);

    auto* v = new QVBoxLayout(box);
    v->addLayout(top);
    v->addWidget(StringGrid_Folk0, 1);
    v->addLayout(bottom);
    return box;
}

QGroupBox* ClaimEntryScreen::buildLimitPanel(QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("ยอดวงเงิน"), parent);
    box->setObjectName(QStringLiteral("Panel3"));
    auto* g = new QGridLayout(box);
    const QStringList& captions = m_kind.entry.limitCaptions;
    for (int i = 0; i < captions.size(); ++i) {
        QLineEdit* e = amountField(QStringLiteral("edtVong%1").arg(i + 1), box);
        m_limitLines << e;
        if (i == 1 && !m_kind.entry.remainingShowsFlex) { // the flexible benefit is not shown
            e->hide();
            continue;
        }
        g->addWidget(new QLabel(captions[i], box), i, 0);
        g->addWidget(e, i, 1);
        g->addWidget(new QLabel(QStringLiteral("บาท"), box), i, 2);
    }
    auto* ok = namedButton(QStringLiteral("btnOK_Vong"), QStringLiteral("ตกลง"), box);
    connect(ok, &QPushButton::clicked, box, &QWidget::hide);
    g->addWidget(ok, int(captions.size()), 1, Qt::AlignRight);
    return box;
}

QGroupBox* ClaimEntryScreen::buildNumberPanel(QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QStringLiteral("Panel4"));
    L_Berg_Doc_ID = new QLabel(box);
    L_Berg_Doc_ID->setObjectName(QStringLiteral("L_Berg_Doc_ID"));
    L_Berg_Doc_ID->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont big = L_Berg_Doc_ID->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    L_Berg_Doc_ID->setFont(big);
    auto* print = namedButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์เอกสาร"), box);
    connect(print, &QPushButton::clicked, this, [this] { guard([this] { btnPrintClick(); }); });
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel(QStringLiteral("เลขที่ใบเบิก"), box));
    row->addWidget(L_Berg_Doc_ID);
    row->addSpacing(24);
    row->addWidget(new QLabel(QStringLiteral("โปรดเขียนลงในใบเบิกค่ารักษาพยาบาลด้วย"), box));
    row->addSpacing(24);
    row->addWidget(print);
    row->addStretch();
    return box;
}

void ClaimEntryScreen::btnPost_HealClick()
{
    const auto e = m_search->selected();
    if (!e || e->KV_ID.isEmpty())
        throw AppError(kChooseEmployee);
    const QString year = cmbSel_Year_BudDate->currentText().trimmed();
    if (year.isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกปีงบประมาณที่ตัดเงิน ด้วย"));
    const auto claimDate = DT_Sel_Date->date();
    if (!claimDate)
        throw AppError(QStringLiteral("กรุณาใส่วันที่เบิกด้วย"));
    const Money flex = ClaimEntry::openEntry(db(), m_kind, e->KV_ID, year);

    m_employee = *e;
    m_faculty = m_search->searchedFaculty();
    m_payYear = year;
    m_claimDate = toBEText(*claimDate);
    m_inOut = m_inpatient->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    m_receipts.clear();
    m_displayNames.clear();

    edtM_Flexben->setText(flex.toDisplay());
    edtTotal_M_Folk00->setText(QStringLiteral("0"));
    edtHospital_folk00->clear();
    cmbDate_folk00->setText(login().Cur_Date);
    edtDate_berg->setText(m_claimDate);
    m_employeeFields.show(*e);
    edtPay_Year->setText(year);
    (m_inOut == QLatin1String("1") ? m_copyIn : m_copyOut)->setChecked(true);
    m_patients.first()->setChecked(true);
    const RightTypeLimit* limit = rightTypeLimit(e->Emp_H_Type);
    if (limit && m_kind.entry.entitlementText)
        edtM_Pay3->setText(m_kind.entry.entitlementText(limit));
    showReceipts();
    Panel3->hide();
    Panel4->hide();
    Panel1->hide();
    Panel2->show();
    cmbDate_folk00->setFocus();
}

void ClaimEntryScreen::btnShow_VongClick()
{
    const auto r = ClaimEntry::remainingLimit(db(), m_kind, m_employee.KV_ID, m_payYear, m_employee.Emp_H_Type);
    const bool entitlementText = !r.hasRow && m_kind.limit.policy == LimitPolicy::Medical;
    m_limitLines[0]->setText(entitlementText ? edtM_Pay3->text() : r.entitled.toDisplay());
    m_limitLines[1]->setText(r.flex.toDisplay());
    m_limitLines[2]->setText(r.used.toDisplay());
    m_limitLines[3]->setText(r.remaining.toDisplay());
    Panel3->show();
}

void ClaimEntryScreen::btnAddClick()
{
    const Money amount = Money::fromTyped(edtTotal_M_Folk00->text());
    if (amount.isZero())
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินค่ารักษาด้วย"));
    const QString hospital = TrimBlanks(edtHospital_folk00->text());
    if (hospital.isEmpty())
        throw AppError(QStringLiteral("กรุณาใส่ชื่อโรงพยาบาลด้วย"));
    const auto date = cmbDate_folk00->date();
    if (!date)
        throw AppError(QStringLiteral("กรุณาใส่วันที่ในใบเสร็จให้ถูกต้อง"));
    ClaimEntry::checkReceipt(m_payYear, *date, *parseBEText(m_claimDate));
    int code = 0;
    for (int i = 0; i < m_patients.size(); ++i)
        if (m_patients[i]->isChecked())
            code = i;
    const ClaimEntry::Patient p = ClaimEntry::findPatient(
        db(), m_employee.KV_ID, code, {m_employee.Emp_Surname, m_employee.Emp_F_Name, m_employee.Emp_L_Name});
    m_receipts.push_back({code, toBEText(*date), amount, hospital, p.title, p.given, p.family, p.birthday});
    m_displayNames.push_back(patientGridLabel(code) + QLatin1Char('(') + p.displayName + QLatin1Char(')'));
    edtTotal_M_Folk00->setText(QStringLiteral("0"));
    edtHospital_folk00->clear();
    showReceipts();
    // The next receipt starts at its patient, as the clerk works down a
    // pile of receipts without the mouse.
    m_patients[code]->setFocus(Qt::TabFocusReason);
}

void ClaimEntryScreen::btnDelClick()
{
    if (m_receipts.isEmpty())
        throw AppError(QStringLiteral("ไม่พบข้อมูลที่ต้องการลบ"));
    const int row = qBound(0, StringGrid_Folk0->currentRow(), int(m_receipts.size()) - 1);
    m_receipts.removeAt(row);
    m_displayNames.removeAt(row);
    showReceipts();
}

void ClaimEntryScreen::showReceipts()
{
    QVector<QStringList> rows;
    QVector<std::pair<int, Money>> byPatient;
    for (int i = 0; i < m_receipts.size(); ++i) {
        const ClaimReceipt& r = m_receipts[i];
        rows << QStringList{QString::number(i + 1), m_displayNames.value(i), r.dateDoc, r.amount.toDisplay(), r.hospital,
                            QString::number(r.folk), r.title, r.given, r.family, r.birthday};
        byPatient.push_back({r.folk, r.amount});
    }
    if (rows.isEmpty())
        rows << QStringList(kReceiptColumns);
    fillListGrid(StringGrid_Folk0, rows);
    alignRight(StringGrid_Folk0, {3});
    StringGrid_Folk0->setCurrentCell(int(rows.size()) - 1, 0);
    edtSum_F00->setText(m_patientAmounts->showLines(byPatient).toDisplay());
}

void ClaimEntryScreen::btnSaveClick()
{
    ClaimDraft d;
    d.kvId = m_employee.KV_ID;
    d.payYear = m_payYear;
    d.claimDate = m_claimDate;
    d.inOut = m_inOut;
    d.factCode = m_faculty;
    d.receipts = m_receipts;
    ClaimEntry::validate(m_kind, d);
    if (!msg::confirm(this, kConfirmSave))
        return;
    const SavedClaim saved = ClaimEntry::save(db(), login(), m_kind, d);
    m_lastClaimNo = saved.claimNo;
    msg::info(this, kSaved);
    Panel2->hide();
    L_Berg_Doc_ID->setText(saved.claimNo);
    Panel1->show();
    Panel4->show();
}

void ClaimEntryScreen::btnPrintClick()
{
    Panel4->hide();
    const Report form = claimForm(db(), L_Berg_Doc_ID->text(), FormOccasion::AfterSave, db().serverNow());
    previewReport(form, this);
}

void ClaimEntryScreen::leaveEntry()
{
    if (m_kind.entry.exitCloses) {
        closeScreen();
        return;
    }
    Panel2->hide();
    Panel1->show();
}

} // namespace wel::claims
