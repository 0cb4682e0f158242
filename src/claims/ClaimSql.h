#pragma once
#include "common/db/Database.h"

#include <QStringList>

namespace wel::claims::sql {

// "(?, ?, ?)" for n values.
QString marks(int n);
// "column IN (?, ?)" with the values appended to params.
QString in(const QString& column, const QStringList& values, QVariantList& params);
// INSERT INTO table (columns) VALUES (...), (...): many rows in one statement.
Database::Statement insertRows(const QString& table, const QStringList& columns, const QVector<QVariantList>& rows);

} // namespace wel::claims::sql
