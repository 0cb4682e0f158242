#pragma once
#include "Database.h"

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

} // namespace wel::sql
