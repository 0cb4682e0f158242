#include "ClaimCancelScreen.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/FactCodeEdit.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace wel::claims {

namespace {

const QStringList kMedicalHeadings = {QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("ชื่อ-นามสกุล"),
                               QStringLiteral("วันที่เบิก"), QStringLiteral("จำนวนเงินที่เบิก"),
                               QStringLiteral("รหัสประจำตัวพนักงาน"), QStringLiteral("เลขที่บัตรประชาชน"),
                               QStringLiteral("KV_ID"), QStringLiteral("ประเภท"), QStringLiteral("วงเงิน(บาท)")};

} // namespace

ClaimCancelScreen::ClaimCancelScreen(const ScreenContext& context, const ClaimKind& kind, QWidget* parent)
    : Screen(context, parent), m_kind(kind)
{
    setObjectName(kind.cancel.objectName);
    setWindowTitle(kind.cancel.title);
    setOpensMaximised();
    auto* root = new QVBoxLayout(this);
    Panel1 = buildStartPanel();
    Panel2 = buildSearchPanel();
    Panel3 = buildClaimPanel();
    root->addWidget(Panel1);
    root->addWidget(Panel2, 1);
    root->addWidget(Panel3, 1);
    root->addStretch();
    Panel2->hide();
    Panel3->hide();
    if (!kind.cancel.startPanel) { // the search is where the screen starts
        Panel1->hide();
        btnSearchClick();
    }
    setPanels({Panel1, Panel2, Panel3});
    installEnterAsTab(this);
}

QStringList ClaimCancelScreen::panelStates() const
{
    return {kOpened, QStringLiteral("search"), QStringLiteral("claim")};
}

void ClaimCancelScreen::showPanelState(const QString& name)
{
    Panel3->hide();
    Panel2->hide();
    Panel1->setVisible(m_kind.cancel.startPanel);
    if (!m_kind.cancel.startPanel)
        btnSearchClick();
    if (name == kOpened || !guard([this] { btnSearchClick(); }) || !guard([this] { btnSelectClick(); }))
        return;
    if (name == QLatin1String("claim"))
        guard([this] { btnOKClick(); });
}

QWidget* ClaimCancelScreen::buildStartPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel1"), this);
    layout->addWidget(titleLabel(m_kind.cancel.title, panel));
    auto* search = namedButton(QStringLiteral("btnSearch"), QStringLiteral("1. ค้นหาข้อมูล"), panel);
    auto* back = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), panel);
    connect(search, &QPushButton::clicked, this, [this] { guard([this] { btnSearchClick(); }); });
    connect(back, &QPushButton::clicked, this, &Screen::closeScreen);
    layout->addLayout(buttonRow({search, back}));
    return panel;
}

