#include "UEmp_Histry.h"
#include "PersonnelCommon.h"
#include "common/widgets/BEDateEdit.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

using FamilyService::kFirstSlot;
using FamilyService::kLastSlot;

namespace {
EmployeeSearchOptions searchOptions()
{
    EmployeeSearchOptions s;
    s.searchTitle = QStringLiteral("1. การค้นหาข้อมูล");
    s.gridTitle = QStringLiteral("2. คลิกเลือกชื่อที่ต้องการ");
    s.withLastName = true;
    s.nameRequired = true;
    s.columns = employeeGridColumns();
    s.columns.push_back({QStringLiteral("KV_ID"), 40, EmployeeColumn::KV_ID});
    s.columns.push_back({QStringLiteral("ตำแหน่ง"), 140, EmployeeColumn::Emp_Position});
    return s;
}

QString slotName(const char* field, int slot) { return QString::fromLatin1(field) + QString::number(slot); }
} // namespace

TfrmEmp_Histry::TfrmEmp_Histry(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setObjectName(QStringLiteral("frmEmp_Histry"));
    setWindowTitle(QStringLiteral("บันทึกบุคคลในครอบครัว และสิทธิพื้นฐาน"));
    auto* root = new QVBoxLayout(this);

    Panel1 = new EmployeeSearchPanel(db(), login(), searchOptions(), this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* exit = namedButton("btnExit", QStringLiteral("กลับสู่เมนูหลัก"), Panel1);
    auto* post = namedButton("btnPost_Folk", QStringLiteral("3. บันทึกบุคคลในครอบครัว"), Panel1);
    Panel1->addButton(exit);
    Panel1->addButton(post);
    connect(exit, &QPushButton::clicked, this, &Screen::closeScreen);
    connect(post, &QPushButton::clicked, this, [this] { guard([this] { btnPost_FolkClick(); }); });
    root->addWidget(Panel1, 1);

    Panel2 = buildFamilyPanel();
    root->addWidget(Panel2, 1);
    Panel2->hide();
    setPanels({Panel1, Panel2});
    installEnterAsTab(this);
}

QStringList TfrmEmp_Histry::panelStates() const
{
    return {kOpened, QStringLiteral("search"), QStringLiteral("family")};
}

void TfrmEmp_Histry::showPanelState(const QString& name)
{
    if (name == QLatin1String("search") || name == QLatin1String("family")) {
        backToSearch();
        if (guard([this] { Panel1->listAll(); }) && name == QLatin1String("family"))
            guard([this] { btnPost_FolkClick(); });
    }
}

QWidget* TfrmEmp_Histry::buildFamilyPanel()
{
    const auto [panel, layout] = namedPanel(QStringLiteral("Panel2"), this);
    layout->addWidget(titleLabel(QStringLiteral("การบันทึกบุคคลในครอบครัว"), panel));

    auto* employee = new QGroupBox(QStringLiteral("ประวัติพนักงาน"), panel);
    edtEmp_F_Name3 = namedReadOnly("edtEmp_F_Name3", employee);
    edtEMP_ID3 = namedReadOnly("edtEMP_ID3", employee, longestValue(FieldKind::Code, 12));
    edtEmp_SSN3 = namedReadOnly("edtEmp_SSN3", employee, longestValue(FieldKind::Digits, 13));
    edtEmp_H_Type3 = namedReadOnly("edtEmp_H_Type3", employee, longestValue(FieldKind::Digits, 1));
    edtM_Pay3 = namedReadOnly("edtM_Pay3", employee, longest::noLimit);
    edtKV_ID3 = namedReadOnly("edtKV_ID3", employee, longest::KV_ID);
    edtEmp_Position3 = namedReadOnly("edtEmp_Position3", employee);
    // Two rows, so that the family below keeps the room it needs.
    auto* employeeLayout = new QGridLayout(employee);
    auto pair = [&](const char* caption, QLineEdit* field, int row, int column, int span = 1) {
        employeeLayout->addWidget(new QLabel(QString::fromUtf8(caption), employee), row, column);
        employeeLayout->addWidget(field, row, column + 1, 1, span);
    };
    pair("ชื่อ - นามสกุล", edtEmp_F_Name3, 0, 0);
    pair("ตำแหน่ง", edtEmp_Position3, 0, 2, 3);
    pair("KV ID", edtKV_ID3, 0, 6);
    pair("รหัสประจำตัวพนักงาน", edtEMP_ID3, 1, 0);
    pair("รหัสประจำตัวประชาชน", edtEmp_SSN3, 1, 2);
    pair("เลือกค่ารักษาพยาบาลประเภท", edtEmp_H_Type3, 1, 4);
    pair("สิทธิ", edtM_Pay3, 1, 6);
    employeeLayout->setColumnStretch(1, 1);
    employeeLayout->setColumnStretch(3, 1);
    layout->addWidget(employee);

    // Each person takes two lines: the names and a child's birth date, then
    // the three basic rights under the names, so that every field shows its
    // values whole within the width of the main window.
    auto* family = new QGroupBox(QStringLiteral("รายละเอียดของบุคคลในครอบครัว"), panel);
    auto* grid = new QGridLayout(family);
    grid->setVerticalSpacing(3);
    const QString names[] = {QStringLiteral("คำนำหน้า"), QStringLiteral("ชื่อ"), QStringLiteral("นามสกุล"),
                             QStringLiteral("วันเดือนปี เกิด\n(วว/ดด/ปปปป(พ.ศ.))")};
    const QString rights[] = {QStringLiteral("สิทธิพื้นฐาน 1"), QStringLiteral("สิทธิพื้นฐาน 2"),
                              QStringLiteral("สิทธิพื้นฐาน 3")};
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(names[c], family), 0, c + 1);
    grid->addWidget(new QLabel(names[3], family), 0, 4, 2, 1);
    for (int c = 0; c < 3; ++c)
        grid->addWidget(new QLabel(rights[c], family), 1, c + 1);
    for (int n = kFirstSlot; n <= kLastSlot; ++n) {
        Slot& s = m_slots[n];
        const int row = 3 * n; // a rule above, the names, the rights below
        auto* rule = new QFrame(family);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        grid->addWidget(rule, row - 1, 0, 1, 5);
        s.check = new QCheckBox(FamilyService::slotCaption(n), family);
        s.check->setObjectName(slotName("CheckBox", n));
        s.surname = namedEdit(slotName("edtEF_Surname", n), 35, family);
        s.firstName = namedEdit(slotName("edtEF_F_Name", n), 40, family);
        s.lastName = namedEdit(slotName("edtEF_L_Name", n), 40, family);
        grid->addWidget(s.check, row, 0);
        grid->addWidget(s.surname, row, 1);
        grid->addWidget(s.firstName, row, 2);
        grid->addWidget(s.lastName, row, 3);
        if (FamilyService::isChildSlot(n)) {
            s.birthday = new BEDateEdit(family);
            s.birthday->setObjectName(slotName("edtEF_Birthday", n));
            grid->addWidget(s.birthday, row, 4, Qt::AlignLeft);
        }
        for (int k = 0; k < 3; ++k) {
            const QString name = QStringLiteral("edtEF_Base_Right%1%2").arg(k + 1).arg(n);
            s.rights[k] = namedEdit(name, 100, family);
            grid->addWidget(s.rights[k], row + 1, 1 + k);
        }
        connect(s.check, &QCheckBox::toggled, this, [this, n](bool on) { enableSlot(n, on); });
    }
    for (int c = 1; c <= 3; ++c)
        grid->setColumnStretch(c, 1);
    layout->addWidget(family);

    auto* save = namedButton("btnSave2", QStringLiteral("บันทึกข้อมูล"), panel);
    auto* cancel = namedButton("btnCancel", QStringLiteral("ยกเลิก"), panel);
    connect(save, &QPushButton::clicked, this, [this] { guard([this] { btnSave2Click(); }); });
    connect(cancel, &QPushButton::clicked, this, &TfrmEmp_Histry::backToSearch);
    // The note on the fourth child sits beside the buttons, where it costs no line.
    QHBoxLayout* buttons = buttonRow({save, cancel});
    buttons->addWidget(new QLabel(QStringLiteral("บุตรลำดับที่ 4 ใช้ในกรณีที่เป็นบุตรแฝดลำดับที่ 3"), panel));
    layout->addLayout(buttons);
    layout->addStretch();
    return panel;
}

