#include "UEntry_Other_Health.h"
#include "OtherWelfareService.h"
#include "claims/widgets/ClaimEntryScreen.h"
#include "common/Limits.h"
#include "common/Utility.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace wel::claims {

namespace {

const QString kTitle = QStringLiteral("บันทึกการเบิกสวัสดิการอื่น ๆ");

// The entitlement shown beside the right type: "ไม่จำกัดวงเงิน" for type "3".
QString entitlement(const QString& hType)
{
    const RightTypeLimit* l = rightTypeLimit(hType);
    return l ? l->listText : QString();
}

} // namespace

TfrmEntry_Other_Health::TfrmEntry_Other_Health(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(otherWelfare().entry.objectName);
    Panel1 = buildSearchPanel();
    Panel2 = buildEntryPanel();
    setSearchAndEntry(kTitle, Panel1, Panel2);

    for (const OtherWelfare::Choice& c : OtherWelfare::welfareKinds(db()))
        cmbHealth_In_Out_t->addItem(c.text, c.code);
    for (const OtherWelfare::Choice& c : OtherWelfare::beneficiaries(db()))
        cmbEmp_Folk->addItem(c.text, c.code);
    cmbDate_Berg1->setText(login().Cur_Date);
    installEnterAsTab(this);
}

QStringList TfrmEntry_Other_Health::panelStates() const { return {kOpened, QStringLiteral("search"), QStringLiteral("entry")}; }

void TfrmEntry_Other_Health::showPanelState(const QString& name)
{
    Panel2->hide();
    Panel1->show();
    if (name == kOpened || !guard([this] { m_search->listAll(); }) || name == QLatin1String("search"))
        return;
    cmbHealth_In_Out_t->setCurrentIndex(qMin(1, cmbHealth_In_Out_t->count() - 1));
    if (!guard([this] { btnPost_HealClick(); }))
        return;
    edtM_Berg->setText(QStringLiteral("10,000.00"));
    edtDoc_No->setText(QStringLiteral("ศธ 0513/1234"));
    edtDoc_Date->setText(login().Cur_Date);
    edtMati_No->setText(QStringLiteral("3/") + login().Cur_Bud_Year);
    edtMati_date->setText(login().Cur_Date);
    edtDoc_Detail->setText(QStringLiteral("ตามมติที่ประชุมคณะกรรมการกองทุนสวัสดิการ"));
}

QWidget* TfrmEntry_Other_Health::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
    EmployeeSearchOptions options = employeeSearchOptions(otherWelfare());
    options.factCaption = QStringLiteral("รหัสคณะ");
    m_search = new EmployeeSearchPanel(db(), login(), options, panel);
    m_search->setObjectName(QStringLiteral("EmployeeSearch"));
    // The faculty is typed whatever the mode: payments are entered for any.
    if (m_search->factField())
        m_search->factField()->setMode(QStringLiteral("KV"));
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    m_search->addButton(back);
    layout->addWidget(m_search, 1);

    cmbHealth_In_Out_t = new QComboBox(panel);
    cmbHealth_In_Out_t->setObjectName(QStringLiteral("cmbHealth_In_Out_t"));
    cmbHealth_In_Out_t->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* post = namedButton(QStringLiteral("btnPost_Heal"), QStringLiteral("บันทึกค่าสวัสดิการ"), panel);
    connect(post, &QPushButton::clicked, this, [this] { guard([this] { btnPost_HealClick(); }); });
    layout->addWidget(claimOpenRow(panel, cmbDate_Berg1, QStringLiteral("ชนิดสวัสดิการ"), cmbHealth_In_Out_t, post));
    return panel;
}

