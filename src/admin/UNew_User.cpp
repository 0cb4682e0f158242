#include "UNew_User.h"
#include "common/Faculties.h"
#include "common/widgets/EmployeeSearchPanel.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Named.h"
#include "common/widgets/ResultGrid.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace wel {

namespace {
EmployeeSearchOptions searchOptions()
{
    EmployeeSearchOptions s;
    s.searchTitle = QStringLiteral("1. ค้นหาข้อมูลพนักงาน");
    s.gridTitle = QStringLiteral("2. คลิกเลือกพนักงาน");
    s.columns = {{QStringLiteral("No"), 40, EmployeeColumn::RowNo},
                 {QStringLiteral("รหัสประจำตัวพนักงาน"), 110, EmployeeColumn::EMP_ID},
                 {QStringLiteral("คำนำหน้า"), 70, EmployeeColumn::Emp_Surname},
                 {QStringLiteral("ชื่อ"), 110, EmployeeColumn::Emp_F_Name},
                 {QStringLiteral("นามสกุล"), 110, EmployeeColumn::Emp_L_Name},
                 {QStringLiteral("ตำแหน่ง"), 180, EmployeeColumn::Emp_Position},
                 {QStringLiteral("คณะ"), 50, EmployeeColumn::Fact_code},
                 {QStringLiteral("KV_ID"), 0, EmployeeColumn::KV_ID}};
    return s;
}

// The user screen works for every faculty, whatever mode the menu left.
LoginContext anyFaculty(LoginContext c)
{
    c.Cur_Mode = QStringLiteral("KV");
    return c;
}

QLineEdit* passwordEdit(const QString& name, QWidget* parent)
{
    QLineEdit* e = namedEdit(name, 50, parent, FieldKind::Text);
    e->setEchoMode(QLineEdit::Password);
    return e;
}
} // namespace

