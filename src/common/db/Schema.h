#pragma once
#include <QString>
#include <QStringList>
#include <QVector>

namespace wel {

class Database;

// The one definition of every table; DDL for each server is generated from it.
struct ColumnDef {
    enum Type { Text, Int, Money };
    QString name;
    Type type = Text;
    int width = 0; // Text: maximum characters; 0 = long text
};

struct TableDef {
    QString name;
    QVector<ColumnDef> columns;
    QVector<QStringList> uniqueKeys;
    QVector<QStringList> indexes;
};

const QVector<TableDef>& schemaTables();

// Creates every table, key and index that is missing; running it again
// changes nothing.
void createSchema(Database& db);
// Reference rows every installation needs (codes of the claim kinds, person
// names, sections, version, notices); rows that exist are left alone.
void loadReferenceData(Database& db);
// Faculties, users, employees, families and yearly rows for trying the
// program out. Only when the database has no user yet.
void loadDemoData(Database& db);

} // namespace wel
