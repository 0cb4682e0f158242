#include "reports/UQuery.h"
#include "reports/UReport.h"

#include "common/AppError.h"
#include "common/Faculties.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/Named.h"
#include "personnel/FamilyService.h"
#include "personnel/PersonnelCommon.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace wel {

using namespace reports;

const QVector<EnquirySpec>& enquirySpecs()
{
    static const QVector<EnquirySpec> specs = [] {
        EnquirySpec medical;
        medical.screen = QStringLiteral("TfrmQuery_Health");
        medical.reportId = QStringLiteral("medical-history");
        medical.title = QStringLiteral("สอบถามประวัติการเบิกค่ารักษารายบุคคล");
        medical.yearCaption = QStringLiteral("ปีที่ตัดเงิน");
        medical.familyPanel = true;
        medical.limits = LimitKind::Medical;
        medical.limitText = historyLimitText;
        medical.historyTitle = QStringLiteral("ประวัติการเบิกค่ารักษาพยาบาล");

        EnquirySpec copay;
        copay.screen = QStringLiteral("TfrmQuery_Health_COPAY");
        copay.reportId = QStringLiteral("copay-history");
        copay.title = QStringLiteral("สอบถามประวัติการเบิกค่ารักษา กรณี CO-PAY");
        copay.yearCaption = QStringLiteral("ปีที่บันทึกการเบิก");
        copay.budgetYear = false;
        copay.activeOnly = false;
        copay.facultyGroup = true;
        copay.opensOnHistory = false;
        copay.limits = LimitKind::Copay;
        copay.limitText = historyLimitText;
        copay.historyTitle = QStringLiteral("รายละเอียดการเบิกค่ารักษา กรณี CO-PAY");

        EnquirySpec education = copay;
        education.screen = QStringLiteral("TfrmQuery_Edu_Son");
        education.reportId = QStringLiteral("education-history");
        education.title = QStringLiteral("สอบถามประวัติการเบิกค่าเล่าเรียนบุตร");
        education.limits.reset();
        education.limitText = educationLimitText;
        education.historyTitle = QStringLiteral("รายละเอีดยการเบิกค่าเล่าเรียนบุตร ปีที่เบิก :");
        education.yearInTitle = true;
        education.emptyStaysClosed = true;
        return QVector<EnquirySpec>{medical, copay, education};
    }();
    return specs;
}

namespace {

QVector<EmployeeGridColumn> searchColumns(const EnquirySpec& spec)
{
    QVector<EmployeeGridColumn> c = employeeGridColumns();
    if (spec.facultyGroup) {
        c[1].width = 0; // the identity number only identifies the row
        c.push_back({QStringLiteral("KV_ID"), 0, EmployeeColumn::KV_ID});
        c.push_back({QStringLiteral("Fact"), 0, EmployeeColumn::Fact_code});
    } else {
        c.push_back({QStringLiteral("KV_ID"), 90, EmployeeColumn::KV_ID});
        c.push_back({QStringLiteral("ตำแหน่ง"), 140, EmployeeColumn::Emp_Position});
    }
    return c;
}

QString yearOf(const LoginContext& l, bool budgetYear)
{
    return budgetYear ? l.Cur_Bud_Year : l.Cur_Date.mid(6, 4);
}

} // namespace

TfrmQuery::TfrmQuery(const ScreenContext& context, const EnquirySpec& spec) : Screen(context), m_spec(spec)
{
    setObjectName(spec.screen);
    setWindowTitle(spec.title);
    m_report = findReport(spec.reportId);
    if (!m_report)
        throw AppError(QStringLiteral("ไม่พบรายงาน ") + spec.reportId);
    auto* root = new QVBoxLayout(this);
    m_searchPanel = buildSearchPanel();
    m_historyPanel = buildHistoryPanel();
    root->addWidget(m_searchPanel, 1);
    root->addWidget(m_historyPanel, 1);
    QList<QWidget*> panels{m_searchPanel, m_historyPanel};
    if (spec.familyPanel) {
        m_familyPanel = buildFamilyPanel();
        root->addWidget(m_familyPanel, 1);
        m_familyPanel->hide();
        panels << m_familyPanel;
    }
    if (spec.opensOnHistory)
        toHistory();
    else
        toSearch();
    setPanels(panels);
    installEnterAsTab(this);
}

