#include "UEntry_Son_Stu.h"
#include "claims/ClaimEntryService.h"
#include "claims/widgets/ClaimEntryScreen.h"
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

const QString kTitle = QStringLiteral("บันทึกการเบิกค่าเล่าเรียนบุตร");
const QStringList kLineHeadings = {QStringLiteral("No"),          QStringLiteral("คำนำหน้า"),
                                   QStringLiteral("ชื่อ"),          QStringLiteral("นามสกุล"),
                                   QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("ภาคเรียนที่"),
                                   QStringLiteral("ปีการศึกษา"),    QStringLiteral("ชั้นเรียนที่ศึกษา"),
                                   QStringLiteral("สถานที่ศึกษา"),  QStringLiteral("วันเดือนปีเกิด"),
                                   QStringLiteral("อายุ"),          QStringLiteral("Folk")};

} // namespace

TfrmEntry_Son_Stu::TfrmEntry_Son_Stu(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(education().entry.objectName);
    Panel1 = buildSearchPanel();
    Panel2 = buildEntryPanel();
    setSearchAndEntry(kTitle, Panel1, Panel2);

    cmbSel_Year_BudDate->addItems(ClaimEntry::budgetYears(db()));
    // The right is read from the year row of the current budget year unless
    // the clerk picks another one.
    const int current = cmbSel_Year_BudDate->findText(login().Cur_Bud_Year);
    cmbSel_Year_BudDate->setCurrentIndex(current >= 0 ? current : cmbSel_Year_BudDate->count() - 1);
    cmbDate_Berg1->setText(login().Cur_Date);
    installEnterAsTab(this);
}

QStringList TfrmEntry_Son_Stu::panelStates() const { return {kOpened, QStringLiteral("search"), QStringLiteral("entry")}; }

void TfrmEntry_Son_Stu::showPanelState(const QString& name)
{
    Panel2->hide();
    Panel1->show();
    if (name == kOpened || !guard([this] { m_search->listAll(); }) || name == QLatin1String("search"))
        return;
    cmbSel_Year_BudDate->setCurrentText(login().Cur_Bud_Year);
    // The first employee entitled to the allowance who has a child recorded.
    auto* grid = m_search->grid();
    for (int r = 0; r < grid->rowCount(); ++r) {
        grid->selectRow(r);
        try {
            btnPost_HealClick();
            m_children[0]->setChecked(true);
            btnShow_NameClick();
            break;
        } catch (const AppError&) {
            Panel2->hide();
            Panel1->show();
        }
    }
    if (!Panel2->isVisible())
        return;
    const struct {
        const char* term;
        const char* level;
        const char* school;
        const char* amount;
    } lines[] = {{"1", "ประถมศึกษาปีที่ 4", "โรงเรียนสาธิตมหาวิทยาลัย", "12,500.00"},
                 {"2", "ประถมศึกษาปีที่ 4", "โรงเรียนสาธิตมหาวิทยาลัย", "12,500.00"}};
    for (const auto& l : lines) {
        edtEdu_Term->setText(QString::fromUtf8(l.term));
        edtEdu_Level->setText(QString::fromUtf8(l.level));
        edtSchool_Name->setText(QString::fromUtf8(l.school));
        edtM_Berg->setText(QString::fromUtf8(l.amount));
        guard([this] { btnAddClick(); });
    }
}

QWidget* TfrmEntry_Son_Stu::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
    m_search = new EmployeeSearchPanel(db(), login(), employeeSearchOptions(education()), panel);
    m_search->setObjectName(QStringLiteral("EmployeeSearch"));
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    m_search->addButton(back);
    layout->addWidget(m_search, 1);

    cmbSel_Year_BudDate = new QComboBox(panel);
    cmbSel_Year_BudDate->setObjectName(QStringLiteral("cmbSel_Year_BudDate"));
    cmbSel_Year_BudDate->setMinimumContentsLength(6);
    auto* post = namedButton(QStringLiteral("btnPost_Heal"), QStringLiteral("บันทึกค่าเล่าเรียนบุตร"), panel);
    connect(post, &QPushButton::clicked, this, [this] { guard([this] { btnPost_HealClick(); }); });
    layout->addWidget(claimOpenRow(panel, cmbDate_Berg1, QStringLiteral("ปีงบประมาณ"), cmbSel_Year_BudDate, post));
    return panel;
}