QWidget* ClaimCancelScreen::buildSearchPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    layout->addWidget(titleLabel(m_kind.cancel.title, panel));
    auto* box = new QGroupBox(QStringLiteral("1. ค้นหาข้อมูล"), panel);
    m_byNumber = new QRadioButton(QStringLiteral("เลขที่ใบเบิก"), box);
    m_byName = new QRadioButton(QStringLiteral("ชื่อ"), box);
    m_byEmpId = new QRadioButton(QStringLiteral("รหัสประจำตัวพนักงาน"), box);
    m_byNumber->setObjectName(QStringLiteral("RadioButton1"));
    m_byName->setObjectName(QStringLiteral("RadioButton2"));
    m_byEmpId->setObjectName(QStringLiteral("RadioButton3"));
    edtBerg_Doc_ID2 = namedEdit(QStringLiteral("edtBerg_Doc_ID2"), 20, box, FieldKind::Code);
    edtEmp_F_Name2 = namedEdit(QStringLiteral("edtEmp_F_Name2"), 40, box);
    edtEMP_ID2 = namedEdit(QStringLiteral("edtEMP_ID2"), 12, box, FieldKind::Code);
    edtFact_Code = new FactCodeEdit(box);
    edtFact_Code->setObjectName(QStringLiteral("edtFact_Code"));
    edtFact_Code->setText(login().Cur_Fact_Code);
    // Other welfare is typed for any faculty whatever the mode.
    edtFact_Code->setMode(m_kind.faculty.list == FacultySource::Typed ? QStringLiteral("KV") : mode());
    auto* g = new QGridLayout(box);
    g->addWidget(m_byNumber, 0, 0);
    g->addWidget(edtBerg_Doc_ID2, 0, 1);
    g->addWidget(m_byName, 1, 0);
    g->addWidget(edtEmp_F_Name2, 1, 1);
    g->addWidget(m_byEmpId, 2, 0);
    g->addWidget(edtEMP_ID2, 2, 1);
    if (m_kind.cancel.facultyField) {
        g->addWidget(new QLabel(QStringLiteral("รหัสส่วนงาน"), box), 3, 0);
        g->addWidget(edtFact_Code, 3, 1);
    } else {
        edtFact_Code->hide();
    }
    auto* select = namedButton(QStringLiteral("btnSelect"), QStringLiteral("ค้นหา"), box);
    // Without a start panel the search panel's button leaves the screen.
    auto* leave = namedButton(QStringLiteral("btnExit2"),
                              m_kind.cancel.startPanel ? QStringLiteral("ออก") : QStringLiteral("กลับสู่เมนูหลัก"), box);
    connect(select, &QPushButton::clicked, this, [this] { guard([this] { btnSelectClick(); }); });
    connect(leave, &QPushButton::clicked, this, [this] {
        if (!m_kind.cancel.startPanel) {
            closeScreen();
            return;
        }
        Panel2->hide();
        Panel1->show();
    });
    g->addLayout(buttonRow({select, leave}), 4, 0, 1, 3);
    g->setColumnStretch(2, 1);
    for (QRadioButton* rb : {m_byNumber, m_byName, m_byEmpId})
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                searchModeChanged();
        });
    layout->addWidget(box);

    auto* gridBox = new QGroupBox(m_kind.cancel.gridTitle, panel);
    m_headings = kMedicalHeadings;
    QVector<int> widths = m_kind.cancel.columnWidths.isEmpty() ? QVector<int>{30, 100, 140, 70, 80, 90, 90, 40, 40, 40}
                                                            : m_kind.cancel.columnWidths;
    if (m_kind.cancel.showsKind) {
        m_headings << QStringLiteral("ประเภทสวัสดิการอื่น ๆ");
        widths = {30, 100, 140, 70, 80, 90, 90, 90, 50, 70, 190};
    }
    StringGrid1 = new ResultGrid(QStringLiteral("StringGrid1"), m_headings, widths, gridBox);
    StringGrid1->alignRight({4, 9});
    StringGrid1->showRows({QStringList(m_headings.size())});
    auto* ok = namedButton(QStringLiteral("btnOK"), QStringLiteral("3. ตกลง"), gridBox);
    connect(ok, &QPushButton::clicked, this, [this] { guard([this] { btnOKClick(); }); });
    auto* v = new QVBoxLayout(gridBox);
    v->addWidget(StringGrid1, 1);
    v->addLayout(buttonRow({ok}));
    layout->addWidget(gridBox, 1);
    return panel;
}

