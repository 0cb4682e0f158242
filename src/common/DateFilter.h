#pragma once
#include <QString>
#include <QVariantList>

namespace wel {

class Database;

// A listing's choice of one day, one month or one year, compared with a
// stored "dd/mm/yyyy" date text: the whole text for a day, characters 4 to
// 10 ("mm/yyyy") for a month, characters 7 to 10 for a year.
struct DateFilter {
    enum Kind { Day, Month, Year };
    Kind kind = Day;
    QString value; // "dd/mm/yyyy", "mm/yyyy" or "yyyy" as typed

    // "column = ?" or "SUBSTR(column, 4, 7) = ?" in the server's dialect;
    // the value goes into params.
    QString condition(const Database& db, const QString& column, QVariantList& params) const;
};

} // namespace wel