QWidget* TfrmEntry_Son_Stu::buildEntryPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    auto* record = new QGroupBox(QStringLiteral("ประวัติพนักงาน"), panel);
    m_employeeFields = EmployeeFields::create(record);
    const EmployeeFields& f = m_employeeFields;
    edtM_Pay3 = amountField(QStringLiteral("edtM_Pay3"), record);
    edtDate_Berg = namedReadOnly(QStringLiteral("edtDate_Berg"), record, longest::date);
    edtBud_Year_Berg = namedReadOnly(QStringLiteral("edtBud_Year_Berg"), record, longestValue(FieldKind::Digits, 4));
    auto* rg = new QGridLayout(record);
    auto add = [&](int row, int col, const QString& caption, QWidget* w) {
        rg->addWidget(new QLabel(caption, record), row, col * 2);
        rg->addWidget(w, row, col * 2 + 1);
    };
    add(0, 0, QStringLiteral("ชื่อ - นามสกุล"), f.edtEmp_F_Name3);
    add(0, 1, QStringLiteral("ตำแหน่ง"), f.edtEmp_Position3);
    add(0, 2, QStringLiteral("KV ID"), f.edtKV_ID3);
    add(1, 0, QStringLiteral("รหัสประจำตัวพนักงาน"), f.edtEMP_ID3);
    add(1, 1, QStringLiteral("รหัสประจำตัวประชาชน"), f.edtEmp_SSN3);
    add(1, 2, QStringLiteral("วันที่เบิก"), edtDate_Berg);
    add(2, 0, QStringLiteral("เลือกค่ารักษาพยาบาลประเภท"), f.edtEmp_H_Type3);
    add(2, 1, QStringLiteral("สิทธิ"), edtM_Pay3);
    add(2, 2, QStringLiteral("ปีงบประมาณเบิก"), edtBud_Year_Berg);
    rg->setColumnStretch(1, 1);
    rg->setColumnStretch(3, 1);
    layout->addWidget(record);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildLineGroup(panel), 1);
    m_childAmounts = new PersonAmountsGroup(QStringLiteral("สรุปจำนวนเงินแยกตามบุตร"), 4, 4, panel);
    middle->addWidget(m_childAmounts);
    layout->addLayout(middle, 1);

    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"), panel);
    auto* leave = namedButton(QStringLiteral("btnExit2"), QStringLiteral("ออก"), panel);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(leave, &QPushButton::clicked, this, [this] {
        Panel2->hide();
        Panel1->show();
    });
    layout->addLayout(buttonRow({save, leave}));
    return panel;
}

