#pragma once
#include "common/db/Database.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <memory>
#include <unordered_map>

namespace wel::bench {

// A plain Qt connection for the "bare" side of a comparison: the SQL an
// operation needs, prepared once and run with bound values (directly when
// there are none, as the program's connection runs them), results read
// straight from the cursor, nothing in between. The session is set up as the
// program's own (WAL and synchronous=FULL, the THAI collation, the schema),
// so that only the program's layers differ.
class BareSql {
public:
    explicit BareSql(const DbUrl& url);
    ~BareSql();
    BareSql(const BareSql&) = delete;
    BareSql& operator=(const BareSql&) = delete;

    DbKind kind() const { return m_kind; }
    // Runs the statement and hands each row to row(query); the cursor is
    // released afterwards (an open SQLite cursor would pin its snapshot).
    template <typename F>
    void each(const QString& sql, const QVariantList& params, F&& row)
    {
        QSqlQuery& q = run(sql, params);
        while (q.next())
            row(q);
        q.finish();
    }
    // INSERT, UPDATE: the number of rows changed.
    int exec(const QString& sql, const QVariantList& params);
    void begin();
    void commit();
    void rollback();
    quint64 roundTrips() const { return m_roundTrips; }
    void setStatementObserver(std::function<void(const QString&, const QVariantList&)> observer)
    {
        m_observer = std::move(observer);
    }
    // The server's query plan of a statement with these values, one line per
    // step: EXPLAIN QUERY PLAN on SQLite, EXPLAIN on PostgreSQL (which cannot
    // prepare an EXPLAIN: there the values are written into the text by the
    // driver's own quoting, as Qt does for every execution).
    QStringList plan(const QString& sql, const QVariantList& params);

private:
    QSqlQuery& run(const QString& sql, const QVariantList& params);
    void direct(const QString& sql);

    DbKind m_kind;
    QString m_name;
    QSqlDatabase m_db;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_prepared;
    std::unique_ptr<QSqlQuery> m_direct; // the last statement run without values
    quint64 m_roundTrips = 0;
    std::function<void(const QString&, const QVariantList&)> m_observer;
};

// The audit trail's row of an operation as the program writes it: the
// server's clock, the user, this workstation, the operation's code, its key
// and detail.
void writeAuditRow(BareSql& sql, const QString& user, const QString& op, const QString& key, const QString& detail);

// The statement (one value: the key) that reads back the newest audit row of
// an operation under a key: what a side wrote in its own transaction, for the
// comparison before timing.
QString newestAuditRowQuery(const QString& op);

} // namespace wel::bench
