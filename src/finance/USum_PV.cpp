#include "USum_PV.h"
#include "VoucherDocument.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/MarkingGrid.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ReportPreview.h"
#include "common/widgets/ResultGrid.h"
#include "widgets/ChoiceBox.h"
#include "widgets/FinanceWidgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

using namespace finance;

namespace {
const QString kListing = QStringLiteral("listing");
constexpr int kMarkColumn = 1, kAmountColumn = 6;
} // namespace

TfrmSum_PV::TfrmSum_PV(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmSum_PV"));
    setWindowTitle(QStringLiteral("สรุปเพื่อจัดทำใบสำคัญจ่าย"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(QStringLiteral("สรุปเพื่อจัดทำใบสำคัญจ่าย"), this));

    grpSelect = new ChoiceBox(QStringLiteral("เลือกข้อมูล"),
                              {{QStringLiteral("rdoAll"), QStringLiteral("ทั้งหมด")},
                               {QStringLiteral("rdoSent_Month"), QStringLiteral("เดือน ปี ที่ส่งข้อมูล"),
                                ChoiceBox::Field::Month, QStringLiteral("edtSent_Month")},
                               {QStringLiteral("rdoSent_Year"), QStringLiteral("ปี ที่ส่งข้อมูล"), ChoiceBox::Field::Year,
                                QStringLiteral("edtSent_Year")}},
                              this);
    grpSelect->setObjectName(QStringLiteral("grpSelect"));
    grpSelect->presetFrom(login().Cur_Date);

    auto* unit = new QGroupBox(QStringLiteral("หน่วยงาน"), this);
    edtFact_Code = new FactCodeEdit(unit);
    edtFact_Code->setObjectName(QStringLiteral("edtFact_Code"));
    edtFact_Code->setMode(mode());
    edtFact_Code->setEnabled(mode() == QLatin1String("KV"));
    edtFact_Code->setText(login().Cur_Fact_Code);
    auto* unitRow = new QHBoxLayout(unit);
    unitRow->addWidget(new QLabel(QStringLiteral("รหัสคณะ"), unit));
    unitRow->addWidget(edtFact_Code);
    unitRow->addStretch();

    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), this);
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    auto* top = new QHBoxLayout;
    top->addWidget(grpSelect);
    top->addWidget(unit, 0, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(show);
    buttons->addWidget(exit);
    buttons->addStretch();
    top->addLayout(buttons);
    top->addStretch();
    root->addLayout(top);

    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    Panel2 = panel;
    StringGrid1 = new ResultGrid(QStringLiteral("StringGrid1"),
                                 {QStringLiteral("No"), QStringLiteral("Mark"), QStringLiteral("เลขที่ควบคุมใบเบิก"),
                                  QStringLiteral("รหัสคณะ"), QStringLiteral("ชื่อคณะ"), QStringLiteral("ประเภท"),
                                  QStringLiteral("จำนวนเงิน"), QStringLiteral("วันทีส่งข้อมูล")},
                                 {40, 45, 140, 60, 240, 130, 120, 110}, panel);
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->setMinimumHeight(StringGrid1->verticalHeader()->defaultSectionSize() * 8);
    StringGrid1->alignRight({kAmountColumn});
    layout->addWidget(StringGrid1, 1);

    auto* selectAll = namedButton(QStringLiteral("btnSelect_All"), QStringLiteral("เลือกทั้งหมด"), panel);
    auto* clearAll = namedButton(QStringLiteral("btnClear_All"), QStringLiteral("ยกเลิกการเลือกทั้งหมด"), panel);
    auto* select = mainButton(QStringLiteral("btnSelect"), QStringLiteral("เลือก"), panel);
    auto* unselect = namedButton(QStringLiteral("btnUnselect"), QStringLiteral("ยกเลิกการเลือก"), panel);
    layout->addLayout(buttonRow({selectAll, clearAll, select, unselect}));

    edtSum_Shows = amountField(QStringLiteral("edtSum_Shows"), panel);
    edtSum_Select = amountField(QStringLiteral("edtSum_Select"), panel);
    auto* totals = new QHBoxLayout;
    addTotals(totals, {{QStringLiteral("ยอดเงินรวมที่แสดงผล"), edtSum_Shows}, {QStringLiteral("ยอดเงินที่เลือก"), edtSum_Select}},
              panel);
    layout->addLayout(totals);

    edtPay_For_Per = namedEdit(QStringLiteral("edtPay_For_Per"), 100, panel);
    auto* payee = new QHBoxLayout;
    payee->addWidget(new QLabel(QStringLiteral("จ่ายให้"), panel));
    payee->addWidget(edtPay_For_Per, 1);
    layout->addLayout(payee);

    auto* sent = namedButton(QStringLiteral("btnSent_KV"), QStringLiteral("สรุปข้อมูลเพื่อทำใบสำคัญจ่าย"), panel);
    auto* close = namedButton(QStringLiteral("btnClose"), QStringLiteral("ออก"), panel);
    layout->addLayout(buttonRow({sent, close}));
    // The listing takes the room below; without it the selection stays at the top.
    root->addWidget(Panel2, 1000);
    root->addStretch(1);
    Panel2->hide();
    setPanels({Panel2});
    setOpensMaximised();
    installEnterAsTab(this);

    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    // The four buttons and a double-click mark rows; the selected total follows.
    m_marks = new MarkingGrid(StringGrid1, kMarkColumn, kAmountColumn, this);
    connect(selectAll, &QPushButton::clicked, m_marks, &MarkingGrid::markAll);
    connect(clearAll, &QPushButton::clicked, m_marks, &MarkingGrid::unmarkAll);
    connect(select, &QPushButton::clicked, m_marks, &MarkingGrid::markCurrent);
    connect(unselect, &QPushButton::clicked, m_marks, &MarkingGrid::unmarkCurrent);
    connect(m_marks, &MarkingGrid::totalChanged, this,
            [this](Money total) { edtSum_Select->setText(total.toDisplay()); });
    connect(sent, &QPushButton::clicked, this, [this] { guard([this] { btnSent_KVClick(); }); });
    connect(close, &QPushButton::clicked, this, &TfrmSum_PV::closeListing);
}

