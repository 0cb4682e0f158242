#include "UEntry_Depart_DocNo.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"
#include "widgets/ChoiceBox.h"
#include "widgets/FinanceWidgets.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

using namespace finance;

namespace {

const QString kPanel = QStringLiteral("panel");
const QString kListed = QStringLiteral("listed");

QLabel* boldLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

// Rows of the panel's table: the caption (its blanks line the codes up) and
// the stored figures it shows.
const char* const kRows[] = {
    "จ่ายค่าเลาเรียนบุตร                  (972)",
    "จ่ายค่ารักษาพยาบาลคนใข้นอก  (973)",
    "จ่ายค่ารักษาพยาบาลคนใข้ใน     (974)",
    "สวัสดิการอื่น ๆ                          (999)",
};

} // namespace

TfrmEntry_Depart_DocNo::TfrmEntry_Depart_DocNo(const ScreenContext& context, Step step, QWidget* parent)
    : Screen(context, parent), m_step(step)
{
    const bool subUnit = step == Step::SubUnit;
    setObjectName(subUnit ? QStringLiteral("frmEntry_Depart_DocNo") : QStringLiteral("frmEntry_PV_Doc"));
    const QString title = subUnit ? QStringLiteral("บันทึกเลขที่หน่วยงานย่อย") : QStringLiteral("บันทึกเลขที่จ่าย (PV)");
    setWindowTitle(title);
    auto* root = new QVBoxLayout(this);

    const auto [list, listLayout] = namedPanel(QStringLiteral("Panel1"), this);
    Panel1 = list;
    listLayout->addWidget(titleLabel(title, list));
    QVector<ChoiceBox::Choice> choices{{QStringLiteral("rdoAll"), QStringLiteral("ทั้งหมด")}};
    if (subUnit)
        choices << ChoiceBox::Choice{QStringLiteral("rdoSent_Month"), QStringLiteral("เดือน ปี ที่ส่งข้อมูล"),
                                     ChoiceBox::Field::Month, QStringLiteral("edtSent_Month")}
                << ChoiceBox::Choice{QStringLiteral("rdoSent_Year"), QStringLiteral("ปี ที่ส่งข้อมูล"),
                                     ChoiceBox::Field::Year, QStringLiteral("edtSent_Year")};
    else
        choices << ChoiceBox::Choice{QStringLiteral("rdoDep_Sub_Doc_No"), QStringLiteral("เลขที่หน่วยงานย่อย"),
                                     ChoiceBox::Field::Text, QStringLiteral("edtSel_Dep_Sub_Doc_No"), 50}
                << ChoiceBox::Choice{QStringLiteral("rdoFN_Doc_No"), QStringLiteral("เลขที่กองคลัง"),
                                     ChoiceBox::Field::Text, QStringLiteral("edtSel_FN_Doc_No"), 50};
    choices << ChoiceBox::Choice{QStringLiteral("rdoPVR_NO"), QStringLiteral("เลขที่ PVR"), ChoiceBox::Field::Text,
                                 QStringLiteral("edtSel_PVR_NO"), 15};
    grpSelect = new ChoiceBox(QStringLiteral("เลือกข้อมูล"), choices, list);
    grpSelect->addHint(3, QStringLiteral("ตัวอย่าง   PVR2551/00001OP"));
    grpSelect->presetFrom(login().Cur_Date);

    const ListingHead listed = addListingHead(listLayout, list, grpSelect, login().Cur_Fact_Code,
                                            QStringLiteral("btnShow"), QStringLiteral("แสดงผล"));
    edtFact_Code = listed.factCode;
    auto* show = listed.show;
    auto* exit = listed.exit;

    QStringList headings{QStringLiteral("No"),        QStringLiteral("เลขที่ PVR"),       QStringLiteral("วันที่ส่งข้อมูล"),
                         QStringLiteral("รหัสคณะ"),  QStringLiteral("เลขที่หน่วยงานย่อย"), QStringLiteral("เลขที่กองคลัง"),
                         QStringLiteral("วัน/เดือน/ปี")};
    QVector<int> widths{30, 130, 110, 60, 130, 110, 90};
    if (!subUnit) {
        headings << QStringLiteral("เลขที่จ่าย(PV)") << QStringLiteral("วันที่");
        widths << 110 << 90;
    }
    StringGrid1 = listGrid(QStringLiteral("StringGrid1"), headings, widths, 10, list);
    listLayout->addWidget(StringGrid1, 1);
    auto* open = namedButton(subUnit ? QStringLiteral("btnSub_Unit") : QStringLiteral("btnPV_Doc"),
                             subUnit ? QStringLiteral("บันทึกเลขที่หน่วยงานย่อย") : QStringLiteral("บันทึกเลขที่สำคัญจ่าย (PV)"),
                             list);
    listLayout->addLayout(buttonRow({open}));

    Panel2 = buildPanel();
    root->addWidget(Panel1, 1);
    root->addWidget(Panel2, 1);
    Panel2->hide();
    setPanels({Panel1, Panel2});
    setOpensMaximised();
    installEnterAsTab(this);

    connect(show, &QPushButton::clicked, this, [this] { guard([this] { btnShowClick(); }); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    connect(open, &QPushButton::clicked, this, [this] { guard([this] { btnOpenClick(); }); });
    connect(StringGrid1, &ResultGrid::doubleClicked, this, [this] { guard([this] { btnOpenClick(); }); });
}

QWidget* TfrmEntry_Depart_DocNo::buildPanel()
{
    const bool subUnit = m_step == Step::SubUnit;
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    auto* head = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(titleLabel(QStringLiteral("มหาวิทยาลัยVelmarn"), panel));
    left->addWidget(titleLabel(QStringLiteral("ใบสำคัญจ่ายเงินกองทุนสวัสดิการพนักงานมหาวิทยาลัย"), panel));
    auto* unit = new QGridLayout;
    lblFact_Name = boldLabel(QStringLiteral("lblFact_Name"), {}, panel);
    lblFact_Code = boldLabel(QStringLiteral("lblFact_Code"), {}, panel);
    lblPVR_NO = boldLabel(QStringLiteral("lblPVR_NO"), {}, panel);
    unit->addWidget(new QLabel(QStringLiteral("ชื่อหน่วยงาน"), panel), 0, 0);
    unit->addWidget(lblFact_Name, 0, 1);
    unit->addWidget(new QLabel(QStringLiteral("รหัสคณะ"), panel), 0, 2);
    unit->addWidget(lblFact_Code, 0, 3);
    unit->addWidget(new QLabel(QStringLiteral("บัญชีเงินทุน"), panel), 1, 0);
    unit->addWidget(boldLabel({}, QStringLiteral("กองทุนสวัสดิการพนักงานมหาวิทยาลัย"), panel), 1, 1);
    unit->addWidget(new QLabel(QStringLiteral("รหัส"), panel), 1, 2);
    unit->addWidget(boldLabel({}, QStringLiteral("312010205"), panel), 1, 3);
    unit->addWidget(new QLabel(QStringLiteral("เลขที่ PVR"), panel), 2, 0);
    unit->addWidget(lblPVR_NO, 2, 1);
    unit->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("คณะมนุษยศาสตร์และสังคมศาสตร์")) + 12);
    left->addLayout(unit);
    left->addStretch();
    head->addLayout(left);
    head->addSpacing(24);

    auto* right = new QVBoxLayout;
    auto* numbers = new QFormLayout;
    edtDep_Sub_Doc_No = namedEdit(QStringLiteral("edtDep_Sub_Doc_No"), 50, panel, FieldKind::Code);
    edtFN_Doc_No = namedEdit(QStringLiteral("edtFN_Doc_No"), 50, panel, FieldKind::Code);
    edtFN_Doc_Date = new BEDateEdit(panel);
    edtFN_Doc_Date->setObjectName(QStringLiteral("edtFN_Doc_Date"));
    for (QLineEdit* e : {static_cast<QLineEdit*>(edtDep_Sub_Doc_No), edtFN_Doc_No,
                         static_cast<QLineEdit*>(edtFN_Doc_Date)})
        e->setReadOnly(!subUnit);
    numbers->addRow(QStringLiteral("เลขที่หน่วยงานย่อย"), edtDep_Sub_Doc_No);
    numbers->addRow(QStringLiteral("เลขที่กองคลัง"), edtFN_Doc_No);
    numbers->addRow(QStringLiteral("วัน/เดือน/ปี"), edtFN_Doc_Date);
    right->addLayout(numbers);
    auto* finance = new QGroupBox(QStringLiteral("สำหรับกองคลังกรอก"), panel);
    finance->setObjectName(QStringLiteral("grpFinance"));
    grpFinance = finance;
    edtPV_Doc_No = namedEdit(QStringLiteral("edtPV_Doc_No"), 50, finance, FieldKind::Code);
    edtPV_date = new BEDateEdit(finance);
    edtPV_date->setObjectName(QStringLiteral("edtPV_date"));
    auto* pv = new QFormLayout(finance);
    pv->addRow(QStringLiteral("เลขที่จ่าย(PV)"), edtPV_Doc_No);
    pv->addRow(QStringLiteral("วันที่"), edtPV_date);
    finance->setVisible(!subUnit);
    finance->setEnabled(!subUnit);
    right->addWidget(finance);
    right->addStretch();
    head->addLayout(right);
    head->addStretch();
    layout->addLayout(head);

    auto* table = new QFrame(panel);
    table->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(table);
    grid->addWidget(boldLabel({}, QStringLiteral("รายการ"), table), 0, 0, Qt::AlignCenter);
    grid->addWidget(boldLabel({}, QStringLiteral("จำนวนเงิน"), table), 0, 3, Qt::AlignCenter);
    const QString widestAmount = QStringLiteral("2,000,000,000.00");
    for (int i = 0; i < 4; ++i) {
        lblCount[i] = new QLabel(table);
        lblCount[i]->setObjectName(QStringLiteral("lblCount%1").arg(i + 1));
        lblCount[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblMoney[i] = new QLabel(table);
        lblMoney[i]->setObjectName(QStringLiteral("lblMoney%1").arg(i + 1));
        lblMoney[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lblMoney[i]->setMinimumWidth(fontMetrics().horizontalAdvance(widestAmount) + 8);
        grid->addWidget(new QLabel(QString::fromUtf8(kRows[i]), table), i + 1, 0);
        grid->addWidget(lblCount[i], i + 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("ราย"), table), i + 1, 2);
        grid->addWidget(lblMoney[i], i + 1, 3);
    }
    lblTotal = boldLabel(QStringLiteral("lblTotal"), {}, table);
    lblTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(boldLabel({}, QStringLiteral("รวมทั้งสิ้น"), table), 5, 0, 1, 3, Qt::AlignRight);
    grid->addWidget(lblTotal, 5, 3);
    grid->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 8);
    grid->setHorizontalSpacing(16);
    auto* tableRow = new QHBoxLayout;
    tableRow->addWidget(table);
    tableRow->addStretch();
    layout->addLayout(tableRow);

    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"), panel);
    auto* close = namedButton(QStringLiteral("btnClose"), QStringLiteral("ออก"), panel);
    layout->addLayout(buttonRow({save, close}));
    layout->addStretch();
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(close, &QPushButton::clicked, this, &TfrmEntry_Depart_DocNo::backToList);
    return panel;
}

