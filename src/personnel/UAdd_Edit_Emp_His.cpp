#include "UAdd_Edit_Emp_His.h"
#include "PersonnelCommon.h"
#include "common/Faculties.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace wel {

namespace {
const char* const kTypeCaptions[3] = {
    "1.  สิทธิในการเบิกค่ารักษาพยาบาล วงเงิน 200,000 บาท",
    "2.  สิทธิในการเบิกค่ารักษาพยาบาล วงเงิน 20,000 บาท",
    "3.  สิทธิในการเบิกค่ารักษาพยาบาล ไม่มีวงเงิน",
};

EmployeeSearchOptions searchOptions()
{
    EmployeeSearchOptions s;
    s.searchTitle = QStringLiteral("1. ค้นหาข้อมูลพนักงาน");
    s.gridTitle = QStringLiteral("2. คลิกเลือกพนักงาน");
    s.columns = employeeGridColumns();
    s.columns.push_back({QStringLiteral("KV_ID"), 0, EmployeeColumn::KV_ID});
    return s;
}
} // namespace

TfrmAdd_Edit_Emp_His::TfrmAdd_Edit_Emp_His(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmAdd_Edit_Emp_His"));
    setWindowTitle(QStringLiteral("การเพิ่ม/แก้ไขข้อมูลพนักงาน"));
    auto* root = new QVBoxLayout(this);
    root->addWidget(titleLabel(QStringLiteral("การเพิ่ม/แก้ไขข้อมูลพนักงาน"), this));

    auto* actions = new QHBoxLayout;
    auto* add = namedButton("btnAdd_data", QStringLiteral("เพิ่มข้อมูล"), this);
    auto* edit = namedButton("btnEdit_Data", QStringLiteral("แก้ไขข้อมูล"), this);
    auto* del = namedButton("btnDelete_data", QStringLiteral("ลบข้อมูล"), this);
    auto* exit = namedButton("btnExit", QStringLiteral("กลับสู่เมนูหลัก"), this);
    for (QPushButton* b : {add, edit, del})
        actions->addWidget(b);
    actions->addStretch();
    actions->addWidget(exit);
    root->addLayout(actions);
    connect(add, &QPushButton::clicked, this, [this] { guard([this] { btnAdd_dataClick(); }); });
    connect(edit, &QPushButton::clicked, this,
            [this] { startSearch(Edit, QStringLiteral("3. แก้ไขข้อมูล")); });
    connect(del, &QPushButton::clicked, this, [this] { startSearch(Delete, QStringLiteral("3. ลบข้อมูล")); });
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);

    Panel2 = new EmployeeSearchPanel(db(), login(), searchOptions(), this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* cancel2 = namedButton("btnCancel2", QStringLiteral("ออก"), Panel2);
    btnOk2 = namedButton("btnOk2", QStringLiteral("3. แก้ไขข้อมูล"), Panel2);
    Panel2->addButton(cancel2);
    Panel2->addButton(btnOk2);
    connect(cancel2, &QPushButton::clicked, Panel2, &QWidget::hide);
    connect(btnOk2, &QPushButton::clicked, this, [this] { guard([this] { btnOk2Click(); }); });
    root->addWidget(Panel2, 1);

    Panel3 = buildEmployeePanel();
    root->addWidget(Panel3);
    root->addStretch();
    setPanels({Panel2, Panel3});

    FormCreate();
    installEnterAsTab(this);
}

