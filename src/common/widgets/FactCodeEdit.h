#pragma once
#include <QLineEdit>

namespace wel {

// A faculty code: two characters, upper-cased as typed. Only the finance
// division (mode "KV") chooses the faculty; in any other mode the field shows
// the clerk's own faculty and cannot be changed.
class FactCodeEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FactCodeEdit(QWidget* parent = nullptr);

    void setMode(const QString& mode);
    QString code() const; // without blanks, upper-cased
};

} // namespace wel
