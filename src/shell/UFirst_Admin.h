#pragma once
#include "common/widgets/FormDialog.h"

class QComboBox;
class QLineEdit;

namespace wel {

class Database;

// Shown at start-up by a database that has no user yet: creates the first
// administrator (section 9), who then logs in and adds the others.
class TfrmFirst_Admin : public FormDialog {
    Q_OBJECT
public:
    explicit TfrmFirst_Admin(Database& db, QWidget* parent = nullptr);

    QLineEdit* edtUser_Name = nullptr;
    QLineEdit* edtPassword = nullptr;
    QLineEdit* edtPassword2 = nullptr;
    QLineEdit* edtF_Name = nullptr;
    QLineEdit* edtL_Name = nullptr;
    QComboBox* cmbFact_Code = nullptr;
    QLineEdit* edtFact_Name = nullptr;

private:
    void btnOKClick();
    QString factCode() const;

    Database& m_db;
};

} // namespace wel