QWidget* TfrmQuery::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("pnlSearch"), this);
    layout->addWidget(titleLabel(m_spec.title, panel));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(m_spec.yearCaption, panel));
    m_year = namedEdit(QStringLiteral("edtPay_Year"), 4, panel, FieldKind::Digits);
    m_year->setText(yearOf(login(), m_spec.budgetYear));
    top->addWidget(m_year);
    if (m_spec.facultyGroup) {
        auto* unit = new QGroupBox(QStringLiteral("หน่วยงาน"), panel);
        unit->setObjectName(QStringLiteral("grpFaculty"));
        auto* unitLayout = new QHBoxLayout(unit);
        m_allFaculties = new QRadioButton(QStringLiteral("ทุกคณะ"), unit);
        m_allFaculties->setObjectName(QStringLiteral("rbAll_Fact"));
        m_oneFaculty = new QRadioButton(QStringLiteral("เฉพาะคณะ"), unit);
        m_oneFaculty->setObjectName(QStringLiteral("rbOne_Fact"));
        m_factCode = namedEdit(QStringLiteral("edtFact_Code1"), 2, unit, FieldKind::Code);
        m_factCode->setText(login().Cur_Fact_Code);
        unitLayout->addWidget(m_allFaculties);
        unitLayout->addWidget(m_oneFaculty);
        unitLayout->addWidget(m_factCode);
        m_oneFaculty->setChecked(true);
        connect(m_oneFaculty, &QRadioButton::toggled, m_factCode, &QLineEdit::setEnabled);
        // Outside the finance division the search stays within the clerk's faculty.
        unit->setEnabled(mode() == u"KV");
        top->addSpacing(20);
        top->addWidget(unit);
    }
    top->addStretch(1);
    layout->addLayout(top);

    EmployeeSearchOptions o;
    o.searchTitle = QStringLiteral("การค้นหา");
    o.gridTitle = QStringLiteral("2. คลิกเลือกชื่อที่ต้องการ");
    o.selectCaption = QStringLiteral("ค้นหาชือ");
    o.columns = searchColumns(m_spec);
    o.anyStatus = !m_spec.activeOnly;
    o.orderByLastName = m_spec.facultyGroup;
    if (m_spec.facultyGroup) {
        o.faculty = SearchFaculty::Chosen;
        o.chosenFaculty = [this] { return chosenFaculty(); };
    } else {
        o.faculty = SearchFaculty::Field;
    }
    m_search = new EmployeeSearchPanel(db(), login(), o, panel);
    m_search->setObjectName(QStringLiteral("Panel1"));
    if (m_spec.opensOnHistory) {
        auto* ok = mainButton(QStringLiteral("btnOK"), QStringLiteral("3. ตกลง"), panel);
        auto* back = namedButton(QStringLiteral("btnClose1"), QStringLiteral("ออก"), panel);
        connect(ok, &QPushButton::clicked, this, [this] { guard([this] { showHistory(); }); });
        connect(back, &QPushButton::clicked, this, &TfrmQuery::toHistory);
        m_search->addButton(ok);
        m_search->addButton(back);
    } else {
        auto* show = mainButton(QStringLiteral("btnShow_Detail"), QStringLiteral("แสดงรายละเอียดการเบิก"), panel);
        auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
        connect(show, &QPushButton::clicked, this, [this] { guard([this] { showHistory(); }); });
        connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
        m_search->addButton(show);
        m_search->addButton(exit);
    }
    layout->addWidget(m_search, 1);
    return panel;
}

