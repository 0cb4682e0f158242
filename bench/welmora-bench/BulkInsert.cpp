#include "BulkInsert.h"
#include "common/AppError.h"
#include "common/db/Database.h"

#include <algorithm>

namespace wel::bench {

namespace {
// Qt names SQLite's placeholders, and SQLite looks each name up in a list:
// preparing costs the square of the values of a statement, so SQLite gets
// short ones. PostgreSQL takes up to 65535 values.
int maxValues(DbKind kind) { return kind == DbKind::SQLite ? 2000 : 4000; }
constexpr int kMaxRows = 1000;
} // namespace

BulkInsert::BulkInsert(Database& db, const QString& table, const QStringList& columns)
    : m_db(db), m_table(table), m_columns(columns),
      m_rowsPerStatement(std::max(1, std::min<int>(kMaxRows, maxValues(db.kind()) / int(columns.size()))))
{
    m_fullStatement = statementFor(m_rowsPerStatement);
    m_pending.reserve(m_rowsPerStatement * columns.size());
}

QString BulkInsert::statementFor(int rows) const
{
    QStringList marks;
    for (int i = 0; i < m_columns.size(); ++i)
        marks << QStringLiteral("?");
    const QString tuple = QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
    QStringList tuples;
    for (int r = 0; r < rows; ++r)
        tuples << tuple;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(m_table, m_columns.join(QStringLiteral(", ")), tuples.join(QStringLiteral(", ")));
}

void BulkInsert::add(const QVariantList& row)
{
    if (row.size() != m_columns.size())
        throw AppError(QStringLiteral("%1: %2 values for %3 columns").arg(m_table).arg(row.size()).arg(m_columns.size()));
    m_pending += row;
    if (m_pending.size() == m_rowsPerStatement * m_columns.size())
        send(m_rowsPerStatement);
}

void BulkInsert::send(int rows)
{
    m_db.exec(rows == m_rowsPerStatement ? m_fullStatement : statementFor(rows), m_pending);
    m_written += rows;
    m_pending.clear();
}

void BulkInsert::finish()
{
    if (!m_pending.isEmpty())
        send(int(m_pending.size() / m_columns.size()));
}

} // namespace wel::bench
