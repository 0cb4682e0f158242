#pragma once
#include "common/Money.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

namespace wel {
class Database;
}

namespace wel::bench {

class BareSql;

// Reads rows back on one side's own connection, so that a side can look at
// what it wrote before it rolls back.
using RowReader = std::function<QVector<QVector<QVariant>>(const QString& sql, const QVariantList& params)>;
RowReader readerOf(Database& db);
RowReader readerOf(BareSql& sql);

// What a side wrote, for comparing the two sides before timing them: the
// number of rows, the sum of one money column (moneyColumn < 0: none) and a
// digest of every value, in the order read.
QString writtenSummary(const QString& what, const QVector<QVector<QVariant>>& rows, int moneyColumn = -1);

} // namespace wel::bench
