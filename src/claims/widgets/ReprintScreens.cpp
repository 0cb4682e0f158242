#include "ReprintScreens.h"
#include "ClaimSummaryScreen.h"
#include "claims/ClaimForm.h"
#include "claims/SummaryDocument.h"
#include "common/widgets/DateFilterBox.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"
#include "common/widgets/ResultGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace wel::claims {

namespace {

// The faculty field of the reprint screens: the clerk's own faculty, which
// only the finance division may change.
FactCodeEdit* facultyField(const Screen* s, const ClaimKind& kind, QWidget* parent)
{
    auto* e = new FactCodeEdit(parent);
    e->setObjectName(QStringLiteral("edtFact_Code"));
    e->setText(s->login().Cur_Fact_Code);
    // Other welfare types any faculty; education shows the clerk's own only.
    e->setMode(kind.faculty.list == FacultySource::Typed   ? QStringLiteral("KV")
               : kind.faculty.list == FacultySource::Clerk ? QStringLiteral("FC")
                                                          : s->mode());
    e->setEnabled(kind.faculty.list != FacultySource::Clerk);
    return e;
}

QVBoxLayout* filterRow(DateFilterBox* when, FactCodeEdit* fact, QWidget* parent)
{
    auto* rows = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(when);
    top->addStretch();
    rows->addLayout(top);
    auto* factRow = new QHBoxLayout;
    factRow->addWidget(new QLabel(QStringLiteral("รหัสส่วนงาน"), parent));
    factRow->addWidget(fact);
    factRow->addStretch();
    rows->addLayout(factRow);
    return rows;
}

} // namespace

ClaimReprintScreen::ClaimReprintScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent)
    : Screen(context, parent), m_kind(kind)
{
    setObjectName(QStringLiteral("frmRe_Print_Berg_HL"));
    setWindowTitle(kind.entry.reprintTitle.trimmed());
    setOpensMaximised();
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(kind.entry.reprintTitle, this));
    m_when = new DateFilterBox(QStringLiteral("เลือกวันที่สรุป"), this);
    m_when->reset(login().Cur_Date);
    edtFact_Code = facultyField(this, m_kind, this);
    root->addLayout(filterRow(m_when, edtFact_Code, this));

    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงข้อมูล"), this);
    auto* print = mainButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), this);
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(print, &QPushButton::clicked, this, [this] { guard([this] { btnPrintClick(); }); });
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    root->addLayout(buttonRow({show, print, back}));

    StringGrid1 = new ResultGrid(QStringLiteral("StringGrid1"),
                                 {QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("รหัสประจำตวพนง."),
                                  QStringLiteral("ชื่อ-นามสกุลผู้เบิก"), QStringLiteral("จำนวนเงินที่เบิก"),
                                  QStringLiteral("วันที่เบิก")},
                                 {50, 90, 90, 190, 80, 80}, this);
    StringGrid1->alignRight({4});
    StringGrid1->showRows({QStringList(6)});
    root->addWidget(StringGrid1, 1);
    installEnterAsTab(this);
}

QStringList ClaimReprintScreen::panelStates() const { return {kOpened, QStringLiteral("listing")}; }

void ClaimReprintScreen::showPanelState(const QString& name)
{
    m_when->reset(login().Cur_Date);
    if (name == kOpened)
        return;
    m_when->choose(DateFilter::Year);
    guard([this] { btnShowClick(); });
}

void ClaimReprintScreen::btnShowClick()
{
    m_rows = ClaimListings::claimsForReprint(db(), login(), m_kind, edtFact_Code->code(), m_when->filter());
    QVector<QStringList> rows;
    for (int i = 0; i < m_rows.size(); ++i) {
        const ReprintRow& r = m_rows[i];
        rows << QStringList{QString::number(i + 1), r.claimNo, r.empId, r.name, r.payable.toDisplay(), r.dateEnt};
    }
    if (rows.isEmpty()) {
        StringGrid1->showRows({QStringList(6)});
        throw AppError(kNotFound);
    }
    StringGrid1->showRows(std::move(rows));
    StringGrid1->selectRow(0);
}

void ClaimReprintScreen::btnPrintClick()
{
    const int row = StringGrid1->currentSourceRow();
    if (row < 0 || row >= m_rows.size())
        throw AppError(kNotFound);
    const Report form = claimForm(db(), m_rows[row].claimNo, FormOccasion::Reprint, db().serverNow());
    previewReport(form, this);
}

