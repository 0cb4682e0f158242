#include "ClaimSummaryScreen.h"
#include "claims/SummaryDocument.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/MarkingGrid.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"
#include "common/widgets/ResultGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace wel::claims {

namespace {
constexpr int kColumns = 9, kMark = 1, kAmount = 4;
const QVector<int> kWidths{30, 40, 90, 70, 80, 90, 140, 40, 40};

QStringList summaryHeadings(bool withYear)
{
    return {QStringLiteral("No"), QStringLiteral("สถานะ"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("วันที่เบิก"),
            QStringLiteral("จำนวนเงินที่เบิก"), QStringLiteral("รหัสประจำตัวพนักงาน"), QStringLiteral("ชื่อ-นามสกุล"),
            QStringLiteral("KV_ID"), withYear ? QStringLiteral("Pay_Year") : QString()};
}

} // namespace

ResultGrid* summaryGrid(QWidget* parent)
{
    return new ResultGrid(QStringLiteral("StringGrid1"), summaryHeadings(true), kWidths, parent);
}

void fillSummaryGrid(ResultGrid* grid, const QVector<SummaryRow>& rows, bool claimedAmounts, bool withYear)
{
    grid->setColumns(summaryHeadings(withYear), kWidths);
    QVector<QStringList> cells;
    for (int i = 0; i < rows.size(); ++i) {
        const SummaryRow& r = rows[i];
        cells << QStringList{QString::number(i + 1), QString(), r.claimNo, r.dateBerg,
                             (claimedAmounts ? r.claimed : r.payable).toDisplay(),
                             r.empId, r.name, r.kvId, withYear ? r.payYear : QString()};
    }
    if (cells.isEmpty())
        cells << QStringList(kColumns);
    grid->alignRight({kAmount});
    grid->showRows(std::move(cells));
    grid->selectRow(0);
}

ClaimSummaryScreen::ClaimSummaryScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent)
    : Screen(context, parent), m_kind(kind)
{
    setObjectName(kind.summary.objectName);
    setWindowTitle(kind.summary.title);
    setOpensMaximised();
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(kind.summary.title, this));
    Panel1 = buildSearchPanel();
    Panel2 = buildSelectionPanel();
    root->addWidget(Panel1);
    root->addWidget(Panel2, 1);
    root->addStretch();
    Panel2->hide();
    installEnterAsTab(this);
}

QStringList ClaimSummaryScreen::panelStates() const
{
    return {kOpened, QStringLiteral("listing"), QStringLiteral("marked")};
}

void ClaimSummaryScreen::showPanelState(const QString& name)
{
    Panel2->hide();
    if (name == kOpened || !guard([this] { btnShowClick(); }))
        return;
    if (name == QLatin1String("marked"))
        m_marks->markAll();
}

QWidget* ClaimSummaryScreen::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
    auto* box = new QGroupBox(panel);
    edtPay_Year = namedEdit(QStringLiteral("edtPay_Year"), 4, box, FieldKind::Digits);
    edtPay_Year->setText(login().Cur_Bud_Year);
    edtFact_Code = new FactCodeEdit(box);
    edtFact_Code->setObjectName(QStringLiteral("edtFact_Code"));
    edtFact_Code->setText(login().Cur_Fact_Code);
    edtFact_Code->setMode(m_kind.faculty.list == FacultySource::Typed ? QStringLiteral("KV") : mode());
    auto* type = new QGroupBox(QStringLiteral("ประเภทคนใข้"), box);
    type->setObjectName(QStringLiteral("RadioGroup1"));
    m_outpatient = new QRadioButton(QStringLiteral("คนใข้นอก"), type);
    m_inpatient = new QRadioButton(QStringLiteral("คนใข้ใน"), type);
    (m_kind.entry.patientType == PatientTypeChoice::Inpatient ? m_inpatient : m_outpatient)->setChecked(true);
    type->setEnabled(m_kind.entry.patientType == PatientTypeChoice::Clerk);
    auto* tl = new QHBoxLayout(type);
    tl->addWidget(m_outpatient);
    tl->addWidget(m_inpatient);
    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), box);
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), box);
    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    auto* g = new QGridLayout(box);
    // Kinds summarised whatever their year show neither the year nor the
    // patient type; education shows no faculty either (the clerk's own).
    if (m_kind.summary.byYearAndPatientType) {
        g->addWidget(new QLabel(QStringLiteral("ใส่ปีที่เบิก"), box), 0, 0);
        g->addWidget(edtPay_Year, 0, 1);
        g->addWidget(type, 0, 2, 2, 1);
    } else {
        edtPay_Year->hide();
        type->hide();
    }
    if (m_kind.faculty.list != FacultySource::Clerk) {
        g->addWidget(new QLabel(m_kind.summary.facultyCaption, box), 1, 0);
        g->addWidget(edtFact_Code, 1, 1);
    } else {
        edtFact_Code->hide();
    }
    g->addLayout(buttonRow({show, back}), 2, 0, 1, 3);
    g->setColumnStretch(3, 1);
    layout->addWidget(box);
    return panel;
}