QWidget* TfrmEntry_Son_Stu::buildLineGroup(QWidget* parent)
{
    auto* box = new QGroupBox(QStringLiteral("รายละเอียดเบิกค่าเล่าเรียนบุตร"), parent);
    auto* children = new QGroupBox(QStringLiteral("บุตร"), box);
    children->setObjectName(QStringLiteral("RadioGroup1"));
    auto* cg = new QVBoxLayout(children);
    for (int i = 0; i < 4; ++i) {
        auto* rb = new QRadioButton(QStringLiteral("บุตรลำดับที่ %1").arg(i + 1), children);
        rb->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        m_children << rb;
        cg->addWidget(rb);
    }
    m_children.first()->setChecked(true);

    edtEdu_Term = namedEdit(QStringLiteral("edtEdu_Term"), 3, box, FieldKind::Code);
    edtEdu_Year = namedEdit(QStringLiteral("edtEdu_Year"), 4, box, FieldKind::Digits);
    edtEdu_Level = namedEdit(QStringLiteral("edtEdu_Level"), 50, box);
    edtSchool_Name = namedEdit(QStringLiteral("edtSchool_Name"), 200, box);
    edtM_Berg = typedAmountEdit(QStringLiteral("edtM_Berg"), box);
    edtFolk_F_Name = namedReadOnly(QStringLiteral("edtFolk_F_Name"), box);
    edtFolk_Birthday = namedReadOnly(QStringLiteral("edtFolk_Birthday"), box, longest::date);
    edtYear_old = namedReadOnly(QStringLiteral("edtYear_old"), box, longestValue(FieldKind::Digits, 3));
    auto* show = namedButton(QStringLiteral("btnShow_Name"), QStringLiteral("แสดงชื่อ"), box);
    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShow_NameClick(); }); });
    auto* add = namedButton(QStringLiteral("btnAdd"), QStringLiteral("บันทึกลงตาราง"), box);
    connect(add, &QPushButton::clicked, this, [this] { guard([this] { btnAddClick(); }); });

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("ภาคเรียนที่"), box), 0, 0);
    inputs->addWidget(edtEdu_Term, 0, 1, Qt::AlignLeft);
    inputs->addWidget(new QLabel(QStringLiteral("ปีการศึกษา"), box), 0, 2);
    inputs->addWidget(edtEdu_Year, 0, 3, Qt::AlignLeft);
    inputs->addWidget(new QLabel(QStringLiteral("ชั้นที่ศึกษา"), box), 1, 0);
    inputs->addWidget(edtEdu_Level, 1, 1, 1, 3);
    inputs->addWidget(new QLabel(QStringLiteral("สถานที่ศึกษา"), box), 2, 0);
    inputs->addWidget(edtSchool_Name, 2, 1, 1, 3);
    auto* amount = new QHBoxLayout;
    amount->addWidget(edtM_Berg);
    amount->addWidget(new QLabel(QStringLiteral("บาท"), box));
    amount->addStretch();
    inputs->addWidget(new QLabel(QStringLiteral("จำนวนเงิน"), box), 3, 0);
    inputs->addLayout(amount, 3, 1, 1, 3);
    inputs->setColumnStretch(3, 1);

    auto* child = new QGroupBox(box);
    auto* chg = new QGridLayout(child);
    chg->addWidget(new QLabel(QStringLiteral("ชื่อ-นามสกุล"), child), 0, 0);
    chg->addWidget(edtFolk_F_Name, 0, 1, 1, 3);
    chg->addWidget(new QLabel(QStringLiteral("วันเดือนปีเกิด"), child), 1, 0);
    chg->addWidget(edtFolk_Birthday, 1, 1);
    chg->addWidget(new QLabel(QStringLiteral("อายุ"), child), 1, 2);
    auto* age = new QHBoxLayout;
    age->addWidget(edtYear_old);
    age->addWidget(new QLabel(QStringLiteral("ปี"), child));
    age->addStretch();
    chg->addLayout(age, 1, 3);
    chg->addWidget(show, 2, 1, Qt::AlignLeft);
    chg->addWidget(add, 2, 3, Qt::AlignRight);

    auto* top = new QHBoxLayout;
    top->addWidget(children);
    top->addLayout(inputs, 1);
    top->addWidget(child, 1);

    StringGrid_Edu = new QTableWidget(1, int(kLineHeadings.size()), box);
    StringGrid_Edu->setObjectName(QStringLiteral("StringGrid_Edu"));
    setupListGrid(StringGrid_Edu, kLineHeadings, {30, 80, 80, 70, 80, 80, 40, 100, 110, 140, 80, 0});
    StringGrid_Edu->horizontalHeader()->setStretchLastSection(false);
    edtSum_M_Berg = amountField(QStringLiteral("edtSum_M_Berg"), box);
    auto* total = new QHBoxLayout;
    total->addStretch();
    total->addWidget(new QLabel(QStringLiteral("จำนวนเงินรวม"), box));
    total->addWidget(edtSum_M_Berg);
    total->addWidget(new QLabel(QStringLiteral("บาท"), box));

    auto* v = new QVBoxLayout(box);
    v->addLayout(top);
    v->addWidget(StringGrid_Edu, 1);
    v->addLayout(total);
    return box;
}