QWidget* TfrmQuery::buildHistoryPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("pnlHistory"), this);
    m_historyTitle = titleLabel(m_spec.opensOnHistory ? m_spec.title : m_spec.historyTitle, panel);
    layout->addWidget(m_historyTitle);

    auto* employee = new QGroupBox(panel);
    auto* grid = new QGridLayout(employee);
    auto field = [&](const char* name, const char* caption, const QString& longest, int row, int column,
                     bool baht = false) {
        QLineEdit* e = namedReadOnly(QString::fromLatin1(name), employee, longest);
        m_header.insert(e->objectName(), e);
        grid->addWidget(new QLabel(QString::fromUtf8(caption), employee), row, column);
        if (baht) {
            auto* box = new QHBoxLayout;
            box->addWidget(e);
            box->addWidget(new QLabel(QStringLiteral("บาท"), employee));
            box->addStretch(1);
            grid->addLayout(box, row, column + 1);
        } else {
            grid->addWidget(e, row, column + 1);
        }
        return e;
    };
    field("edtEmp_Name", "ชื่อ - นามสกุล", {}, 0, 0);
    field("edtEMP_ID", "รหัสประจำตัวพนักงาน", longestValue(FieldKind::Code, 12), 0, 2);
    field("edtKV_ID", "KV_ID", longest::KV_ID, 0, 4);
    if (m_spec.facultyGroup) {
        field("edtFact_Code2", "รหัสหน่วยงาน", longest::factCode, 1, 0);
        field("edtFact_Name", "ชื่อหน่วยงาน", {}, 1, 2);
    } else {
        field("edtEmp_SSN", "รหัสประจำตัวประชาชน", longestValue(FieldKind::Digits, 13), 1, 0);
        field("edtEmp_Position", "ตำแหน่ง", {}, 1, 2);
    }
    field("edtEmp_H_Type", "สิทธิค่ารักษาประเภท", longestValue(FieldKind::Digits, 1), 2, 0);
    field("edtM_Pay", m_spec.opensOnHistory ? "วงเงิน" : "ยอดวงเงิน", longest::noLimit, 2, 2, true);
    field("edtYear", m_spec.yearCaption.toUtf8().constData(), longestValue(FieldKind::Digits, 4), 2, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addWidget(employee);

    m_grid = new ResultGrid(QStringLiteral("StringGrid2"), panel);
    // The headings (and the zero closing rows) before anyone is chosen.
    const ReportResult none = m_report->run(db(), {{QStringLiteral("employee"), QString()},
                                                    {QStringLiteral("year"), m_year->text()}});
    m_grid->setColumns(none.headings.value(0), m_report->widths);
    m_grid->showRows(none.rows);
    layout->addWidget(m_grid, 1);

    if (m_spec.limits) {
        auto* block = new QGridLayout;
        auto amount = [&](const char* name, const QString& caption, int row, int column) {
            QLineEdit* e = namedReadOnly(QString::fromLatin1(name), panel, longest::amount);
            e->setAlignment(Qt::AlignRight);
            m_header.insert(e->objectName(), e);
            block->addWidget(new QLabel(caption, panel), row, column);
            block->addWidget(e, row, column + 1);
            block->addWidget(new QLabel(QStringLiteral("บาท"), panel), row, column + 2);
        };
        if (*m_spec.limits == LimitKind::Medical) {
            amount("edtT_Money", QStringLiteral("ยอดวงเงิน"), 0, 0);
            amount("edtM_Flexben", QStringLiteral("Flexible Benefit"), 1, 0);
            amount("edtU_Money", QStringLiteral("ยอดเบิกค่ารักษา"), 0, 3);
        } else {
            amount("edtT_Money", QStringLiteral("ยอดวงเงิน CO-PAY"), 0, 0);
            amount("edtU_Money", QStringLiteral("ยอดเบิกค่ารักษา CO-PAY"), 0, 3);
        }
        amount("edtRemain", QStringLiteral("วงเงินคงเหลือที่สามารถเบิกค่ารักษาพยาบาล"), 1, 3);
        block->setColumnStretch(6, 1);
        layout->addLayout(block);
    }

    auto* excelButton = namedButton(QStringLiteral("btnExcel"), QStringLiteral("พิมพ์ออกทาง MS Excel"), panel);
    connect(excelButton, &QPushButton::clicked, this, [this] { guard([this] { exportShown(); }); });
    auto* row = new QHBoxLayout;
    if (m_spec.opensOnHistory) {
        auto* choose = namedButton(QStringLiteral("btnSelect_Name"), QStringLiteral("เลือกชื่อ"), panel);
        connect(choose, &QPushButton::clicked, this, [this] {
            m_search->reset();
            toSearch();
        });
        row->addWidget(choose);
    }
    if (m_spec.familyPanel) {
        auto* family = namedButton(QStringLiteral("btnFamily"), QStringLiteral("แสดงบุคคลในครอบ"), panel);
        connect(family, &QPushButton::clicked, this, [this] { guard([this] { showFamily(); }); });
        row->addWidget(family);
    }
    row->addWidget(excelButton);
    if (m_spec.opensOnHistory) {
        auto* exit = namedButton(QStringLiteral("btnExit2"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
        connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
        row->addWidget(exit);
    } else {
        auto* back = namedButton(QStringLiteral("btnClose2"), QStringLiteral("ออก"), panel);
        connect(back, &QPushButton::clicked, this, &TfrmQuery::toSearch);
        row->addWidget(back);
    }
    row->addStretch(1);
    layout->addLayout(row);
    return panel;
}

QWidget* TfrmQuery::buildFamilyPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("pnlFamily"), this);
    layout->addWidget(titleLabel(QStringLiteral("การบันทึกบุคคลในครอบครัว"), panel));
    auto* employee = new QGroupBox(panel);
    auto* head = new QGridLayout(employee);
    auto field = [&](QGridLayout*, QWidget* parent, const QString& name, const QString& longest) {
        QLineEdit* e = namedReadOnly(name, parent, longest);
        m_family.insert(name, e);
        return e;
    };
    // Names and rights share the width left beside the birth dates.
    auto stretching = [](QLineEdit* e, int characters) {
        fitToValue(e, longestValue(FieldKind::Text, characters), true);
        return e;
    };
    auto pair = [&](const char* caption, QLineEdit* e, int row, int column) {
        head->addWidget(new QLabel(QString::fromUtf8(caption), employee), row, column);
        head->addWidget(e, row, column + 1);
    };
    pair("ชื่อ - นามสกุล", field(head, employee, QStringLiteral("edtEmp_Name3"), {}), 0, 0);
    pair("ตำแหน่ง", field(head, employee, QStringLiteral("edtEmp_Position3"), {}), 0, 2);
    pair("KV_ID", field(head, employee, QStringLiteral("edtKV_ID3"), longest::KV_ID), 0, 4);
    pair("รหัสประจำตัวพนักงาน", field(head, employee, QStringLiteral("edtEMP_ID3"), longestValue(FieldKind::Code, 12)), 1, 0);
    pair("รหัสประจำตัวประชาชน", field(head, employee, QStringLiteral("edtEmp_SSN3"), longestValue(FieldKind::Digits, 13)), 1, 2);
    pair("สิทธิค่ารักษาประเภท", field(head, employee, QStringLiteral("edtEmp_H_Type3"), longestValue(FieldKind::Digits, 1)), 1, 4);
    pair("วงเงิน", field(head, employee, QStringLiteral("edtM_Pay3"), longest::noLimit), 2, 0);
    head->setColumnStretch(1, 1);
    head->setColumnStretch(3, 1);
    layout->addWidget(employee);

    auto* family = new QGroupBox(QStringLiteral("รายละเอียดของบุคคลในครอบครัว"), panel);
    auto* g = new QGridLayout(family);
    g->setVerticalSpacing(3);
    const QStringList headings = {QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"),
                                  QStringLiteral("วันเดือนปี เกิด\n(วว/ดด/ปปปป(พ.ศ.))")};
    for (int c = 0; c < headings.size(); ++c)
        g->addWidget(new QLabel(headings[c], family), 0, c + 1);
    for (int k = 0; k < 3; ++k)
        g->addWidget(new QLabel(QStringLiteral("สิทธิพื้นฐาน %1").arg(k + 1), family), 0, k + 5);
    for (int n = FamilyService::kFirstSlot; n <= FamilyService::kLastSlot; ++n) {
        g->addWidget(new QLabel(FamilyService::slotCaption(n), family), n, 0);
        const char* names[] = {"edtEF_Surname", "edtEF_F_Name", "edtEF_L_Name"};
        for (int c = 0; c < 3; ++c)
            g->addWidget(stretching(field(g, family, QString::fromLatin1(names[c]) + QString::number(n), {}), c ? 16 : 8), n, c + 1);
        if (FamilyService::isChildSlot(n))
            g->addWidget(field(g, family, QStringLiteral("edtEF_Birthday%1").arg(n), longest::date), n, 4);
        for (int k = 0; k < 3; ++k)
            g->addWidget(stretching(field(g, family, QStringLiteral("edtEF_Base_Right%1%2").arg(k + 1).arg(n), {}), 12), n, k + 5);
    }
    for (int c = 1; c <= 7; ++c)
        g->setColumnStretch(c, c == 4 ? 0 : 1);
    layout->addWidget(family);
    auto* back = namedButton(QStringLiteral("btnClose3"), QStringLiteral("ออก"), panel);
    connect(back, &QPushButton::clicked, this, &TfrmQuery::toHistory);
    layout->addLayout(buttonRow({back}));
    layout->addStretch(1);
    return panel;
}

