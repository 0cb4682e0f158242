#pragma once
#include "common/LoginContext.h"
#include "common/widgets/FormDialog.h"

class QLineEdit;

namespace wel {

class Database;

// Shown right after the log-in of a user who still has the password someone
// else gave him (a user letter): he sets his own, typed twice, before any
// menu opens. Declining leaves him at the log-in panel.
class TfrmChange_Password : public FormDialog {
    Q_OBJECT
public:
    TfrmChange_Password(Database& db, const LoginContext& login, QWidget* parent = nullptr);

    QLineEdit* edtNew_Password = nullptr;
    QLineEdit* edtNew_Password2 = nullptr;

private:
    void btnOKClick();

    Database& m_db;
    LoginContext m_login;
};

} // namespace wel
