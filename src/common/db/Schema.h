#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

namespace wel {

class Database;

// The one definition of every table; DDL for each server is generated from it.
struct ColumnDef {
    // AutoId: a whole number the server gives each new row (an INSERT leaves
    // it out); a copy writes it as it was.
    enum Type { Text, Int, Money, AutoId };
    QString name;
    Type type = Text;
    int width = 0; // Text: maximum characters; 0 = long text
};

// One part of the key of an index made for a condition that Database writes
// per server, so that the condition can seek instead of reading the table:
//   CaseFolded        ciEquals(column)           -> UPPER(column)
//   Part              substr(column, start, len) -> the same SUBSTR expression
//   Prefix            column LIKE 'text%'        -> SQLite: column COLLATE NOCASE (its LIKE
//                                                   ignores case); PostgreSQL: varchar_pattern_ops
//   CaseFoldedPrefix  ciLike(column)             -> SQLite as Prefix; PostgreSQL: UPPER(column)
//                                                   with text_pattern_ops
// SQL Server indexes no expression without a computed column: there every
// part is the plain column (and an index that comes out the same as another
// one of its table is not made twice).
struct KeyPart {
    enum Form { Column, CaseFolded, Part, Prefix, CaseFoldedPrefix };
    QString column;
    Form form = Column;
    int start = 0, length = 0; // Part
};

struct TableDef {
    QString name;
    QVector<ColumnDef> columns;
    QVector<QStringList> uniqueKeys;
    QVector<QStringList> indexes;
};

// An index of a table for the conditions of the searches and listings; made
// with the table's own, named cx_<table>_<n> in the order of the list.
struct ConditionIndex {
    QString table;
    QVector<KeyPart> key;
};

const QVector<TableDef>& schemaTables();
// The append-only record of who changed what (Audit.h writes it).
extern const QString kAuditTable;
const QVector<ConditionIndex>& conditionIndexes();

// Creates every table, key and index that is missing; running it again
// changes nothing.
void createSchema(Database& db);
// The tables and columns of this version that the database lacks ("T_X" or
// "T_X.Column"); empty when createSchema would add none.
QStringList missingSchema(Database& db);
// After rows were written with their own AutoId values (a copy): the server
// hands out the next ones above them.
void continueAutoIds(Database& db, const TableDef& t);
// Reference rows every installation needs (codes of the claim kinds, person
// names, sections, version, notices); rows that exist are left alone.
void loadReferenceData(Database& db);
// Faculties, users, employees, families and yearly rows for trying the
// program out. Only when the database has no user yet.
void loadDemoData(Database& db);

} // namespace wel