TfrmNew_User::TfrmNew_User(const ScreenContext& context, QWidget* parent) : Screen(context, parent)
{
    setWindowTitle(QStringLiteral("ผู้ใช้งานระบบ"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel(QStringLiteral("การเพิ่ม/แก้ไขข้อมูลผู้ใชระบบ"), this));
    auto* commands = new QHBoxLayout;
    QPushButton* btnAdd = namedButton(QStringLiteral("btnAdd"), QStringLiteral("เพิ่มข้อมูล"), this);
    QPushButton* btnEdit = namedButton(QStringLiteral("btnEdit"), QStringLiteral("แก้ไขข้อมูล"), this);
    QPushButton* btnExit = namedButton(QStringLiteral("btnExit"), QStringLiteral("กลับสู่เมนูหลัก"), this);
    commands->addWidget(btnAdd);
    commands->addWidget(btnEdit);
    commands->addStretch();
    commands->addWidget(btnExit);
    layout->addLayout(commands);

    // Adding: find the employee the user is made for.
    pnlSearch = new EmployeeSearchPanel(db(), anyFaculty(login()), searchOptions(), this);
    pnlSearch->setObjectName(QStringLiteral("pnlSearch"));
    QPushButton* btnSelect = namedButton(QStringLiteral("btnEdit_Data"), QStringLiteral("3. แก้ไขข้อมูล"), pnlSearch);
    QPushButton* btnSearch_Exit = namedButton(QStringLiteral("btnSearch_Exit"), QStringLiteral("ออก"), pnlSearch);
    pnlSearch->addButton(btnSelect);
    pnlSearch->addButton(btnSearch_Exit);
    layout->addWidget(pnlSearch, 1);

    // Editing: choose one of the users.
    pnlUsers = new QGroupBox(QStringLiteral("รายชื่อผู้ใช้งานระบบ"), this);
    pnlUsers->setObjectName(QStringLiteral("pnlUsers"));
    auto* usersLayout = new QVBoxLayout(pnlUsers);
    StringGrid2 = new ResultGrid(QStringLiteral("StringGrid2"),
                                 {QStringLiteral("ลำดับ"), QStringLiteral("รหัสผู้ใช้"), QStringLiteral("ชื่อ - นามสกุล"),
                                  QStringLiteral("ตำแหน่ง"), QStringLiteral("หน่วยงาน"), QStringLiteral("ฝ่าย")},
                                 {50, 100, 180, 160, 220}, pnlUsers);
    StringGrid2->horizontalHeader()->setStretchLastSection(true);
    usersLayout->addWidget(StringGrid2, 1);
    auto* usersButtons = new QHBoxLayout;
    QPushButton* btnEdit_User = namedButton(QStringLiteral("btnEdit_User"), QStringLiteral("3. แก้ไขข้อมูล"), pnlUsers);
    QPushButton* btnUsers_Exit = namedButton(QStringLiteral("btnUsers_Exit"), QStringLiteral("ออก"), pnlUsers);
    usersButtons->addStretch();
    usersButtons->addWidget(btnEdit_User);
    usersButtons->addWidget(btnUsers_Exit);
    usersLayout->addLayout(usersButtons);
    layout->addWidget(pnlUsers, 1);

    pnlUser = new QGroupBox(QStringLiteral("ข้อมูลผู้ใช้งานระบบ"), this);
    pnlUser->setObjectName(QStringLiteral("pnlUser"));
    auto* form = new QFormLayout(pnlUser);
    L_User_ID = new QLabel(pnlUser);
    L_User_ID->setObjectName(QStringLiteral("L_User_ID"));
    edtU_Surname = namedEdit(QStringLiteral("edtU_Surname"), 35, pnlUser);
    edtU_F_Name = namedEdit(QStringLiteral("edtU_F_Name"), 40, pnlUser);
    edtU_L_Name = namedEdit(QStringLiteral("edtU_L_Name"), 40, pnlUser);
    edtU_Position = namedEdit(QStringLiteral("edtU_Position"), 250, pnlUser);
    edtUser_Type = namedEdit(QStringLiteral("edtUser_Type"), 10, pnlUser, FieldKind::Code);
    cmbFact = new QComboBox(pnlUser);
    cmbFact->setObjectName(QStringLiteral("cmbFact"));
    cmbSection = new QComboBox(pnlUser);
    cmbSection->setObjectName(QStringLiteral("cmbSection"));
    edtU_Tel_No = namedEdit(QStringLiteral("edtU_Tel_No"), 50, pnlUser);
    edtUsername = namedEdit(QStringLiteral("edtUsername"), 50, pnlUser);
    edtPassword = passwordEdit(QStringLiteral("edtPassword"), pnlUser);
    edtPassword2 = passwordEdit(QStringLiteral("edtPassword2"), pnlUser);
    form->addRow(QString(), L_User_ID);
    form->addRow(QStringLiteral("คำนำหน้า"), edtU_Surname);
    form->addRow(QStringLiteral("ชื่อ"), edtU_F_Name);
    form->addRow(QStringLiteral("นามสกุล"), edtU_L_Name);
    form->addRow(QStringLiteral("ตำแหน่ง"), edtU_Position);
    form->addRow(QStringLiteral("ระดับ"), edtUser_Type);
    form->addRow(QStringLiteral("คณะ"), cmbFact);
    form->addRow(QStringLiteral("ส่วน"), cmbSection);
    form->addRow(QStringLiteral("เบอร์โทรศัพท์"), edtU_Tel_No);
    form->addRow(QStringLiteral("รหัสผู้ใช้ (User Name)"), edtUsername);
    form->addRow(QStringLiteral("รหัสผ่าน (Password)"), edtPassword);
    form->addRow(QStringLiteral("ยืนยันรหัสผ่าน"), edtPassword2);
    auto* userButtons = new QHBoxLayout;
    QPushButton* btnSave = namedButton(QStringLiteral("btnSave"), QStringLiteral("บันทึกข้อมูล"), pnlUser);
    QPushButton* btnUser_Exit = namedButton(QStringLiteral("btnUser_Exit"), QStringLiteral("ออก"), pnlUser);
    userButtons->addStretch();
    userButtons->addWidget(btnSave);
    userButtons->addWidget(btnUser_Exit);
    form->addRow(userButtons);
    layout->addWidget(pnlUser);
    layout->addStretch();
    installEnterAsTab(pnlUser);

    pnlSearch->hide();
    pnlUsers->hide();
    pnlUser->hide();
    setPanels({pnlSearch, pnlUsers, pnlUser});
    setOpensMaximised();

    for (const Faculties::Faculty& f : Faculties::all(db()))
        cmbFact->addItem(Faculties::itemText(f), f.code);
    const Rows sections = UserService::sections(db());
    for (int i = 0; i < sections.count(); ++i)
        cmbSection->addItem(sections.text(i, QStringLiteral("section")) + QStringLiteral("  ")
                                + sections.text(i, QStringLiteral("Section_Name")),
                            int(sections.integer(i, QStringLiteral("section"))));

    connect(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
    connect(btnEdit, &QPushButton::clicked, this, [this] { guard([this] { btnEditClick(); }); });
    connect(btnExit, &QPushButton::clicked, this, &Screen::closeScreen);
    connect(btnSelect, &QPushButton::clicked, this, [this] { guard([this] { btnSelectClick(); }); });
    connect(btnSearch_Exit, &QPushButton::clicked, pnlSearch, &QWidget::hide);
    connect(btnEdit_User, &QPushButton::clicked, this, [this] { guard([this] { btnEdit_UserClick(); }); });
    connect(btnUsers_Exit, &QPushButton::clicked, pnlUsers, &QWidget::hide);
    connect(btnSave, &QPushButton::clicked, this, [this] { guard([this] { btnSaveClick(); }); });
    connect(btnUser_Exit, &QPushButton::clicked, pnlUser, &QWidget::hide);
}

QStringList TfrmNew_User::panelStates() const
{
    return {kOpened, QStringLiteral("add"), QStringLiteral("add-user"), QStringLiteral("users"),
            QStringLiteral("user")};
}

void TfrmNew_User::showPanelState(const QString& name)
{
    if (name == QLatin1String("add") || name == QLatin1String("add-user")) {
        btnAddClick();
        guard([this] { pnlSearch->listAll(); });
        if (name == QLatin1String("add-user"))
            guard([this] { btnSelectClick(); });
    } else if (name == QLatin1String("users") || name == QLatin1String("user")) {
        guard([this] { btnEditClick(); });
        StringGrid2->selectRow(0);
        if (name == QLatin1String("user"))
            guard([this] { btnEdit_UserClick(); });
    }
}

void TfrmNew_User::btnAddClick()
{
    pnlUsers->hide();
    pnlUser->hide();
    pnlSearch->reset();
    pnlSearch->show();
}

void TfrmNew_User::btnEditClick()
{
    pnlSearch->hide();
    pnlUser->hide();
    fillUsers();
    pnlUsers->show();
}

void TfrmNew_User::fillUsers()
{
    QVector<QStringList> rows;
    for (const UserService::UserLine& u : UserService::userLines(db()))
        rows.push_back({u.id, u.userName, u.name, u.position, u.unit, u.sectionName});
    StringGrid2->showRows(std::move(rows));
}

void TfrmNew_User::btnSelectClick()
{
    // A new user, prefilled from the chosen employee when there is one.
    UserService::UserRecord u;
    u.factCode = login().Cur_Fact_Code;
    u.section = 3;
    if (const auto e = pnlSearch->selected()) {
        u.title = e->Emp_Surname;
        u.firstName = e->Emp_F_Name;
        u.lastName = e->Emp_L_Name;
        u.position = e->Emp_Position;
        u.factCode = e->Fact_code;
    }
    pnlSearch->hide();
    showUser(u);
}

void TfrmNew_User::btnEdit_UserClick()
{
    // The user's number is the row's own first column, in whatever order the list is sorted.
    const QString id = StringGrid2->text(StringGrid2->currentRow(), 0);
    if (id.isEmpty())
        throw AppError(QStringLiteral("กรุณาเลือกผู้ใช้งานที่ต้องการแก้ไข"));
    const UserService::UserRecord u = UserService::load(db(), id.toInt());
    pnlUsers->hide();
    showUser(u);
}

void TfrmNew_User::showUser(const UserService::UserRecord& u)
{
    m_userId = u.id;
    L_User_ID->setText(u.id ? QStringLiteral("ลำดับ  %1").arg(u.id) : QStringLiteral("ผู้ใช้งานใหม่"));
    edtU_Surname->setText(u.title);
    edtU_F_Name->setText(u.firstName);
    edtU_L_Name->setText(u.lastName);
    edtU_Position->setText(u.position);
    edtUser_Type->setText(u.userType);
    edtU_Tel_No->setText(u.telephone);
    edtUsername->setText(u.userName);
    // Only its hash is stored: an edit leaves the fields empty to keep it.
    const QString keep = u.id ? QStringLiteral("เว้นว่างไว้ถ้าไม่เปลี่ยนรหัสผ่าน") : QString();
    for (QLineEdit* e : {edtPassword, edtPassword2}) {
        e->clear();
        e->setPlaceholderText(keep);
    }
    cmbFact->setCurrentIndex(cmbFact->findData(u.factCode));
    cmbSection->setCurrentIndex(cmbSection->findData(u.section));
    pnlUser->show();
    edtU_Surname->setFocus();
}

void TfrmNew_User::btnSaveClick()
{
    UserService::UserRecord u;
    u.id = m_userId;
    u.title = edtU_Surname->text();
    u.firstName = edtU_F_Name->text();
    u.lastName = edtU_L_Name->text();
    u.position = edtU_Position->text();
    u.userType = edtUser_Type->text();
    u.telephone = edtU_Tel_No->text();
    u.userName = edtUsername->text();
    u.password = edtPassword->text();
    u.passwordAgain = edtPassword2->text();
    u.factCode = cmbFact->currentData().toString();
    u.section = cmbSection->currentData().toInt();
    const bool himself = m_userId != 0 && m_userId == login().userId;
    m_userId = UserService::save(db(), u,
                                 himself ? UserService::PasswordFrom::Owner : UserService::PasswordFrom::Administrator,
                                 login().Cur_Username);
    L_User_ID->setText(QStringLiteral("ลำดับ  %1").arg(m_userId));
    msg::info(this, QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
}

} // namespace wel