QString TfrmEntry_Depart_DocNo::facultyToList() const
{
    if (!DocNumbers::list(db(), edtFact_Code->code(), {}).isEmpty())
        return edtFact_Code->code();
    return DocNumbers::firstFaculty(db());
}

QStringList TfrmEntry_Depart_DocNo::panelStates() const
{
    // The list and the panel are reached only when there is something to list.
    if (!anythingTo([this] { return facultyToList(); }))
        return {kOpened};
    return {kOpened, kListed, kPanel};
}

void TfrmEntry_Depart_DocNo::showPanelState(const QString& name)
{
    if (name != kListed && name != kPanel)
        return;
    backToList();
    edtFact_Code->setText(facultyToList());
    grpSelect->choose(0);
    guard([this] { btnShowClick(); });
    if (name == kPanel && StringGrid1->rowCount() > 0) {
        StringGrid1->selectRow(StringGrid1->rowCount() - 1);
        guard([this] { btnOpenClick(); });
    }
}

void TfrmEntry_Depart_DocNo::btnShowClick()
{
    static const DocFilter::Kind kSubUnitKinds[] = {DocFilter::All, DocFilter::SentMonth, DocFilter::SentYear,
                                                    DocFilter::PvrPrefix};
    static const DocFilter::Kind kPaymentKinds[] = {DocFilter::All, DocFilter::SubUnitNo, DocFilter::FinanceNo,
                                                    DocFilter::PvrPrefix};
    const int chosen = grpSelect->chosen();
    const DocFilter filter{m_step == Step::SubUnit ? kSubUnitKinds[chosen] : kPaymentKinds[chosen], grpSelect->value()};
    const auto list = DocNumbers::list(db(), edtFact_Code->code(), filter);
    QVector<QStringList> cells;
    for (int i = 0; i < list.size(); ++i) {
        const VoucherDocs& d = list[i];
        QStringList row{QString::number(i + 1), d.pvrNo,     d.sentDate,   d.factCode,
                        d.subUnitNo,            d.financeNo, d.financeDate};
        if (m_step == Step::Payment)
            row << d.paymentNo << d.paymentDate;
        cells.push_back(row);
    }
    StringGrid1->showRows(std::move(cells));
    if (list.isEmpty())
        throw AppError(kNotFound);
    StringGrid1->selectRow(0);
}