QWidget* TfrmEntry_Other_Health::buildEntryPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    L_Title = titleLabel(QString(), panel);
    L_Title->setObjectName(QStringLiteral("L_Title"));
    layout->addWidget(L_Title);

    auto* record = new QGroupBox(QStringLiteral("ประวัติพนักงาน"), panel);
    m_employeeFields = EmployeeFields::create(record);
    const EmployeeFields& f = m_employeeFields;
    edtM_Pay3 = namedReadOnly(QStringLiteral("edtM_Pay3"), record, longest::noLimit);
    edtDate_Berg = namedReadOnly(QStringLiteral("edtDate_Berg"), record, longest::date);
    edtBud_Year_Berg = namedReadOnly(QStringLiteral("edtBud_Year_Berg"), record, longestValue(FieldKind::Digits, 4));
    edtHealth_In_Out_t = namedReadOnly(QStringLiteral("edtHealth_In_Out_t"), record, longestValue(FieldKind::Code, 2));
    edtHealth_Desc = namedReadOnly(QStringLiteral("edtHealth_Desc"), record);
    auto* rg = new QGridLayout(record);
    auto add = [&](int row, int col, const QString& caption, QWidget* w) {
        rg->addWidget(new QLabel(caption, record), row, col * 2);
        rg->addWidget(w, row, col * 2 + 1);
    };
    add(0, 0, QStringLiteral("ชื่อ - นามสกุล"), f.edtEmp_F_Name3);
    add(0, 1, QStringLiteral("ตำแหน่ง"), f.edtEmp_Position3);
    add(1, 0, QStringLiteral("รหัสประจำตัวพนักงาน"), f.edtEMP_ID3);
    add(1, 1, QStringLiteral("รหัสประจำตัวประชาชน"), f.edtEmp_SSN3);
    add(2, 0, QStringLiteral("เลือกค่ารักษาพยาบาลประเภท"), f.edtEmp_H_Type3);
    add(2, 1, QStringLiteral("สิทธิ"), edtM_Pay3);
    add(3, 0, QStringLiteral("KV ID"), f.edtKV_ID3);
    add(3, 1, QStringLiteral("วันที่เบิก"), edtDate_Berg);
    add(4, 0, QStringLiteral("ปีงบประมาณเบิก"), edtBud_Year_Berg);
    add(5, 0, QStringLiteral("รหัสชนิดสวัสดิการ"), edtHealth_In_Out_t);
    add(5, 1, QStringLiteral("ชื่อสวัสดิการ"), edtHealth_Desc);
    rg->setColumnStretch(1, 1);
    rg->setColumnStretch(3, 1);
    layout->addWidget(record);

    auto* details = new QGroupBox(QStringLiteral("รายละเอียดค่ารักษา"), panel);
    edtM_Berg = typedAmountEdit(QStringLiteral("edtM_Berg"), details);
    edtDoc_No = namedEdit(QStringLiteral("edtDoc_No"), 100, details);
    edtDoc_Date = new BEDateEdit(details);
    edtDoc_Date->setObjectName(QStringLiteral("edtDoc_Date"));
    edtMati_No = namedEdit(QStringLiteral("edtMati_No"), 100, details);
    edtMati_date = new BEDateEdit(details);
    edtMati_date->setObjectName(QStringLiteral("edtMati_date"));
    edtDoc_Detail = namedEdit(QStringLiteral("edtDoc_Detail"), 500, details);
    cmbEmp_Folk = new QComboBox(details);
    cmbEmp_Folk->setObjectName(QStringLiteral("cmbEmp_Folk"));
    cmbEmp_Folk->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* dg = new QGridLayout(details);
    auto* amount = new QHBoxLayout;
    amount->addWidget(edtM_Berg);
    amount->addWidget(new QLabel(QStringLiteral("บาท"), details));
    amount->addStretch();
    dg->addWidget(new QLabel(QStringLiteral("จำนวนเงินที่เบิก"), details), 0, 0);
    dg->addLayout(amount, 0, 1);
    dg->addWidget(new QLabel(QStringLiteral("เบิกให้กับ"), details), 0, 2);
    dg->addWidget(cmbEmp_Folk, 0, 3, Qt::AlignLeft);
    dg->addWidget(new QLabel(QStringLiteral("เลขที่เอกสารสิทธิ"), details), 1, 0);
    dg->addWidget(edtDoc_No, 1, 1);
    dg->addWidget(new QLabel(QStringLiteral("ลงวันที่"), details), 1, 2);
    dg->addWidget(edtDoc_Date, 1, 3, Qt::AlignLeft);
    dg->addWidget(new QLabel(QStringLiteral("มติที่ประชุมกองทุนสวัสดิการ (ครั้งที่/ปี)"), details), 2, 0);
    dg->addWidget(edtMati_No, 2, 1);
    dg->addWidget(new QLabel(QStringLiteral("วันที่อนุมัติ"), details), 2, 2);
    dg->addWidget(edtMati_date, 2, 3, Qt::AlignLeft);
    dg->addWidget(new QLabel(QStringLiteral("รายละเอียด"), details), 3, 0);
    dg->addWidget(edtDoc_Detail, 3, 1, 1, 3);
    dg->setColumnStretch(1, 1);
    dg->setColumnStretch(3, 1);
    layout->addWidget(details);

    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"), panel);
    auto* leave = namedButton(QStringLiteral("btnExit2"), QStringLiteral("ออก"), panel);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(leave, &QPushButton::clicked, this, [this] {
        Panel2->hide();
        Panel1->show();
    });
    layout->addLayout(buttonRow({save, leave}));
    layout->addStretch();
    return panel;
}