QString TfrmSum_PV::facultyToList() const
{
    // A faculty sees its own; the finance division looks at one that has some.
    const QString own = voucherFaculty(login(), edtFact_Code->code());
    if (!Vouchers::listOpenControls(db(), own, Period::all()).isEmpty())
        return own;
    if (mode() != QLatin1String("KV"))
        return {};
    const auto open = Vouchers::listOpenControls(db(), {}, Period::all());
    return open.isEmpty() ? QString() : open.first().factCode;
}

QStringList TfrmSum_PV::panelStates() const
{
    // The listing is reached only when there is something to list.
    if (!finance::anythingTo([this] { return facultyToList(); }))
        return {kOpened};
    return {kOpened, kListing};
}

void TfrmSum_PV::showPanelState(const QString& name)
{
    if (name != kListing)
        return;
    closeListing();
    grpSelect->choose(0);
    if (mode() == QLatin1String("KV"))
        edtFact_Code->setText(facultyToList());
    guard([this] { btnShowClick(); });
    for (int row = 0; row < qMin(2, int(m_rows.size())); ++row)
        m_marks->toggle(row);
    edtPay_For_Per->setText(QStringLiteral("นางสาวมาลี ใจดี"));
}

void TfrmSum_PV::btnShowClick()
{
    const QString fact = voucherFaculty(login(), edtFact_Code->code());
    const auto rows = Vouchers::listOpenControls(db(), fact, periodOf(grpSelect, {Period::All, Period::Month, Period::Year}));
    if (rows.isEmpty()) {
        closeListing();
        throw AppError(kNotFound);
    }
    m_rows = rows;
    m_factCode = fact;
    QVector<QStringList> cells;
    Money shown;
    for (int i = 0; i < rows.size(); ++i) {
        const ControlRow& r = rows[i];
        cells.push_back({QString::number(i + 1), {}, r.controlNo, r.factCode, r.factName, voucherTypeLabel(r.docType),
                         r.amount.toDisplay(), r.sentDate});
        shown += r.amount;
    }
    StringGrid1->showRows(std::move(cells));
    m_marks->reset();
    StringGrid1->selectRow(0);
    // The listing belongs to this faculty until it is closed: the voucher is made for it.
    edtFact_Code->setText(fact);
    edtFact_Code->setEnabled(false);
    edtSum_Shows->setText(shown.toDisplay());
    Panel2->show();
}

void TfrmSum_PV::btnSent_KVClick()
{
    QStringList chosen;
    for (int row : m_marks->markedRows())
        chosen << m_rows.value(row).controlNo;
    if (chosen.isEmpty() || m_marks->total().isZero())
        throw AppError(kSelectData);
    if (!msg::confirm(this, kConfirmVoucher))
        return;
    const QString pvrNo = Vouchers::make(db(), login(), m_factCode, chosen, edtPay_For_Per->text());
    closeListing();
    const Report voucher = voucherReport(db(), pvrNo);
    previewReport(voucher, this);
}

void TfrmSum_PV::closeListing()
{
    Panel2->hide();
    m_rows.clear();
    StringGrid1->showRows({});
    m_marks->reset();
    edtPay_For_Per->clear();
    edtFact_Code->setEnabled(mode() == QLatin1String("KV"));
}

} // namespace wel