QWidget* TfrmAdd_Edit_Emp_His::buildEmployeePanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel3"), this);
    auto* box = new QGroupBox(QStringLiteral("ประวัติพนักงาน"), panel);
    auto* form = new QFormLayout;
    edtEMP_ID3 = namedEdit("edtEMP_ID3", 12, box, FieldKind::Code);
    edtEmp_SSN3 = namedEdit("edtEmp_SSN3", 13, box, FieldKind::Digits);
    edtEmp_Surname3 = namedEdit("edtEmp_Surname3", 35, box);
    edtEmp_F_Name3 = namedEdit("edtEmp_F_Name3", 40, box);
    edtEmp_L_Name3 = namedEdit("edtEmp_L_Name3", 40, box);
    edtEmp_Position3 = namedEdit("edtEmp_Position3", 250, box);
    edtEmp_Level3 = namedEdit("edtEmp_Level3", 2, box, FieldKind::Code);
    cmbFact_Code3 = new QComboBox(box);
    cmbFact_Code3->setObjectName(QStringLiteral("cmbFact_Code3"));
    edtEmp_Dept_Name3 = namedEdit("edtEmp_Dept_Name3", 250, box);
    edtEmp_In_date3 = new BEDateEdit(box);
    edtEmp_In_date3->setObjectName(QStringLiteral("edtEmp_In_date3"));
    form->addRow(QStringLiteral("รหัสประจำตัวพนักงาน"), edtEMP_ID3);
    form->addRow(QStringLiteral("เลขบัตรประจำตัวประชาชน"), edtEmp_SSN3);
    form->addRow(QStringLiteral("คำนำหน้า"), edtEmp_Surname3);
    form->addRow(QStringLiteral("ชื่อ"), edtEmp_F_Name3);
    form->addRow(QStringLiteral("นามสกุล"), edtEmp_L_Name3);
    form->addRow(QStringLiteral("ตำแหน่ง"), edtEmp_Position3);
    form->addRow(QStringLiteral("ระดับ"), edtEmp_Level3);
    form->addRow(QStringLiteral("คณะ"), cmbFact_Code3);
    form->addRow(QStringLiteral("ภาควิชา / กอง"), edtEmp_Dept_Name3);
    form->addRow(QStringLiteral("วันที่บรรจุเป็นพนักงาน"), edtEmp_In_date3);

    RadioGroup1 = new QGroupBox(QStringLiteral("รูปแบบค่ารักษาพยาบาล"), box);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* types = new QVBoxLayout(RadioGroup1);
    for (int i = 0; i < 3; ++i) {
        m_types[i] = new QRadioButton(QString::fromUtf8(kTypeCaptions[i]), RadioGroup1);
        m_types[i]->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i + 1));
        types->addWidget(m_types[i]);
    }

    grpBank = new QGroupBox(QStringLiteral("ธนาคาร"), box);
    grpBank->setObjectName(QStringLiteral("grpBank"));
    edtBank_Account_No = namedEdit("edtBank_Account_No", 30, grpBank, FieldKind::Digits);
    auto* bank = new QFormLayout(grpBank);
    bank->addRow(QStringLiteral("เลขที่บัญชี"), edtBank_Account_No);

    grpBeg_Year_Bud = new QGroupBox(box);
    grpBeg_Year_Bud->setObjectName(QStringLiteral("grpBeg_Year_Bud"));
    edtBeg_Year_Bud = namedReadOnly("edtBeg_Year_Bud", grpBeg_Year_Bud, longestValue(FieldKind::Digits, 4));
    auto* year = new QFormLayout(grpBeg_Year_Bud);
    year->addRow(QStringLiteral("เริ่มใช้ปีงบประมาณ"), edtBeg_Year_Bud);

    edtKv_ID3 = namedReadOnly("edtKv_ID3", box, longest::KV_ID);
    edtEmp_H_Type = namedReadOnly("edtEmp_H_Type", box, longestValue(FieldKind::Digits, 1));
    edtKv_ID3->hide();
    edtEmp_H_Type->hide();

    auto* save = namedButton("btnSave3", QStringLiteral("บันทึกข้อมูล"), box);
    auto* cancel = namedButton("btnCancel3", QStringLiteral("ออก"), box);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSave3Click(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] {
        Panel3->hide();
        if (m_action == Edit)
            Panel2->show(); // back to the list the record was chosen from
    });

    auto* right = new QVBoxLayout;
    right->addWidget(RadioGroup1);
    right->addWidget(grpBank);
    right->addWidget(grpBeg_Year_Bud);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 3);
    columns->addLayout(right, 2);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addLayout(columns);
    boxLayout->addLayout(buttonRow({save, cancel}));
    layout->addWidget(box);
    return panel;
}

// The panels and the controls that depend on the mode are set before the
// faculty list is read, so that the screen is never seen half set up; when
// the list cannot be read the screen is not opened.
void TfrmAdd_Edit_Emp_His::FormCreate()
{
    const bool fc = mode() == QLatin1String("FC");
    Panel2->hide();
    Panel3->hide();
    cmbFact_Code3->setEnabled(!fc);
    edtBeg_Year_Bud->setText(login().Cur_Bud_Year);
    RadioGroup1->setEnabled(!fc);
    grpBank->setVisible(!fc);
    for (const auto& f : Faculties::all(db()))
        cmbFact_Code3->addItem(Faculties::itemText(f));
    showFaculty(fc ? login().Cur_Fact_Code : QString());
}

QStringList TfrmAdd_Edit_Emp_His::panelStates() const
{
    return {kOpened, QStringLiteral("add"), QStringLiteral("edit-search"), QStringLiteral("edit-record"),
            QStringLiteral("delete-search")};
}

void TfrmAdd_Edit_Emp_His::showPanelState(const QString& name)
{
    if (name == QLatin1String("add")) {
        guard([this] { btnAdd_dataClick(); });
    } else if (name == QLatin1String("edit-search") || name == QLatin1String("edit-record")) {
        startSearch(Edit, QStringLiteral("3. แก้ไขข้อมูล"));
        if (guard([this] { Panel2->listAll(); }) && name == QLatin1String("edit-record"))
            guard([this] { btnOk2Click(); });
    } else if (name == QLatin1String("delete-search")) {
        startSearch(Delete, QStringLiteral("3. ลบข้อมูล"));
        guard([this] { Panel2->listAll(); });
    }
}

void TfrmAdd_Edit_Emp_His::btnAdd_dataClick()
{
    const bool fc = mode() == QLatin1String("FC");
    m_action = Add;
    showRecord(EmployeeRecord{});
    showFaculty(fc ? login().Cur_Fact_Code : QString());
    RadioGroup1->setEnabled(!fc);
    grpBeg_Year_Bud->hide();
    Panel2->hide();
    Panel3->show();
    edtEMP_ID3->setFocus();
}

