#include "UFirst_Admin.h"
#include "LoginService.h"
#include "common/Faculties.h"
#include "common/db/Database.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Screen.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace wel {

TfrmFirst_Admin::TfrmFirst_Admin(Database& db, QWidget* parent)
    : FormDialog(QStringLiteral("frmFirst_Admin"), QStringLiteral("สร้างผู้ดูแลระบบ"),
                 QStringLiteral("ฐานข้อมูลนี้ยังไม่มีผู้ใช้งาน กรุณาสร้างผู้ดูแลระบบ (ส่วนที่ 9) "
                                "แล้วเข้าสู่ระบบด้วยชื่อผู้ใช้นี้เพื่อเพิ่มผู้ใช้งานคนอื่น"),
                 420, parent),
      m_db(db)
{
    auto line = [this](const char* name, int maxLength) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(maxLength);
        return e;
    };
    edtUser_Name = line("edtUser_Name", 50);
    edtPassword = line("edtPassword", 50);
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword2 = line("edtPassword2", 50);
    edtPassword2->setEchoMode(QLineEdit::Password);
    edtF_Name = line("edtF_Name", 40);
    edtL_Name = line("edtL_Name", 40);
    cmbFact_Code = new QComboBox(this);
    cmbFact_Code->setObjectName(QStringLiteral("cmbFact_Code"));
    cmbFact_Code->setEditable(true);
    cmbFact_Code->setInsertPolicy(QComboBox::NoInsert);
    for (const Faculties::Faculty& f : Faculties::all(db))
        cmbFact_Code->addItem(f.code + QStringLiteral(" : ") + f.name, f.code);
    cmbFact_Code->setCurrentIndex(-1);
    edtFact_Name = line("edtFact_Name", 250);
    edtFact_Name->setPlaceholderText(QStringLiteral("เฉพาะรหัสคณะที่ยังไม่มีในรายการ"));
    form()->addRow(QStringLiteral("User Name"), edtUser_Name);
    form()->addRow(QStringLiteral("Password"), edtPassword);
    form()->addRow(QStringLiteral("ยืนยัน Password"), edtPassword2);
    form()->addRow(QStringLiteral("ชื่อ"), edtF_Name);
    form()->addRow(QStringLiteral("นามสกุล"), edtL_Name);
    form()->addRow(QStringLiteral("รหัสคณะ"), cmbFact_Code);
    form()->addRow(QStringLiteral("ชื่อคณะ"), edtFact_Name);
    installEnterAsTab(this);
    connect(btnOK, &QPushButton::clicked, this, &TfrmFirst_Admin::btnOKClick);
}

QString TfrmFirst_Admin::factCode() const
{
    // A listed faculty carries its code; a typed one is taken as it stands.
    const int i = cmbFact_Code->findText(cmbFact_Code->currentText());
    if (i >= 0)
        return cmbFact_Code->itemData(i).toString();
    return cmbFact_Code->currentText().trimmed();
}

void TfrmFirst_Admin::btnOKClick()
{
    LoginService::FirstAdministrator a;
    a.userName = edtUser_Name->text();
    a.password = edtPassword->text();
    a.passwordAgain = edtPassword2->text();
    a.firstName = edtF_Name->text();
    a.lastName = edtL_Name->text();
    a.factCode = factCode();
    a.factName = edtFact_Name->text();
    if (!guardOperation(this, [&] { LoginService::createFirstAdministrator(m_db, a); }))
        return;
    msg::info(this, QStringLiteral("สร้างผู้ดูแลระบบ %1 เรียบร้อยแล้ว กรุณาเข้าสู่ระบบ").arg(a.userName.trimmed()));
    accept();
}

} // namespace wel
