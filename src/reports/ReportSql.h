#pragma once
#include "reports/ReportTypes.h"

#include <QVariantList>

namespace wel {
class Database;
}

namespace wel::reports {

// The WHERE clause of a report, condition by condition, each value bound.
struct Where {
    QString sql;
    QVariantList params;
    void add(const QString& condition, const QVariantList& values = {});
};

// "date:dd/mm/yyyy" equals the date, "month:mm/yyyy" its month, "year:yyyy"
// its year; "all" or empty adds nothing. Month and year are compared on the
// characters of the stored text, so a month never matches another year.
void addDateScope(Where& w, Database& db, const QString& column, const QString& filter);

// Strictly before the date, month or year of the filter, on (year, month,
// day) read from the stored text.
void addBefore(Where& w, Database& db, const QString& column, const QString& filter);

// The faculty of a faculty filter: "one:SC" or "SC" gives "SC"; "all" or
// empty gives "" (every faculty).
QString facultyOf(const QString& filter);

// Display texts of the report cells.
QString countText(qint64 n);
QString amountText(Money m);

// Ensures the grid has its one emptied row when nothing matched.
void finishEmpty(ReportResult& r);

} // namespace wel::reports
