#include "UCancel_Sent_KV_Doc.h"
#include "CancelService.h"
#include "common/ThaiDate.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"
#include "widgets/ChoiceBox.h"
#include "widgets/FinanceWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

using namespace finance;

namespace {
const QString kListed = QStringLiteral("listed");
const QString kDetail = QStringLiteral("detail");
constexpr int kNumber = 1, kLabel = 4, kAmount = 5, kDate = 6, kType = 7;
} // namespace

TfrmCancel_Sent_KV_Doc::TfrmCancel_Sent_KV_Doc(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmCancel_Sent_KV_Doc"));
    setWindowTitle(QStringLiteral("ยกเลิกเลขที่ควบคุมใบเบิก"));
    auto* root = new QVBoxLayout(this);

    const auto [list, listLayout] = namedPanel(QStringLiteral("Panel1"), this);
    Panel1 = list;
    listLayout->addWidget(titleLabel(QStringLiteral("ยกเลิกเลขที่ควบคุมใบเบิก"), list));
    grpSelect = new ChoiceBox(QStringLiteral("เลือกข้อมูล"),
                              {{QStringLiteral("rdoSel_date"), QStringLiteral("วันที่ส่งข้อมูล"), ChoiceBox::Field::Date,
                                QStringLiteral("edtSel_date")},
                               {QStringLiteral("rdoSel_month"), QStringLiteral("เดือน ปี ที่ส่งข้อมูล"),
                                ChoiceBox::Field::Month, QStringLiteral("edtSel_month")},
                               {QStringLiteral("rdoSel_Year"), QStringLiteral("ปี ที่ส่งข้อมูล"), ChoiceBox::Field::Year,
                                QStringLiteral("edtSel_Year")}},
                              list);
    grpSelect->presetFrom(login().Cur_Date);
    grpUnit = new ChoiceBox(QStringLiteral("หน่วยงาน"),
                            {{QStringLiteral("rdoAll_Fact"), QStringLiteral("ทั้งหมด")},
                             {QStringLiteral("rdoOne_Fact"), QStringLiteral("เฉพาะคณะ"), ChoiceBox::Field::Faculty,
                              QStringLiteral("edtFact_Code")}},
                            list);
    auto* show = namedButton(QStringLiteral("btnShow"), QStringLiteral("แสดงผล"), list);
    auto* exit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), list);
    auto* top = new QHBoxLayout;
    top->addWidget(grpSelect, 0, Qt::AlignTop);
    top->addWidget(grpUnit, 0, Qt::AlignTop);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(show);
    buttons->addWidget(exit);
    buttons->addStretch();
    top->addLayout(buttons);
    top->addStretch();
    listLayout->addLayout(top);
    StringGrid1 = listGrid(QStringLiteral("StringGrid1"),
                           {QStringLiteral("No"), QStringLiteral("เลขที่ควบคุมใบเบิก"), QStringLiteral("รหัสคณะ"),
                            QStringLiteral("ชื่อคณะ"), QStringLiteral("ประเภท"), QStringLiteral("จำนวนเงิน"),
                            QStringLiteral("วันทีส่งข้อมูล"), QStringLiteral("ประเภทใบเบิก")},
                           {50, 130, 60, 220, 110, 120, 100, 100}, 10, list);
    StringGrid1->alignRight({kAmount});
    listLayout->addWidget(StringGrid1, 1);
    auto* detail = namedButton(QStringLiteral("btnDetail"), QStringLiteral("แสดงรายละเอียด"), list);
    listLayout->addLayout(buttonRow({detail}));

    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    Panel2 = panel;
    layout->addWidget(titleLabel(QStringLiteral("ยกเลิกเลขที่ควบคุมใบเบิก"), panel));
    edtSent_KV_Doc_ID = shownField(QStringLiteral("edtSent_KV_Doc_ID"), QStringLiteral("KV2568/000000MM"), panel);
    edtSent_Date = shownField(QStringLiteral("edtSent_Date"), QStringLiteral("00/00/0000"), panel);
    edtType_Name = shownField(QStringLiteral("edtType_Name"), QStringLiteral("ค่าเล่าเรียนบุตร"), panel);
    edtType_Code = shownField(QStringLiteral("edtType_Code"), QStringLiteral("MMM"), panel);
    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel(QStringLiteral("เลขที่ควบคุมใบเบิก"), panel));
    head->addWidget(edtSent_KV_Doc_ID);
    head->addSpacing(16);
    head->addWidget(new QLabel(QStringLiteral("วันที่ประมวลผลเลขที่ควบคุมใบเบิก"), panel));
    head->addWidget(edtSent_Date);
    head->addSpacing(16);
    head->addWidget(new QLabel(QStringLiteral("ประเภทใบเบิก"), panel));
    head->addWidget(edtType_Name);
    head->addWidget(new QLabel(QStringLiteral("รหัส"), panel));
    head->addWidget(edtType_Code);
    head->addStretch();
    layout->addLayout(head);
    StringGrid2 = listGrid(QStringLiteral("StringGrid2"),
                           {QStringLiteral("No"), QStringLiteral("สถานะ"), QStringLiteral("เลขที่ใบเบิก"),
                            QStringLiteral("วันที่เบิก"), QStringLiteral("จำนวนเงินที่เบิก"),
                            QStringLiteral("รหัสประจำตัวพนักงาน"), QStringLiteral("ชื่อ-นามสกุล"), QStringLiteral("KV_ID"),
                            QStringLiteral("Pay_Year")},
                           {30, 0, 130, 90, 120, 130, 220, 120, 70}, 10, panel);
    StringGrid2->alignRight({4});
    layout->addWidget(StringGrid2, 1);
    edtSum = amountField(QStringLiteral("edtSum"), panel);
    auto* total = new QHBoxLayout;
    addTotal(total, QStringLiteral("ยอดเงินรวม"), edtSum, panel);
    layout->addLayout(total);
    auto* cancel = namedButton(QStringLiteral("btnCancel_Doc"), QStringLiteral("ยกเลิกเลขที่ควบคุมใบเบิก"), panel);
    auto* close = namedButton(QStringLiteral("btnClose"), QStringLiteral("ออก"), panel);
    layout->addLayout(buttonRow({cancel, close}));

    root->addWidget(Panel1, 1);
    root->addWidget(Panel2, 1);
    Panel2->hide();
    setPanels({Panel1, Panel2});
    setOpensMaximised();
    installEnterAsTab(this);

    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    connect(detail, &QPushButton::clicked, this, [this] { guard([this] { btnDetailClick(); }); });
    connect(StringGrid1, &ResultGrid::doubleClicked, this, [this] { guard([this] { btnDetailClick(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { guard([this] { btnCancel_DocClick(); }); });
    connect(close, &QPushButton::clicked, this, [this] {
        Panel2->hide();
        Panel1->show();
    });
}

QString TfrmCancel_Sent_KV_Doc::yearToList() const
{
    QString newest;
    for (const ControlRow& c : Vouchers::listOpenControls(db(), {}, Period::all()))
        if (sortKeyOf(c.sentDate) > sortKeyOf(newest))
            newest = c.sentDate;
    return yearOf(newest);
}

QStringList TfrmCancel_Sent_KV_Doc::panelStates() const
{
    // The list and its details are reached only when a control number is open.
    if (!anythingTo([this] { return yearToList(); }))
        return {kOpened};
    return {kOpened, kListed, kDetail};
}

void TfrmCancel_Sent_KV_Doc::showPanelState(const QString& name)
{
    if (name != kListed && name != kDetail)
        return;
    Panel2->hide();
    Panel1->show();
    grpSelect->choose(2);
    grpSelect->field(2)->setText(yearToList());
    guard([this] { btnShowClick(); });
    if (name == kDetail && StringGrid1->rowCount() > 0) {
        StringGrid1->selectRow(0);
        guard([this] { btnDetailClick(); });
    }
}

void TfrmCancel_Sent_KV_Doc::btnShowClick()
{
    const QString fact = grpUnit->chosen() == 1 ? grpUnit->value() : QString();
    const auto rows = Vouchers::listOpenControls(db(), fact,
                                                 periodOf(grpSelect, {Period::Day, Period::Month, Period::Year}));
    QVector<QStringList> cells;
    for (int i = 0; i < rows.size(); ++i) {
        const ControlRow& r = rows[i];
        cells.push_back({QString::number(i + 1), r.controlNo, r.factCode, r.factName, cancelTypeLabel(r.docType),
                         r.amount.toDisplay(), r.sentDate, r.docType});
    }
    StringGrid1->showRows(std::move(cells));
    if (rows.isEmpty())
        throw AppError(kNotFound);
    StringGrid1->selectRow(0);
}

void TfrmCancel_Sent_KV_Doc::btnDetailClick()
{
    const int row = StringGrid1->currentRow();
    const QString controlNo = StringGrid1->text(row, kNumber);
    if (controlNo.isEmpty())
        throw AppError(kNotFound);
    const auto claims = ControlCancel::claims(db(), controlNo);
    if (claims.isEmpty())
        throw AppError(kNotFound);
    edtSent_KV_Doc_ID->setText(controlNo);
    edtSent_Date->setText(StringGrid1->text(row, kDate));
    edtType_Name->setText(StringGrid1->text(row, kLabel));
    edtType_Code->setText(StringGrid1->text(row, kType));
    QVector<QStringList> cells;
    Money total;
    for (int i = 0; i < claims.size(); ++i) {
        const ControlClaim& c = claims[i];
        cells.push_back({QString::number(i + 1), {}, c.claimNo, c.dateBerg, c.payable.toDisplay(), c.empId, c.name,
                         c.kvId, c.payYear});
        total += c.payable;
    }
    StringGrid2->showRows(std::move(cells));
    edtSum->setText(total.toDisplay());
    Panel1->hide();
    Panel2->show();
}

void TfrmCancel_Sent_KV_Doc::btnCancel_DocClick()
{
    const QString no = edtSent_KV_Doc_ID->text();
    if (!msg::confirm(this, kConfirmCancelControl + no))
        return;
    ControlCancel::cancel(db(), login(), no);
    msg::info(this, controlCancelledText(no));
    backToList();
}

void TfrmCancel_Sent_KV_Doc::backToList()
{
    Panel2->hide();
    Panel1->show();
    StringGrid1->showRows({});
    guard([this] { btnShowClick(); });
}

} // namespace wel