void TfrmAdd_Edit_Emp_His::startSearch(Action action, const QString& okCaption)
{
    m_action = action;
    RadioGroup1->setEnabled(mode() != QLatin1String("FC"));
    Panel2->reset();
    btnOk2->setText(okCaption);
    Panel3->hide();
    Panel2->show();
}

void TfrmAdd_Edit_Emp_His::btnOk2Click()
{
    const auto chosen = Panel2->selected();
    const QString kvId = chosen ? chosen->KV_ID : QString();
    if (m_action == Edit) {
        const auto record = EmployeeService::load(db(), login(), kvId);
        if (!record)
            throw AppError(EmployeeService::kNotFoundForEdit);
        showRecord(*record);
        grpBeg_Year_Bud->setVisible(mode() != QLatin1String("FC"));
        Panel2->hide();
        Panel3->show();
    } else if (m_action == Delete) {
        const EmployeeSummary e = EmployeeService::checkDeletable(db(), login(), kvId);
        if (!msg::confirm(this, EmployeeService::deleteConfirmation(e)))
            return;
        EmployeeService::remove(db(), login(), kvId);
        msg::info(this, EmployeeService::kDeleted);
        Panel2->hide();
    }
}

void TfrmAdd_Edit_Emp_His::btnSave3Click()
{
    if (m_action != Add && m_action != Edit)
        return;
    const EmployeeRecord r = recordFromFields();
    EmployeeService::validate(r);
    if (!msg::confirm(this, personnel::kConfirmSave))
        return;
    if (m_action == Add)
        EmployeeService::add(db(), login(), r);
    else
        EmployeeService::edit(db(), login(), r);
    msg::info(this, personnel::kSaved);
    Panel2->hide();
    Panel3->hide();
}

void TfrmAdd_Edit_Emp_His::showRecord(const EmployeeRecord& r)
{
    edtEMP_ID3->setText(r.EMP_ID);
    edtEmp_SSN3->setText(r.Emp_SSN);
    edtEmp_Surname3->setText(r.Emp_Surname);
    edtEmp_F_Name3->setText(r.Emp_F_Name);
    edtEmp_L_Name3->setText(r.Emp_L_Name);
    edtEmp_Position3->setText(r.Emp_Position);
    edtEmp_Level3->setText(r.Emp_Level);
    showFaculty(r.Fact_code);
    edtEmp_Dept_Name3->setText(r.Emp_Dept_Name);
    edtEmp_In_date3->setText(r.Emp_In_date2);
    setRightType(r.Emp_H_Type);
    edtBank_Account_No->setText(r.Bank_Account_No);
    edtKv_ID3->setText(r.KV_ID);
    edtEmp_H_Type->setText(r.KV_ID.isEmpty() ? QString() : r.Emp_H_Type);
}

EmployeeRecord TfrmAdd_Edit_Emp_His::recordFromFields() const
{
    EmployeeRecord r;
    r.KV_ID = m_action == Edit ? edtKv_ID3->text() : QString();
    r.EMP_ID = edtEMP_ID3->text();
    r.Emp_SSN = edtEmp_SSN3->text();
    r.Emp_Surname = edtEmp_Surname3->text();
    r.Emp_F_Name = edtEmp_F_Name3->text();
    r.Emp_L_Name = edtEmp_L_Name3->text();
    r.Emp_Position = edtEmp_Position3->text();
    r.Emp_Level = edtEmp_Level3->text();
    r.Fact_code = Faculties::codeOfItem(cmbFact_Code3->currentText());
    r.Emp_Dept_Name = edtEmp_Dept_Name3->text();
    r.Emp_In_date2 = edtEmp_In_date3->text();
    r.Emp_H_Type = rightType();
    r.Bank_Account_No = edtBank_Account_No->text();
    return r;
}

void TfrmAdd_Edit_Emp_His::showFaculty(const QString& code)
{
    const QString wanted = Faculties::codeOfItem(code);
    if (wanted.isEmpty()) {
        cmbFact_Code3->setCurrentIndex(-1);
        return;
    }
    for (int i = 0; i < cmbFact_Code3->count(); ++i)
        if (Faculties::codeOfItem(cmbFact_Code3->itemText(i)) == wanted) {
            cmbFact_Code3->setCurrentIndex(i);
            return;
        }
    // A code without a T_Fact row still shows, so that saving keeps it.
    cmbFact_Code3->addItem(wanted);
    cmbFact_Code3->setCurrentIndex(cmbFact_Code3->count() - 1);
}

// A stored type outside "1" to "3" shows no choice at all, never the
// previous employee's.
void TfrmAdd_Edit_Emp_His::setRightType(const QString& code)
{
    const QString c = code.trimmed();
    for (int i = 0; i < 3; ++i) {
        m_types[i]->setAutoExclusive(false);
        m_types[i]->setChecked(c == QString::number(i + 1));
        m_types[i]->setAutoExclusive(true);
    }
}

QString TfrmAdd_Edit_Emp_His::rightType() const
{
    for (int i = 0; i < 3; ++i)
        if (m_types[i]->isChecked())
            return QString::number(i + 1);
    return {};
}

} // namespace wel