QString TfrmQuery::chosenFaculty() const
{
    if (m_allFaculties->isChecked())
        return {};
    const QString code = Faculties::codeOfItem(m_factCode->text());
    if (code.isEmpty())
        throw AppError(kNotFound); // no faculty is not every faculty
    return code;
}

void TfrmQuery::toSearch()
{
    if (m_familyPanel)
        m_familyPanel->hide();
    m_historyPanel->hide();
    m_searchPanel->show();
}

void TfrmQuery::toHistory()
{
    if (m_familyPanel)
        m_familyPanel->hide();
    m_searchPanel->hide();
    m_historyPanel->show();
}

void TfrmQuery::showHistory(bool evenEmpty)
{
    const std::optional<EmployeeSummary> e = m_search->selected();
    if (!e)
        throw AppError(personnel::kNoneSelected);
    const QString year = m_year->text().trimmed();
    const Filters f{{QStringLiteral("employee"), QStringLiteral("kv:") + e->KV_ID},
                    {QStringLiteral("year"), QStringLiteral("year:") + year}};
    ReportResult result = m_report->run(db(), f);
    if (result.empty && m_spec.emptyStaysClosed && !evenEmpty)
        throw AppError(kNotFound);
    std::optional<LimitBlock> limits;
    if (m_spec.limits)
        limits = limitBlock(db(), e->KV_ID, year, e->Emp_H_Type, *m_spec.limits);
    const QString factName = m_spec.facultyGroup ? Faculties::nameOf(db(), e->Fact_code) : QString();

    m_employee = e;
    m_result = result;
    m_shownWith = f;
    auto set = [this](const char* name, const QString& text) {
        if (QLineEdit* field = m_header.value(QString::fromLatin1(name)))
            field->setText(text);
    };
    set("edtEmp_Name", e->Emp_Surname + e->Emp_F_Name + u' ' + e->Emp_L_Name);
    set("edtEMP_ID", e->EMP_ID);
    set("edtKV_ID", e->KV_ID);
    set("edtEmp_SSN", e->Emp_SSN);
    set("edtEmp_Position", e->Emp_Position);
    set("edtFact_Code2", e->Fact_code);
    set("edtFact_Name", factName);
    set("edtEmp_H_Type", e->Emp_H_Type);
    set("edtYear", year);
    set("edtM_Pay", m_spec.limitText(e->Emp_H_Type));
    if (limits) {
        set("edtT_Money", limits->limit);
        set("edtM_Flexben", limits->flexibleBenefit);
        set("edtU_Money", limits->claimed);
        set("edtRemain", limits->remaining);
    }
    if (m_spec.yearInTitle)
        m_historyTitle->setText(m_spec.historyTitle + u' ' + year);
    m_grid->setColumns(result.headings.value(0), m_report->widths);
    // The closing rows of a history end it, whatever the order of the claims.
    m_grid->setSortable(false);
    m_grid->alignRight(amountColumnsOf(*m_report));
    m_grid->showRows(result.rows);
    toHistory();
}

