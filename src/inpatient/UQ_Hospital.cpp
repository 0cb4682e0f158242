#include "UQ_Hospital.h"
#include "common/AppError.h"
#include "common/LoginContext.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"
#include "common/db/Database.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QAbstractItemView>

namespace wel::hospital {

namespace {

EmployeeSearchOptions searchOptions()
{
    EmployeeSearchOptions s;
    s.searchTitle = QStringLiteral("การค้นหา");
    s.gridTitle = QStringLiteral("คลิกเลือกชื่อพนักงาน");
    s.gridName = QStringLiteral("StringGrid2");
    s.selectCaption = QStringLiteral("ค้นหาชือ");
    s.orderByLastName = true;
    s.faculty = SearchFaculty::Any;
    s.columns = {{QStringLiteral("No"), 50, EmployeeColumn::RowNo},
                 {QStringLiteral("รหัสประจำตัวประชาชน"), 0, EmployeeColumn::Emp_SSN},
                 {QStringLiteral("รหัสประจำตัวพนักงาน"), 90, EmployeeColumn::EMP_ID},
                 {QStringLiteral("คำนำหน้า"), 70, EmployeeColumn::Emp_Surname},
                 {QStringLiteral("ชื่อ"), 80, EmployeeColumn::Emp_F_Name},
                 {QStringLiteral("นามสกุล"), 80, EmployeeColumn::Emp_L_Name},
                 {QStringLiteral("ปรเภท"), 80, EmployeeColumn::Emp_H_Type},
                 {QStringLiteral("KV_ID"), 0, EmployeeColumn::KV_ID},
                 {QStringLiteral("Fact"), 0, EmployeeColumn::Fact_code}};
    return s;
}

// Caption, field and "บาท" on one row of a grid layout.
void amountRow(QGridLayout* g, int row, const QString& caption, QLineEdit* field, QWidget* parent)
{
    g->addWidget(new QLabel(caption, parent), row, 0);
    g->addWidget(field, row, 1);
    g->addWidget(new QLabel(QStringLiteral("บาท"), parent), row, 2);
}

} // namespace

TfrmQ_Hospital::TfrmQ_Hospital(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmQ_Hospital"));
    setWindowTitle(QStringLiteral("สอบถามวงเงินค่ารักษาพยาบาล"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(QStringLiteral("สอบถามวงเงินค่ารักษาพยาบาล"), this));
    Panel1 = buildSearchPanel();
    Panel2 = buildResultPanel();
    root->addWidget(Panel1, 1);
    root->addWidget(Panel2, 1);
    Panel2->hide();
    setPanels({Panel1, Panel2});
    installEnterAsTab(this);
}

QStringList TfrmQ_Hospital::panelStates() const
{
    return {kOpened, QStringLiteral("search"), QStringLiteral("limit")};
}

void TfrmQ_Hospital::showPanelState(const QString& name)
{
    Panel2->hide();
    Panel1->show();
    if (name == kOpened || !guard([this] { m_search->listAll(); }) || name == QLatin1String("search"))
        return;
    // The first employee with a yearly row this year, so there are figures to see.
    auto* grid = m_search->grid();
    for (int r = 0; r < grid->rowCount(); ++r) {
        grid->selectRow(r);
        const auto e = m_search->selected();
        if (e && LimitEnquiry::read(db(), e->KV_ID, edtPay_Year->text()).hasRow)
            break;
    }
    guard([this] { btnShowClick(); });
}

QWidget* TfrmQ_Hospital::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
    auto* yearRow = new QHBoxLayout;
    edtPay_Year = namedEdit(QStringLiteral("edtPay_Year"), 4, panel, FieldKind::Digits);
    edtPay_Year->setText(login().Cur_Bud_Year);
    yearRow->addWidget(new QLabel(QStringLiteral("ปีที่ตัดเงิน"), panel));
    yearRow->addWidget(edtPay_Year);
    yearRow->addStretch();
    layout->addLayout(yearRow);

    m_search = new EmployeeSearchPanel(db(), login(), searchOptions(), panel);
    m_search->setObjectName(QStringLiteral("EmployeeSearch"));
    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงวงเงินคงเหลือ"), panel);
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("ออก"), panel);
    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    m_search->addButton(show);
    m_search->addButton(back);
    connect(m_search->grid(), &QAbstractItemView::doubleClicked, this, [this] { guard([this] { btnShowClick(); }); });
    layout->addWidget(m_search, 1);
    return panel;
}

