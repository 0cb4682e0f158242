#pragma once
#include <QString>
#include <QVector>

namespace wel {

class Database;

// The faculty list (T_Fact) as screens offer it: each item is the code, two
// blanks and the name, and the code of a chosen item is its first two
// characters.
namespace Faculties {

struct Faculty {
    QString code;
    QString name;
};

QVector<Faculty> all(Database& db); // ordered by Fact_Code
QString itemText(const Faculty& f);
// Code of a list item (or of a bare code), upper-cased; "" for a blank text.
QString codeOfItem(const QString& item);
// Fact_Name of the code, "" when there is no such faculty.
QString nameOf(Database& db, const QString& code);

} // namespace Faculties
} // namespace wel
