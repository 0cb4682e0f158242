#pragma once
#include "check/IntegrityCheck.h"

#include <QString>
#include <QVector>
#include <functional>

namespace wel {
class Database;
struct TableDef;
} // namespace wel

namespace wel::maintenance {

// What one table holds, in a form two servers can be compared by: the row
// count and a sum of per-row digests (order does not matter). Each value
// enters the digest as the program reads it: text as stored, whole numbers,
// amounts rounded to the satang (SQLite keeps them as floating point), NULL
// apart from an empty text.
struct TableFingerprint {
    QString table;
    qint64 rows = 0;
    quint64 digest = 0;
    bool operator==(const TableFingerprint& o) const { return rows == o.rows && digest == o.digest; }
};

// The digest of one row of table t, as the copy and the comparison take it.
quint64 rowDigest(const TableDef& t, const QVector<QVariant>& row);
// Reads every table of the program's schema from db.
QVector<TableFingerprint> fingerprint(Database& db);

struct CopyOptions {
    bool replace = false; // empty a target that holds data instead of refusing it
    // Told the table being copied and the rows written so far.
    std::function<void(const QString& table, qint64 rows)> progress;
    // Called after each table has been written (a test stops the copy here).
    std::function<void(const QString& table)> tableDone;
};

struct CopyResult {
    QVector<TableFingerprint> source, target; // same order: the schema's tables
    check::Report targetCheck;
    bool equal() const { return source == target; }
};

// Copies every table of the program's schema from one database to another,
// both open, whatever their servers. The target's tables are made first; a
// target holding rows is refused (AppError) unless options.replace. Source
// rows are read as of one moment, so workstations may go on working on it.
// Everything written to the target is one transaction: a copy stopped half
// way leaves the target as it was. Afterwards both are compared table by
// table and the target is checked for consistency.
CopyResult copyDatabase(Database& from, Database& to, const CopyOptions& options = {});

// The copy's result in lines for the command: one per table, then the verdict.
QString format(const CopyResult& result);

} // namespace wel::maintenance