void TfrmEntry_Other_Health::btnPost_HealClick()
{
    const auto e = m_search->selected();
    if (!e || e->KV_ID.isEmpty())
        throw AppError(kChooseEmployee);
    if (cmbHealth_In_Out_t->currentIndex() < 0)
        throw AppError(QStringLiteral("กรุณาเลือกชนิดสวัสดิการด้วย"));
    m_employee = *e;
    m_faculty = m_search->searchedFaculty();
    const QString code = cmbHealth_In_Out_t->currentData().toString();
    const QString desc = cmbHealth_In_Out_t->currentText().mid(code.size() + 1);
    L_Title->setText(QStringLiteral("บันทึกการเบิก") + desc);
    edtDate_Berg->setText(login().Cur_Date);
    edtBud_Year_Berg->setText(login().Cur_Bud_Year);
    m_employeeFields.show(*e);
    edtM_Pay3->setText(entitlement(e->Emp_H_Type));
    edtHealth_In_Out_t->setText(code);
    edtHealth_Desc->setText(desc);
    edtM_Berg->setText(QStringLiteral("0.00"));
    for (QLineEdit* f : {edtDoc_No, edtMati_No, edtDoc_Detail})
        f->clear();
    edtDoc_Date->setText(QString());
    edtMati_date->setText(QString());
    cmbEmp_Folk->setCurrentIndex(0);
    Panel1->hide();
    Panel2->show();
    edtM_Berg->setFocus();
}

void TfrmEntry_Other_Health::btnSaveClick()
{
    OtherWelfare::Draft d;
    d.kvId = m_employee.KV_ID;
    d.claimDate = edtDate_Berg->text();
    d.kindCode = edtHealth_In_Out_t->text();
    d.factCode = m_faculty;
    // The code the entry carries, never the first characters of its text.
    d.beneficiary = cmbEmp_Folk->currentData().toString();
    d.amountText = edtM_Berg->text();
    d.docNo = edtDoc_No->text();
    d.docDate = edtDoc_Date->text();
    d.matiNo = edtMati_No->text();
    d.matiDate = edtMati_date->text();
    d.detail = edtDoc_Detail->text();
    OtherWelfare::validate(db(), d);
    if (!msg::confirm(this, kConfirmSave))
        return;
    m_lastClaimNo = OtherWelfare::save(db(), login(), d);
    msg::info(this, kSaved + QStringLiteral("\nเลขที่ใบเบิก ") + m_lastClaimNo);
    Panel2->hide();
    Panel1->show();
}

} // namespace wel::claims