void TfrmEntry_Depart_DocNo::btnOpenClick()
{
    const QString pvrNo = StringGrid1->text(StringGrid1->currentRow(), 1);
    if (pvrNo.trimmed().isEmpty())
        throw AppError(kChooseProperRow);
    const VoucherDocs d = DocNumbers::read(db(), pvrNo);
    // The summary's own faculty, whatever the field says by now.
    lblFact_Name->setText(d.factName);
    lblFact_Code->setText(d.factCode);
    lblPVR_NO->setText(d.pvrNo);
    edtDep_Sub_Doc_No->setText(d.subUnitNo);
    edtFN_Doc_No->setText(d.financeNo);
    edtFN_Doc_Date->setText(d.financeDate);
    edtPV_Doc_No->setText(d.paymentNo);
    edtPV_date->setText(d.paymentDate);
    const int counts[] = {d.eduCount, d.outCount, d.inCount, d.othCount};
    const Money amounts[] = {d.edu, d.out, d.in, d.oth};
    for (int i = 0; i < 4; ++i) {
        lblCount[i]->setText(QString::number(counts[i]));
        lblMoney[i]->setText(amounts[i].toDisplay());
    }
    lblTotal->setText(d.total().toDisplay());
    Panel1->hide();
    Panel2->show();
    (m_step == Step::SubUnit ? edtDep_Sub_Doc_No : edtPV_Doc_No)->setFocus();
}

void TfrmEntry_Depart_DocNo::btnSaveClick()
{
    const QString pvrNo = lblPVR_NO->text();
    if (m_step == Step::SubUnit) {
        DocNumbers::checkSubUnit(edtDep_Sub_Doc_No->text(), edtFN_Doc_No->text(), edtFN_Doc_Date->text());
        if (!msg::confirm(this, kConfirmSave))
            return;
        DocNumbers::saveSubUnit(db(), login(), pvrNo, edtDep_Sub_Doc_No->text(), edtFN_Doc_No->text(), edtFN_Doc_Date->text());
    } else {
        DocNumbers::checkPayment(edtPV_Doc_No->text(), edtPV_date->text());
        if (!msg::confirm(this, kConfirmSave))
            return;
        DocNumbers::savePayment(db(), login(), pvrNo, edtPV_Doc_No->text(), edtPV_date->text());
    }
    msg::info(this, kSaved);
    backToList();
    guard([this] { btnShowClick(); });
}

void TfrmEntry_Depart_DocNo::backToList()
{
    Panel2->hide();
    Panel1->show();
}

} // namespace wel
