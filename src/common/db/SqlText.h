#pragma once
#include "Database.h"

#include <QHash>
#include <QStringList>

namespace wel::sql {

// Pieces of statement text for a number of values known only at run time;
// the values themselves are always bound.

// "(?, ?, ?)" for n values.
QString marks(int n);
// "column IN (?, ?)" with the values appended to params.
QString in(const QString& column, const QStringList& values, QVariantList& params);
// INSERT INTO table (columns) VALUES (...), (...): many rows in one statement.
Database::Statement insertRows(const QString& table, const QStringList& columns, const QVector<QVariantList>& rows);
// The same for any number of rows: one INSERT per hundred rows appended to
// writes, which keeps every server below its limit of parameters per
// statement (SQL Server: 2,100).
void insertInChunks(QVector<Database::Statement>& writes, const QString& table, const QStringList& columns,
                    const QVector<QVariantList>& rows);
// INSERT of one row in which the columns of computed take an SQL expression
// (a server function) instead of a bound value; values hold the others, in
// the order of columns.
Database::Statement insertRow(const QString& table, const QStringList& columns, const QVariantList& values,
                              const QHash<QString, QString>& computed);

} // namespace wel::sql
