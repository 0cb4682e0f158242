#pragma once
#include "common/excel/GridExport.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace wel {
class Database;
}

// Reading the audit trail, for the administrator's screen and the
// "welmora-admin audit" command. It only reads: nothing in the program
// changes or removes a row of the trail.
namespace wel::AuditLog {

// Empty fields do not filter. Dates are Buddhist-Era "dd/mm/yyyy", both
// days included; the user is compared without letter case; the key is a
// prefix ("KV2568/" finds every claim of that series); the operation is
// one code of audit::operations().
struct Filter {
    QString since, until;
    QString user;
    QString op;
    QString key;
};

struct Entry {
    qint64 id = 0;
    QString time;        // "dd/mm/yyyy HH:mm:ss", Buddhist Era
    QString user, workstation;
    QString op, opLabel; // code and its Thai label
    QString key, detail;
};

// The rows that pass the filter, oldest first. Throws AppError for a date
// that is not one, or a range that ends before it begins.
QVector<Entry> find(Database& db, const Filter& filter);
// Everyone who has a row, for the choice of user.
QStringList users(Database& db);

QStringList headings();
// The rows as the grid and the workbook show them.
QVector<QStringList> cells(const QVector<Entry>& entries);
// The workbook of the rows: headings, one row per entry, the filter as title.
excel::GridTable gridTable(const QVector<Entry>& entries);
excel::GridExportParams exportParams(const Filter& filter);
// The rows as a plain text table, for the command.
QString textTable(const QVector<Entry>& entries);

} // namespace wel::AuditLog