ControlReprintScreen::ControlReprintScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent)
    : Screen(context, parent), m_kind(kind)
{
    setObjectName(QStringLiteral("frmRe_Print_Docontrol"));
    setWindowTitle(kind.summary.reprintTitle);
    setOpensMaximised();
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(kind.summary.reprintTitle, this));

    {
        const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
        Panel1 = panel;
        m_when = new DateFilterBox(QStringLiteral("พิมพ์รายงานสรุปใบเบิกสวัสดิการ"), panel);
        m_when->reset(login().Cur_Date);
        edtFact_Code = facultyField(this, m_kind, panel);
        layout->addLayout(filterRow(m_when, edtFact_Code, panel));
        auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงข้อมูล"), panel);
        auto* detail = namedButton(QStringLiteral("btnDetail"), QStringLiteral("แสดงรายละเอียด"), panel);
        auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
        connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
        connect(detail, &QPushButton::clicked, this, [this] { guard([this] { btnDetailClick(); }); });
        connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
        layout->addLayout(buttonRow({show, detail, back}));
        StringGrid1 = new ResultGrid(QStringLiteral("StringGrid1"),
                                     {QStringLiteral("No"), QStringLiteral("เลขที่ควบคุมใบเบิก"),
                                      QStringLiteral("วันที่ประมวลผลเลขที่ควบคุมใบเบิก")},
                                     {50, 190, 190}, panel);
        StringGrid1->showRows({QStringList(3)});
        layout->addWidget(StringGrid1, 1);
        root->addWidget(panel, 1);
    }
    {
        const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
        Panel2 = panel;
        edtSent_KV_Doc_ID = namedReadOnly(QStringLiteral("edtSent_KV_Doc_ID"), panel, longestValue(FieldKind::Code, 15));
        edtSent_Date = namedReadOnly(QStringLiteral("edtSent_Date"), panel, longest::date);
        auto* head = new QHBoxLayout;
        head->addWidget(new QLabel(QStringLiteral("เลขที่คุมใบเบิก"), panel));
        head->addWidget(edtSent_KV_Doc_ID);
        head->addSpacing(16);
        head->addWidget(new QLabel(QStringLiteral("วันที่ประมวลผลเลขที่ควบคุมใบเบิก"), panel));
        head->addWidget(edtSent_Date);
        head->addStretch();
        layout->addLayout(head);
        StringGrid2 = summaryGrid(panel);
        StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
        fillSummaryGrid(StringGrid2, {});
        layout->addWidget(StringGrid2, 1);
        edtSum_Select = amountField(QStringLiteral("edtSum_Select"), panel);
        auto* total = new QHBoxLayout;
        addTotal(total, QStringLiteral("ยอดเงินรวม"), edtSum_Select, panel);
        layout->addLayout(total);
        auto* print = namedButton(QStringLiteral("btnPrint"), QStringLiteral("พิมพ์"), panel);
        auto* leave = namedButton(QStringLiteral("btnExit2"), QStringLiteral("ออก"), panel);
        connect(print, &QPushButton::clicked, this, [this] { guard([this] { btnPrintClick(); }); });
        connect(leave, &QPushButton::clicked, this, [this] {
            Panel2->hide();
            Panel1->show();
        });
        layout->addLayout(buttonRow({print, leave}));
        root->addWidget(panel, 1);
        panel->hide();
    }
    setPanels({Panel1, Panel2});
    installEnterAsTab(this);
}

QStringList ControlReprintScreen::panelStates() const
{
    return {kOpened, QStringLiteral("listing"), QStringLiteral("detail")};
}

void ControlReprintScreen::showPanelState(const QString& name)
{
    Panel2->hide();
    Panel1->show();
    m_when->reset(login().Cur_Date);
    if (name == kOpened)
        return;
    m_when->choose(DateFilter::Year);
    if (guard([this] { btnShowClick(); }) && name == QLatin1String("detail"))
        guard([this] { btnDetailClick(); });
}

void ControlReprintScreen::btnShowClick()
{
    m_controls = ClaimListings::controlNumbers(db(), login(), m_kind, edtFact_Code->code(), m_when->filter());
    QVector<QStringList> rows;
    for (int i = 0; i < m_controls.size(); ++i)
        rows << QStringList{QString::number(i + 1), m_controls[i].controlNo, m_controls[i].sentDate};
    if (rows.isEmpty()) {
        StringGrid1->showRows({QStringList(3)});
        throw AppError(kNotFound);
    }
    StringGrid1->showRows(std::move(rows));
    StringGrid1->selectRow(0);
}

void ControlReprintScreen::btnDetailClick()
{
    const int row = StringGrid1->currentSourceRow();
    if (row < 0 || row >= m_controls.size())
        throw AppError(kNotFound);
    edtSent_KV_Doc_ID->setText(m_controls[row].controlNo);
    edtSent_Date->setText(m_controls[row].sentDate);
    const QVector<SummaryRow> claims = ClaimListings::claimsOfControl(db(), m_controls[row].controlNo);
    fillSummaryGrid(StringGrid2, claims);
    Money total;
    for (const SummaryRow& r : claims)
        total += r.payable;
    edtSum_Select->setText(claims.isEmpty() ? QStringLiteral("0") : total.toDisplay());
    if (claims.isEmpty())
        throw AppError(kNotFound);
    Panel1->hide();
    Panel2->show();
}

void ControlReprintScreen::btnPrintClick()
{
    const Report doc = summaryDocument(db(), edtSent_KV_Doc_ID->text(), std::nullopt, db().serverNow());
    Panel2->hide();
    Panel1->show();
    previewReport(doc, this);
}

} // namespace wel::claims