QWidget* ClaimCancelScreen::buildClaimPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel3"), this);
    layout->addWidget(titleLabel(m_kind.cancel.title, panel));
    auto* numberRow = new QHBoxLayout;
    edtBerg_Doc_ID1 = namedReadOnly(QStringLiteral("edtBerg_Doc_ID1"), panel, longestValue(FieldKind::Code, 14));
    numberRow->addWidget(new QLabel(QStringLiteral("เลขที่ใบเบิก"), panel));
    numberRow->addWidget(edtBerg_Doc_ID1);
    numberRow->addStretch();
    layout->addLayout(numberRow);

    auto* record = new QGroupBox(QStringLiteral("ประวัติพนักงาน"), panel);
    edtEmp_Name3 = namedReadOnly(QStringLiteral("edtEmp_Name3"), record);
    edtEMP_ID3 = namedReadOnly(QStringLiteral("edtEMP_ID3"), record, longestValue(FieldKind::Code, 12));
    edtEmp_SSN3 = namedReadOnly(QStringLiteral("edtEmp_SSN3"), record, longestValue(FieldKind::Digits, 13));
    edtEmp_H_Type3 = namedReadOnly(QStringLiteral("edtEmp_H_Type3"), record, longestValue(FieldKind::Digits, 1));
    edtM_Pay3 = amountField(QStringLiteral("edtM_Pay3"), record);
    edtKV_ID3 = namedReadOnly(QStringLiteral("edtKV_ID3"), record, longest::KV_ID);
    auto* rg = new QGridLayout(record);
    auto add = [&](int row, int col, const QString& caption, QWidget* w) {
        rg->addWidget(new QLabel(caption, record), row, col * 2);
        rg->addWidget(w, row, col * 2 + 1);
    };
    add(0, 0, QStringLiteral("ชื่อ - นามสกุล"), edtEmp_Name3);
    add(0, 1, QStringLiteral("KV ID"), edtKV_ID3);
    add(1, 0, QStringLiteral("รหัสประจำตัวพนักงาน"), edtEMP_ID3);
    add(1, 1, QStringLiteral("เลขที่บัตรประจำตัวประชาชน"), edtEmp_SSN3);
    add(2, 0, QStringLiteral("เลือกค่ารักษาพยาบาลประเภท"), edtEmp_H_Type3);
    add(2, 1, QStringLiteral("สิทธิ"), edtM_Pay3);
    rg->setColumnStretch(4, 1);
    layout->addWidget(record);

    auto* details = new QGroupBox(QStringLiteral("รายละเอียดค่ารักษา"), panel);
    edtDate_berg = namedReadOnly(QStringLiteral("edtDate_berg"), details, longest::date);
    edtPay_Year = namedReadOnly(QStringLiteral("edtPay_Year"), details, longestValue(FieldKind::Digits, 4));
    auto* dv = new QVBoxLayout(details);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(new QLabel(QStringLiteral("วันที่เบิก"), details));
    dateRow->addWidget(edtDate_berg);
    dateRow->addSpacing(16);
    auto* payYear = new QLabel(QStringLiteral("ตัดเงินปี"), details);
    dateRow->addWidget(payYear);
    dateRow->addWidget(edtPay_Year);
    payYear->setVisible(m_kind.cancel.showsPayYear);
    edtPay_Year->setVisible(m_kind.cancel.showsPayYear);
    if (m_kind.cancel.showsKind) {
        edtHealth_In_Out_t = namedReadOnly(QStringLiteral("edtHealth_In_Out_t"), details, longestValue(FieldKind::Code, 2));
        edtHealth_Desc = namedReadOnly(QStringLiteral("edtHealth_Desc"), details);
        edtHealth_Desc->setMinimumWidth(320);
        dateRow->addSpacing(16);
        dateRow->addWidget(new QLabel(QStringLiteral("รหัสชนิดสวัสดิการ"), details));
        dateRow->addWidget(edtHealth_In_Out_t);
        dateRow->addWidget(new QLabel(QStringLiteral("ชื่อสวัสดิการ"), details));
        dateRow->addWidget(edtHealth_Desc);
    }
    dateRow->addStretch();
    dv->addLayout(dateRow);

    auto* patients = new QGroupBox(m_kind.cancel.patientsCaption, details);
    auto* pg = new QGridLayout(patients);
    if (m_kind.cancel.patientType)
        pg->addWidget(new QLabel(QStringLiteral("ประเภทคนใข้"), patients), 0, 1, 1, 2);
    else if (!m_kind.cancel.patientsNote.isEmpty())
        pg->addWidget(new QLabel(m_kind.cancel.patientsNote, patients), 0, 0);
    pg->addWidget(new QLabel(QStringLiteral("จำนวนเงิน (บาท)"), patients), 0, 3);
    for (int code = m_kind.cancel.firstPatient; code < m_kind.cancel.firstPatient + m_kind.cancel.patientCount; ++code) {
        auto* check = new QCheckBox(patientCheckCaption(code), patients);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(code));
        check->setAttribute(Qt::WA_TransparentForMouseEvents);
        check->setFocusPolicy(Qt::NoFocus);
        // Each row's patient type is a choice of its own, shown only.
        auto* group = new QButtonGroup(patients);
        auto* out = new QRadioButton(QStringLiteral("คนใข้นอก"), patients);
        auto* in = new QRadioButton(QStringLiteral("คนใข้ใน"), patients);
        out->setObjectName(QStringLiteral("rbOut%1").arg(code));
        in->setObjectName(QStringLiteral("rbIn%1").arg(code));
        for (QRadioButton* rb : {out, in}) {
            group->addButton(rb);
            rb->setAttribute(Qt::WA_TransparentForMouseEvents);
            rb->setFocusPolicy(Qt::NoFocus);
        }
        QLineEdit* amount = amountField(QStringLiteral("edtP_Money%1").arg(code), patients);
        m_checks << check;
        m_outpatient << out;
        m_inpatient << in;
        m_amounts << amount;
        const int row = code - m_kind.cancel.firstPatient + 1;
        pg->addWidget(check, row, 0);
        pg->addWidget(out, row, 1);
        pg->addWidget(in, row, 2);
        pg->addWidget(amount, row, 3);
        out->setVisible(m_kind.cancel.patientType);
        in->setVisible(m_kind.cancel.patientType);
    }
    pg->setColumnStretch(4, 1);
    dv->addWidget(patients);
    edtSum_Berg = amountField(QStringLiteral("edtSum_Berg"), details);
    edtM_Can_Berg = amountField(QStringLiteral("edtM_Can_Berg"), details);
    auto* totals = new QGridLayout;
    totals->addWidget(new QLabel(QStringLiteral("รวมจำนวนเงินที่ขอเบิก"), details), 0, 0);
    totals->addWidget(edtSum_Berg, 0, 1);
    totals->addWidget(new QLabel(QStringLiteral("บาท"), details), 0, 2);
    totals->addWidget(new QLabel(QStringLiteral("จำนวนเงินที่สามารถเบิกได้"), details), 1, 0);
    totals->addWidget(edtM_Can_Berg, 1, 1);
    totals->addWidget(new QLabel(QStringLiteral("บาท"), details), 1, 2);
    totals->setColumnStretch(3, 1);
    dv->addLayout(totals);
    layout->addWidget(details);

    auto* save = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึก การยกเลิกใบเบิก"), panel);
    auto* leave = namedButton(QStringLiteral("btnExit3"), QStringLiteral("ออก"), panel);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(leave, &QPushButton::clicked, this, [this] {
        Panel3->hide();
        Panel2->show();
    });
    layout->addLayout(buttonRow({save, leave}));
    layout->addStretch();
    return panel;
}