void TfrmQuery::showFamily()
{
    if (!m_employee)
        throw AppError(personnel::kNoneSelected);
    const EmployeeSummary& e = *m_employee;
    const QMap<int, FamilyMember> family = FamilyService::load(db(), login(), e.KV_ID);
    m_family.value(QStringLiteral("edtEmp_Name3"))->setText(e.Emp_Surname + e.Emp_F_Name + u' ' + e.Emp_L_Name);
    m_family.value(QStringLiteral("edtEmp_Position3"))->setText(e.Emp_Position);
    m_family.value(QStringLiteral("edtKV_ID3"))->setText(e.KV_ID);
    m_family.value(QStringLiteral("edtEMP_ID3"))->setText(e.EMP_ID);
    m_family.value(QStringLiteral("edtEmp_SSN3"))->setText(e.Emp_SSN);
    m_family.value(QStringLiteral("edtEmp_H_Type3"))->setText(e.Emp_H_Type);
    m_family.value(QStringLiteral("edtM_Pay3"))->setText(personnel::limitTextOf(e.Emp_H_Type));
    for (int n = FamilyService::kFirstSlot; n <= FamilyService::kLastSlot; ++n) {
        const FamilyMember m = family.value(n);
        auto set = [&](const QString& name, const QString& text) {
            if (QLineEdit* field = m_family.value(name + QString::number(n)))
                field->setText(text);
        };
        set(QStringLiteral("edtEF_Surname"), m.EF_Surname);
        set(QStringLiteral("edtEF_F_Name"), m.EF_F_Name);
        set(QStringLiteral("edtEF_L_Name"), m.EF_L_Name);
        // As stored: a text that is no valid date is shown, not refused.
        set(QStringLiteral("edtEF_Birthday"), m.EF_Birthday);
        set(QStringLiteral("edtEF_Base_Right1"), m.EF_Base_Right1);
        set(QStringLiteral("edtEF_Base_Right2"), m.EF_Base_Right2);
        set(QStringLiteral("edtEF_Base_Right3"), m.EF_Base_Right3);
    }
    m_historyPanel->hide();
    m_searchPanel->hide();
    m_familyPanel->show();
}

