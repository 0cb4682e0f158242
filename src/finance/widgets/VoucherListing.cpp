#include "VoucherListing.h"
#include "ChoiceBox.h"
#include "FinanceWidgets.h"
#include "common/ThaiDate.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

using namespace finance;

namespace {
const QString kDetail = QStringLiteral("detail");
const QString kListed = QStringLiteral("listed");
} // namespace

VoucherListing::VoucherListing(const ScreenContext& context, const Kind& kind, QWidget* parent)
    : Screen(context, parent)
{
    setObjectName(kind.objectName);
    setWindowTitle(kind.windowTitle);
    auto* root = new QVBoxLayout(this);

    const auto [list, listLayout] = namedPanel(QStringLiteral("Panel1"), this);
    Panel1 = list;
    if (!kind.title.isEmpty())
        listLayout->addWidget(titleLabel(kind.title, list));
    grpSelect = new ChoiceBox(QStringLiteral("พิมพ์รายงานสรุปใบเบิกสวัสดิการ"),
                              {{QStringLiteral("rdoSel_date"), QStringLiteral("วันเดือนปี"), ChoiceBox::Field::Date,
                                QStringLiteral("edtSel_date")},
                               {QStringLiteral("rdoSel_month"), QStringLiteral("เดือนปี"), ChoiceBox::Field::Month,
                                QStringLiteral("edtSel_month")},
                               {QStringLiteral("rdoSel_Year"), QStringLiteral("ปี"), ChoiceBox::Field::Year,
                                QStringLiteral("edtSel_Year")}},
                              list);
    grpSelect->presetFrom(login().Cur_Date);
    const ListingHead listed = addListingHead(listLayout, list, grpSelect, login().Cur_Fact_Code,
                                            QStringLiteral("btnShow_data"), QStringLiteral("แสดงข้อมูล"));
    edtFact_Code = listed.factCode;
    edtFact_Code->setReadOnly(!kind.facultyEditable);
    edtFact_Code->setEnabled(kind.facultyEditable);
    m_anyFaculty = kind.facultyEditable;
    auto* show = listed.show;
    auto* exit = listed.exit;
    StringGrid1 = listGrid(QStringLiteral("StringGrid1"),
                           {QStringLiteral("No"), QStringLiteral("เลขที่ PVR"), QStringLiteral("วันที่ประมวลผลเลขที่ PVR")},
                           {50, 190, 190}, 10, list);
    StringGrid1->setMaximumWidth(560);
    listLayout->addWidget(StringGrid1, 1);
    auto* detail = namedButton(QStringLiteral("btnDetail"), QStringLiteral("แสดงรายละเอียด"), list);
    listLayout->addLayout(buttonRow({detail}));

    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    Panel2 = panel;
    if (!kind.title.isEmpty())
        layout->addWidget(titleLabel(kind.title, panel));
    edtSent_KV_Doc_ID = shownField(QStringLiteral("edtSent_KV_Doc_ID"), QStringLiteral("PVR2568/00000MM"), panel);
    edtSent_Date = shownField(QStringLiteral("edtSent_Date"), QStringLiteral("00/00/0000"), panel);
    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel(QStringLiteral("เลขที่ PVR"), panel));
    head->addWidget(edtSent_KV_Doc_ID);
    head->addSpacing(24);
    head->addWidget(new QLabel(QStringLiteral("วันที่ประมวลผลเลขที่ PVR"), panel));
    head->addWidget(edtSent_Date);
    head->addStretch();
    layout->addLayout(head);
    StringGrid2 = voucherMemberGrid(QStringLiteral("StringGrid2"), panel);
    layout->addWidget(StringGrid2, 1);
    edtSum_Select = amountField(QStringLiteral("edtSum_Select"), panel);
    auto* total = new QHBoxLayout;
    addTotal(total, QStringLiteral("ยอดเงินรวม"), edtSum_Select, panel);
    layout->addLayout(total);
    auto* action = namedButton(kind.actionName, kind.actionCaption, panel);
    auto* close = namedButton(QStringLiteral("btnClose"), QStringLiteral("ออก"), panel);
    layout->addLayout(buttonRow({action, close}));

    root->addWidget(Panel1, 1);
    root->addWidget(Panel2, 1);
    Panel2->hide();
    setPanels({Panel1, Panel2});
    setOpensMaximised();
    installEnterAsTab(this);

    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShow_dataClick(); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    connect(detail, &QPushButton::clicked, this, [this] { guard([this] { btnDetailClick(); }); });
    connect(StringGrid1, &ResultGrid::doubleClicked, this, [this] { guard([this] { btnDetailClick(); }); });
    connect(action, &QPushButton::clicked, this, [this] { guard([this] { act(edtSent_KV_Doc_ID->text()); }); });
    connect(close, &QPushButton::clicked, this, [this] {
        Panel2->hide();
        Panel1->show();
    });
}

QString VoucherListing::facultyToList() const
{
    const Period thisYear = Period::year(yearOf(login().Cur_Date));
    if (!Vouchers::listInForce(db(), edtFact_Code->code(), thisYear).isEmpty())
        return edtFact_Code->code();
    if (!m_anyFaculty)
        return {};
    return Vouchers::firstFacultyInForce(db(), thisYear);
}

QStringList VoucherListing::panelStates() const
{
    // The list and its details are reached only when there is something to list.
    if (!anythingTo([this] { return facultyToList(); }))
        return {kOpened};
    return {kOpened, kListed, kDetail};
}

void VoucherListing::showPanelState(const QString& name)
{
    if (name != kListed && name != kDetail)
        return;
    Panel2->hide();
    Panel1->show();
    edtFact_Code->setText(facultyToList());
    grpSelect->choose(2);
    guard([this] { btnShow_dataClick(); });
    if (name == kDetail && StringGrid1->rowCount() > 0) {
        StringGrid1->selectRow(0);
        guard([this] { btnDetailClick(); });
    }
}

void VoucherListing::btnShow_dataClick()
{
    const auto rows = Vouchers::listInForce(db(), edtFact_Code->code(),
                                            periodOf(grpSelect, {Period::Day, Period::Month, Period::Year}));
    QVector<QStringList> cells;
    for (int i = 0; i < rows.size(); ++i)
        cells.push_back({QString::number(i + 1), rows[i].pvrNo, rows[i].sentDate});
    StringGrid1->showRows(std::move(cells));
    if (rows.isEmpty())
        throw AppError(kNotFound);
    StringGrid1->selectRow(0);
}

void VoucherListing::btnDetailClick()
{
    const int row = StringGrid1->currentRow();
    const QString pvrNo = StringGrid1->text(row, 1);
    if (pvrNo.isEmpty())
        throw AppError(kNotFound);
    const auto members = Vouchers::members(db(), pvrNo);
    if (members.isEmpty())
        throw AppError(kNotFound);
    edtSent_KV_Doc_ID->setText(pvrNo);
    edtSent_Date->setText(StringGrid1->text(row, 2));
    edtSum_Select->setText(fillVoucherMembers(StringGrid2, members).toDisplay());
    Panel1->hide();
    Panel2->show();
}

void VoucherListing::backToList()
{
    Panel2->hide();
    Panel1->show();
    StringGrid1->showRows({});
    guard([this] { btnShow_dataClick(); });
}

} // namespace wel