void ClaimCancelScreen::btnSearchClick()
{
    m_byNumber->setChecked(true);
    searchModeChanged();
    m_rows.clear();
    StringGrid1->showRows({QStringList(m_headings.size())});
    Panel1->hide();
    Panel2->show();
    edtBerg_Doc_ID2->setFocus();
}

void ClaimCancelScreen::searchModeChanged()
{
    for (QLineEdit* e : {edtBerg_Doc_ID2, edtEmp_F_Name2, edtEMP_ID2})
        e->clear();
    edtBerg_Doc_ID2->setEnabled(m_byNumber->isChecked());
    edtEmp_F_Name2->setEnabled(m_byName->isChecked());
    edtEMP_ID2->setEnabled(m_byEmpId->isChecked());
}

void ClaimCancelScreen::btnSelectClick()
{
    ClaimSearchBy by = ClaimSearchBy::ClaimNo;
    QString text = edtBerg_Doc_ID2->text();
    if (m_byName->isChecked()) {
        by = ClaimSearchBy::Name;
        text = edtEmp_F_Name2->text();
    } else if (m_byEmpId->isChecked()) {
        by = ClaimSearchBy::EmpId;
        text = edtEMP_ID2->text();
    }
    m_listedFaculty = edtFact_Code->code();
    m_rows = ClaimCancel::search(db(), login(), m_kind, m_listedFaculty, by, text);
    QVector<QStringList> rows;
    for (int i = 0; i < m_rows.size(); ++i) {
        const OpenClaimRow& r = m_rows[i];
        rows << QStringList{QString::number(i + 1), r.claimNo, r.name, r.dateBerg, r.claimed.toDisplay(), r.empId, r.ssn,
                            r.kvId, r.hType, m_kind.cancel.limitText ? m_kind.cancel.limitText(r.hType) : QString()};
        if (m_kind.cancel.showsKind)
            rows.last() << r.kindDesc;
    }
    if (rows.isEmpty()) {
        StringGrid1->showRows({QStringList(m_headings.size())});
        throw AppError(kNotFound);
    }
    StringGrid1->showRows(std::move(rows));
    StringGrid1->selectRow(0);
}