int TfrmEntry_Son_Stu::childIndex() const
{
    for (int i = 0; i < m_children.size(); ++i)
        if (m_children[i]->isChecked())
            return i;
    return 0;
}

void TfrmEntry_Son_Stu::btnPost_HealClick()
{
    const auto e = m_search->selected();
    if (!e || e->KV_ID.isEmpty())
        throw AppError(kChooseEmployee);
    const QString year = cmbSel_Year_BudDate->currentText().trimmed();
    if (year.isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกปีงบประมาณด้วย"));
    Education::checkRight(db(), e->KV_ID, year, e->Emp_H_Type);
    m_employee = *e;
    const RightTypeLimit* limit = rightTypeLimit(e->Emp_H_Type);
    m_employeeFields.show(*e);
    edtM_Pay3->setText(!limit ? QString() : limit->unlimited ? QStringLiteral("0") : limit->listText);
    const QString claimDate = cmbDate_Berg1->text();
    edtDate_Berg->setText(claimDate);
    edtBud_Year_Berg->setText(Education::budgetYearOfClaim(claimDate));
    m_lines.clear();
    clearLineInputs();
    showLines();
    Panel1->hide();
    Panel2->show();
    edtEdu_Term->setFocus();
}

void TfrmEntry_Son_Stu::clearLineInputs()
{
    for (QLineEdit* e : {edtEdu_Term, edtEdu_Level, edtSchool_Name, edtFolk_F_Name, edtFolk_Birthday, edtYear_old})
        e->clear();
    edtEdu_Year->setText(yearOf(login().Cur_Date));
    edtM_Berg->setText(QStringLiteral("0.00"));
}

void TfrmEntry_Son_Stu::btnShow_NameClick()
{
    const Education::Child c = Education::findChild(db(), m_employee.KV_ID, childIndex(), login().Cur_Date);
    edtFolk_F_Name->setText(c.displayName());
    edtFolk_Birthday->setText(c.birthday);
    edtYear_old->setText(c.age ? QString::number(*c.age) : QString());
}

void TfrmEntry_Son_Stu::btnAddClick()
{
    Education::Line l;
    l.term = edtEdu_Term->text();
    l.year = edtEdu_Year->text();
    l.level = edtEdu_Level->text();
    l.school = edtSchool_Name->text();
    l.amountText = edtM_Berg->text();
    Education::checkLine(l);
    l.child = Education::findChild(db(), m_employee.KV_ID, childIndex(), login().Cur_Date);
    m_lines.push_back(l);
    clearLineInputs();
    showLines();
}

void TfrmEntry_Son_Stu::showLines()
{
    QVector<QStringList> rows;
    QVector<std::pair<int, Money>> byChild;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Education::Line& l = m_lines[i];
        rows << QStringList{QString::number(i + 1), l.child.title,  l.child.given,   l.child.family,
                            l.amount.toDisplay(),   TrimBlanks(l.term), TrimBlanks(l.year), TrimBlanks(l.level),
                            TrimBlanks(l.school), l.child.birthday, l.child.age ? QString::number(*l.child.age) : QString(),
                            QString::number(l.child.folk)};
        byChild.push_back({l.child.folk, l.amount});
    }
    if (rows.isEmpty())
        rows << QStringList(kLineHeadings.size());
    fillListGrid(StringGrid_Edu, rows);
    alignRight(StringGrid_Edu, {4});
    edtSum_M_Berg->setText(m_childAmounts->showLines(byChild).toDisplay());
}

void TfrmEntry_Son_Stu::btnSaveClick()
{
    Money total;
    for (const Education::Line& l : m_lines)
        total += l.amount;
    if (total < Money::fromSatang(1))
        throw AppError(QStringLiteral("กรุณาใส่จำนวนเงินด้วย"));
    if (!msg::confirm(this, kConfirmSave))
        return;
    m_lastClaimNo = Education::save(db(), login(), m_employee.KV_ID, edtDate_Berg->text(), m_lines);
    msg::info(this, kSaved + QStringLiteral("\nเลขที่ใบเบิก ") + m_lastClaimNo);
    Panel2->hide();
    Panel1->show();
}

} // namespace wel::claims
