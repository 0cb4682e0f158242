#include "UChange_Password.h"
#include "admin/UserService.h"
#include "common/widgets/EnterAsTab.h"
#include "common/widgets/Messages.h"
#include "common/widgets/Screen.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace wel {

TfrmChange_Password::TfrmChange_Password(Database& db, const LoginContext& login, QWidget* parent)
    : FormDialog(QStringLiteral("frmChange_Password"), QStringLiteral("เปลี่ยนรหัสผ่าน"),
                 QStringLiteral("รหัสผ่านของท่านเป็นรหัสผ่านที่ได้รับแจ้ง กรุณาตั้งรหัสผ่านใหม่ของท่านเองก่อนเริ่มใช้งาน"),
                 380, parent),
      m_db(db), m_login(login)
{
    auto secret = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(50);
        e->setEchoMode(QLineEdit::Password);
        return e;
    };
    edtNew_Password = secret("edtNew_Password");
    edtNew_Password2 = secret("edtNew_Password2");
    form()->addRow(QStringLiteral("รหัสผ่านใหม่"), edtNew_Password);
    form()->addRow(QStringLiteral("ยืนยันรหัสผ่านใหม่"), edtNew_Password2);
    btnOK->setDefault(true);
    installEnterAsTab(this);
    edtNew_Password->setFocus();
    connect(btnOK, &QPushButton::clicked, this, &TfrmChange_Password::btnOKClick);
}

void TfrmChange_Password::btnOKClick()
{
    if (!guardOperation(this, [&] {
            UserService::changeOwnPassword(m_db, m_login, edtNew_Password->text(), edtNew_Password2->text());
        })) {
        edtNew_Password->clear();
        edtNew_Password2->clear();
        edtNew_Password->setFocus();
        return;
    }
    msg::info(this, QStringLiteral("เปลี่ยนรหัสผ่านเรียบร้อยแล้ว"));
    accept();
}

} // namespace wel