QString TfrmQuery::exportShown()
{
    if (!m_employee)
        throw AppError(kNotFound);
    return saveAndOpenReport(this, *m_report, m_result, m_shownWith, login());
}

QStringList TfrmQuery::panelStates() const
{
    QStringList states{kOpened, QStringLiteral("search"), QStringLiteral("history")};
    if (m_familyPanel)
        states << QStringLiteral("family");
    return states;
}

void TfrmQuery::showPanelState(const QString& name)
{
    if (name == kOpened)
        return;
    m_search->reset();
    if (m_allFaculties && m_allFaculties->parentWidget()->isEnabled())
        m_allFaculties->setChecked(true);
    toSearch();
    if (!guard([this] { m_search->listAll(); }) || name == u"search")
        return;
    // The first listed employee with claims in the year, as a clerk would
    // look for one; failing that, in the budget year.
    ResultGrid* grid = m_search->grid();
    for (const QString& year : {m_year->text(), login().Cur_Bud_Year}) {
        m_year->setText(year);
        for (int r = 0; r < grid->rowCount(); ++r) {
            grid->selectRow(r);
            const auto e = m_search->selected();
            if (!e)
                break;
            const ReportResult result = m_report->run(db(), {{QStringLiteral("employee"), e->KV_ID}, {QStringLiteral("year"), year}});
            if (!result.empty) {
                guard([this] { showHistory(); });
                if (name == u"family")
                    guard([this] { showFamily(); });
                return;
            }
        }
    }
    grid->selectRow(0);
    guard([this] { showHistory(true); });
    if (name == u"family" && m_employee)
        guard([this] { showFamily(); });
}

} // namespace wel