QWidget* ClaimSummaryScreen::buildSelectionPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    auto* hint = new QLabel(QStringLiteral("ดับเบิลคลิกที่เลขที่ใบเบิกจะเป็นการเลือกรายการ จะมีสัญลักษณ์ X ปรากฏ "
                                           "ถ้าดับเบิ้ลคลิกอีกครั้งเครื่องหมาย X จะหายไป"),
                            panel);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    StringGrid1 = summaryGrid(panel);
    m_marks = new MarkingGrid(StringGrid1, kMark, kAmount, this);
    layout->addWidget(StringGrid1, 1);

    edtSum_Shows = amountField(QStringLiteral("edtSum_Shows"), panel);
    edtSum_Select = amountField(QStringLiteral("edtSum_Select"), panel);
    connect(m_marks, &MarkingGrid::totalChanged, this, [this](Money total) { edtSum_Select->setText(total.toDisplay()); });
    auto* totals = new QHBoxLayout;
    addTotals(totals, {{QStringLiteral("ยอดเงินรวมที่แสดงผล"), edtSum_Shows}, {QStringLiteral("ยอดเงินที่เลือก"), edtSum_Select}},
              panel);
    layout->addLayout(totals);

    auto* all = namedButton(QStringLiteral("btnSelectAll"), QStringLiteral("เลือกทั้งหมด"), panel);
    auto* none = namedButton(QStringLiteral("btnUnSelectAll"), QStringLiteral("ยกเลิกการเลือกทั้งหมด"), panel);
    auto* one = namedButton(QStringLiteral("btnSelect"), QStringLiteral("เลือก"), panel);
    auto* unone = namedButton(QStringLiteral("btnUnSelect"), QStringLiteral("ยกเลิกการเลือก"), panel);
    auto* send = namedButton(QStringLiteral("btnSent_KV"), m_kind.summary.sendCaption, panel);
    auto* leave = namedButton(QStringLiteral("btnExit2"), QStringLiteral("ออก"), panel);
    connect(all, &QPushButton::clicked, m_marks, &MarkingGrid::markAll);
    connect(none, &QPushButton::clicked, m_marks, &MarkingGrid::unmarkAll);
    connect(one, &QPushButton::clicked, m_marks, &MarkingGrid::markCurrent);
    connect(unone, &QPushButton::clicked, m_marks, &MarkingGrid::unmarkCurrent);
    connect(send, &QPushButton::clicked, this, [this] { guard([this] { btnSendClick(); }); });
    connect(leave, &QPushButton::clicked, panel, &QWidget::hide);
    layout->addLayout(buttonRow({all, none, one, unone}));
    layout->addLayout(buttonRow({send, leave}));
    return panel;
}

void ClaimSummaryScreen::btnShowClick()
{
    m_listedFaculty = edtFact_Code->code();
    m_listedInOut = m_inpatient->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    m_rows = ClaimSummary::listOpen(db(), login(), m_kind, m_listedFaculty, edtPay_Year->text(), m_listedInOut);
    // Every year together: the year column stays empty.
    fillSummaryGrid(StringGrid1, m_rows, m_kind.summary.amountClaimed, m_kind.summary.byYearAndPatientType);
    m_marks->reset();
    Money shown;
    for (const SummaryRow& r : m_rows)
        shown += r.claimed;
    edtSum_Shows->setText(m_rows.isEmpty() ? QStringLiteral("0") : shown.toDisplay());
    if (m_rows.isEmpty()) {
        edtSum_Select->setText(QStringLiteral("0"));
        if (!m_kind.summary.emptyKeepsResults)
            Panel2->hide();
        throw AppError(kNotFound);
    }
    Panel2->show();
}

void ClaimSummaryScreen::btnSendClick()
{
    QStringList claims;
    QVector<int> gridRows;
    for (int row : m_marks->markedRows()) {
        claims << m_rows.value(row).claimNo;
        gridRows << row + 1;
    }
    if (claims.isEmpty())
        throw AppError(ClaimSummary::kNothingMarked);
    if (m_marks->total().isZero())
        throw AppError(ClaimSummary::kBadAmount);
    if (!msg::confirm(this, kConfirmSave))
        return;
    m_lastControlNo = ClaimSummary::send(db(), login(), m_kind, m_listedFaculty, claims, gridRows);
    msg::info(this, kSaved);
    Panel2->hide();
    const Report doc = summaryDocument(db(), m_lastControlNo,
                                       m_kind.summary.byYearAndPatientType ? std::optional<QString>(m_listedInOut)
                                                                          : std::nullopt,
                                       db().serverNow(), &m_kind);
    previewReport(doc, this);
}

} // namespace wel::claims