void TfrmEmp_Histry::btnPost_FolkClick()
{
    const auto e = Panel1->selected();
    if (!e)
        throw AppError(personnel::kNoneSelected);
    const QMap<int, FamilyMember> family = FamilyService::load(db(), login(), e->KV_ID);
    m_shown = family;
    edtEmp_SSN3->setText(e->Emp_SSN);
    edtEMP_ID3->setText(e->EMP_ID);
    edtEmp_F_Name3->setText(e->fullName());
    edtEmp_H_Type3->setText(e->Emp_H_Type);
    edtM_Pay3->setText(personnel::limitTextOf(e->Emp_H_Type));
    edtKV_ID3->setText(e->KV_ID);
    edtEmp_Position3->setText(e->Emp_Position);
    for (int n = kFirstSlot; n <= kLastSlot; ++n) {
        Slot& s = m_slots[n];
        s.check->setChecked(false);
        enableSlot(n, false);
        const FamilyMember m = family.value(n);
        s.surname->setText(m.EF_Surname);
        s.firstName->setText(m.EF_F_Name);
        s.lastName->setText(m.EF_L_Name);
        if (s.birthday)
            s.birthday->setText(m.EF_Birthday); // no stored date shows none
        s.rights[0]->setText(m.EF_Base_Right1);
        s.rights[1]->setText(m.EF_Base_Right2);
        s.rights[2]->setText(m.EF_Base_Right3);
    }
    Panel1->hide();
    Panel2->show();
}

void TfrmEmp_Histry::btnSave2Click()
{
    QMap<int, FamilyMember> ticked;
    for (int n = kFirstSlot; n <= kLastSlot; ++n) {
        const Slot& s = m_slots[n];
        if (!s.check->isChecked())
            continue;
        ticked.insert(n, {s.surname->text(), s.firstName->text(), s.lastName->text(),
                          s.birthday ? s.birthday->text() : QString(), s.rights[0]->text(), s.rights[1]->text(),
                          s.rights[2]->text()});
    }
    FamilyService::validate(ticked, m_shown);
    if (!msg::confirm(this, personnel::kConfirmSave))
        return;
    FamilyService::save(db(), login(), edtKV_ID3->text(), ticked);
    msg::info(this, personnel::kSaved);
    backToSearch();
}

void TfrmEmp_Histry::enableSlot(int slot, bool on)
{
    Slot& s = m_slots[slot];
    for (QWidget* w : {static_cast<QWidget*>(s.surname), static_cast<QWidget*>(s.firstName),
                       static_cast<QWidget*>(s.lastName), static_cast<QWidget*>(s.rights[0]),
                       static_cast<QWidget*>(s.rights[1]), static_cast<QWidget*>(s.rights[2])})
        w->setEnabled(on);
    if (s.birthday)
        s.birthday->setEnabled(on);
}

void TfrmEmp_Histry::backToSearch()
{
    Panel2->hide();
    Panel1->show();
}

} // namespace wel
