#pragma once
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace wel {
class Database;
}

namespace wel::bench {

// Rows of one table sent as multi-row INSERTs with bound values, hundreds of
// rows per statement, inside the caller's transaction. finish() sends what
// is left; a BulkInsert dropped without it loses its pending rows on purpose
// (the transaction that failed rolls back anyway).
class BulkInsert {
public:
    BulkInsert(Database& db, const QString& table, const QStringList& columns);

    void add(const QVariantList& row);
    void finish();
    qint64 rowsWritten() const { return m_written; }

private:
    QString statementFor(int rows) const;
    void send(int rows);

    Database& m_db;
    QString m_table;
    QStringList m_columns;
    int m_rowsPerStatement;
    QString m_fullStatement;
    QVariantList m_pending;
    qint64 m_written = 0;
};

} // namespace wel::bench