void ClaimCancelScreen::btnOKClick()
{
    const int row = StringGrid1->currentSourceRow();
    if (row < 0 || row >= m_rows.size())
        throw AppError(kNotFound);
    const OpenClaimRow& r = m_rows[row];
    const OpenClaim c = ClaimCancel::load(db(), login(), m_kind, m_listedFaculty, r.claimNo);
    edtBerg_Doc_ID1->setText(r.claimNo);
    edtEMP_ID3->setText(r.empId);
    edtEmp_SSN3->setText(r.ssn);
    edtEmp_Name3->setText(r.name);
    edtKV_ID3->setText(r.kvId);
    edtEmp_H_Type3->setText(r.hType);
    edtM_Pay3->setText(StringGrid1->text(StringGrid1->currentRow(), 9));
    edtDate_berg->setText(c.dateBerg);
    edtPay_Year->setText(c.payYear);
    if (edtHealth_In_Out_t) {
        edtHealth_In_Out_t->setText(c.kindCode);
        edtHealth_Desc->setText(c.kindDesc);
    }
    Money total;
    for (int i = 0; i < m_kind.cancel.patientCount; ++i) {
        m_checks[i]->setChecked(false);
        m_amounts[i]->setText(QStringLiteral("0"));
        m_outpatient[i]->setChecked(true);
    }
    // A line of a patient the panel has no row for is neither shown nor added.
    for (const OpenClaim::Line& l : c.lines) {
        const int i = l.folk - m_kind.cancel.firstPatient;
        if (i < 0 || i >= m_kind.cancel.patientCount)
            continue;
        m_checks[i]->setChecked(true);
        (l.inOut.trimmed() == QLatin1String("1") ? m_inpatient : m_outpatient)[i]->setChecked(true);
        m_amounts[i]->setText(l.claimed.toDisplay());
        total += l.claimed;
    }
    edtM_Can_Berg->setText(c.payable.toDisplay());
    edtSum_Berg->setText(total.toDisplay());
    Panel2->hide();
    Panel3->show();
    // The claim is shown, not typed: the clerk's next key confirms or leaves.
    if (auto* save = Panel3->findChild<QPushButton*>(QStringLiteral("btnSave")))
        save->setFocus(Qt::TabFocusReason);
}

void ClaimCancelScreen::btnSaveClick()
{
    const QString no = edtBerg_Doc_ID1->text();
    if (!msg::confirm(this, ClaimCancel::confirmText(no)))
        return;
    ClaimCancel::cancel(db(), login(), m_kind, m_listedFaculty, no);
    msg::info(this, ClaimCancel::doneText(no));
    Panel3->hide();
    if (m_kind.cancel.searchesAgain) {
        searchAgain();
        return;
    }
    Panel2->hide();
    Panel1->show();
}

void ClaimCancelScreen::searchAgain()
{
    Panel2->show();
    guard([this] { btnSelectClick(); });
}

} // namespace wel::claims
