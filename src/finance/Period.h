#pragma once
#include <QString>
#include <QVariantList>

namespace wel {
class Database;
}

namespace wel::finance {

// The choice of the finance listings: every date, one day, one month or one
// year, compared with a stored "dd/mm/yyyy" date text (the whole text for a
// day, characters 4 to 10 for a month, 7 to 10 for a year).
struct Period {
    enum Kind { All, Day, Month, Year };
    Kind kind = All;
    QString value; // "dd/mm/yyyy", "mm/yyyy" or "yyyy" as typed

    static Period all() { return {}; }
    static Period day(const QString& v) { return {Day, v}; }
    static Period month(const QString& v) { return {Month, v}; }
    static Period year(const QString& v) { return {Year, v}; }

    // " AND <condition>" in the server's dialect with its value added to
    // params, or "" for every date.
    QString andCondition(const Database& db, const QString& column, QVariantList& params) const;
};

} // namespace wel::finance