QWidget* TfrmQ_Hospital::buildResultPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    auto* record = new QGroupBox(QStringLiteral("ประวัติ"), panel);
    edtEmp_Name = namedReadOnly(QStringLiteral("edtEmp_Name"), record);
    edtEMP_ID3 = namedReadOnly(QStringLiteral("edtEMP_ID3"), record, longestValue(FieldKind::Code, 12));
    edtFact_Code = namedReadOnly(QStringLiteral("edtFact_Code"), record, longest::factCode);
    edtFact_Name = namedReadOnly(QStringLiteral("edtFact_Name"), record);
    edtEmp_H_Type = namedReadOnly(QStringLiteral("edtEmp_H_Type"), record, longestValue(FieldKind::Digits, 1));
    edtT_U_H = amountField(QStringLiteral("edtT_U_H"), record);
    edtKV_ID3 = namedReadOnly(QStringLiteral("edtKV_ID3"), record, longest::KV_ID);
    auto* rg = new QGridLayout(record);
    rg->addWidget(new QLabel(QStringLiteral("ชื่อ - นามสกุล"), record), 0, 0);
    rg->addWidget(edtEmp_Name, 0, 1, 1, 3);
    rg->addWidget(new QLabel(QStringLiteral("รหัสประจำตัวพนักงาน"), record), 1, 0);
    rg->addWidget(edtEMP_ID3, 1, 1);
    rg->addWidget(new QLabel(QStringLiteral("KV_ID"), record), 1, 2);
    rg->addWidget(edtKV_ID3, 1, 3);
    rg->addWidget(new QLabel(QStringLiteral("รหัสหน่วยงาน"), record), 2, 0);
    rg->addWidget(edtFact_Code, 2, 1);
    rg->addWidget(new QLabel(QStringLiteral("ชื่อหน่วยงาน"), record), 2, 2);
    rg->addWidget(edtFact_Name, 2, 3);
    rg->addWidget(new QLabel(QStringLiteral("สิทธิค่ารักษาประเภท"), record), 3, 0);
    rg->addWidget(edtEmp_H_Type, 3, 1);
    auto* limit = new QHBoxLayout;
    limit->addWidget(new QLabel(QStringLiteral("ยอดวงเงิน"), record));
    limit->addWidget(edtT_U_H);
    limit->addWidget(new QLabel(QStringLiteral("บาท"), record));
    limit->addStretch();
    rg->addLayout(limit, 3, 2, 1, 2);
    rg->setColumnStretch(3, 1);
    layout->addWidget(record);

    auto* figures = new QHBoxLayout;
    auto* medical = new QGroupBox(QStringLiteral("วงเงินค่ารักษาพยาบาล"), panel);
    edtM1 = amountField(QStringLiteral("edtM1"), medical);
    edtMFlexben = amountField(QStringLiteral("edtMFlexben"), medical);
    edtM2 = amountField(QStringLiteral("edtM2"), medical);
    edtM3 = amountField(QStringLiteral("edtM3"), medical);
    auto* mg = new QGridLayout(medical);
    amountRow(mg, 0, QStringLiteral("ยอดวงเงิน"), edtM1, medical);
    amountRow(mg, 1, QStringLiteral("Flexible Benefit"), edtMFlexben, medical);
    amountRow(mg, 2, QStringLiteral("ยอดเบิกค่ารักษา"), edtM2, medical);
    amountRow(mg, 3, QStringLiteral("วงเงินคงเหลือที่สามารถเบิกค่ารักษาพยาบาล"), edtM3, medical);
    mg->setRowStretch(4, 1);
    figures->addWidget(medical);
    auto* copay = new QGroupBox(QStringLiteral("วงเงินค่ารักษาพยาบาล CO-PAY"), panel);
    edtCo_Pay1 = amountField(QStringLiteral("edtCo_Pay1"), copay);
    edtCo_Pay2 = amountField(QStringLiteral("edtCo_Pay2"), copay);
    edtCo_Pay3 = amountField(QStringLiteral("edtCo_Pay3"), copay);
    auto* cg = new QGridLayout(copay);
    amountRow(cg, 0, QStringLiteral("ยอดวงเงิน"), edtCo_Pay1, copay);
    amountRow(cg, 1, QStringLiteral("ยอดเบิกค่ารักษา"), edtCo_Pay2, copay);
    amountRow(cg, 2, QStringLiteral("วงเงินคงเหลือที่สามารถเบิกค่ารักษาพยาบาล"), edtCo_Pay3, copay);
    cg->setRowStretch(3, 1);
    figures->addWidget(copay);
    figures->addStretch();
    layout->addLayout(figures);

    auto* print = namedButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), panel);
    auto* leave = namedButton(QStringLiteral("btnExit2"), QStringLiteral("ออก"), panel);
    connect(print, &QPushButton::clicked, this, [this] { guard([this] { btnPrintClick(); }); });
    connect(leave, &QPushButton::clicked, this, [this] {
        Panel2->hide();
        Panel1->show();
    });
    layout->addLayout(buttonRow({print, leave}));
    layout->addStretch();
    return panel;
}

void TfrmQ_Hospital::btnShowClick()
{
    const auto e = m_search->selected();
    m_shown = LimitEnquiry::read(db(), e ? e->KV_ID : QString(), edtPay_Year->text());
    edtEmp_Name->setText(m_shown.name);
    edtEMP_ID3->setText(m_shown.empId);
    edtEmp_H_Type->setText(m_shown.hType);
    edtKV_ID3->setText(m_shown.kvId);
    edtFact_Code->setText(m_shown.factCode);
    edtFact_Name->setText(m_shown.factName);
    edtT_U_H->setText(m_shown.entitlement);
    edtM1->setText(m_shown.limit);
    edtMFlexben->setText(m_shown.flex);
    edtM2->setText(m_shown.used);
    edtM3->setText(m_shown.remaining);
    edtCo_Pay1->setText(m_shown.copayLimit);
    edtCo_Pay2->setText(m_shown.copayUsed);
    edtCo_Pay3->setText(m_shown.copayRemaining);
    Panel1->hide();
    Panel2->show();
}

void TfrmQ_Hospital::btnPrintClick()
{
    previewReport(LimitEnquiry::statement(m_shown, db().serverNow()), this);
}

} // namespace wel::hospital
