#include "BareSql.h"

#include <QSysInfo>

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>

namespace wel::bench {

namespace {
int nextConnection()
{
    static int n = 0;
    return ++n;
}
} // namespace

// A connection name of its own, so that growth can hold two installations.
BareSql::BareSql(const DbUrl& url)
    : m_kind(url.kind), m_name(QStringLiteral("welmora-bench-bare-%1").arg(nextConnection()))
{
    if (url.kind == DbKind::SQLite) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(url.path);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000"));
    } else if (url.kind == DbKind::PostgreSQL) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_name);
        m_db.setHostName(url.host);
        m_db.setPort(url.port);
        m_db.setUserName(url.user);
        m_db.setPassword(url.password);
        m_db.setDatabaseName(url.dbName);
    } else {
        throw AppError(QStringLiteral("the benchmark runs on SQLite and PostgreSQL"));
    }
    if (!m_db.open())
        throw DbError(m_db.lastError().text(), QStringLiteral("open"));
    if (m_kind == DbKind::SQLite) {
        prepareSqliteConnection(m_db);
        direct(QStringLiteral("PRAGMA journal_mode=WAL"));
        // As durable as the program's commits: a pair that flushed the log
        // on one side only would time the disk, not the program's layers.
        direct(QStringLiteral("PRAGMA synchronous=FULL"));
        QSqlQuery check(m_db);
        if (!check.exec(QStringLiteral("PRAGMA synchronous")) || !check.next() || check.value(0).toInt() != 2)
            throw AppError(QStringLiteral("the bare connection is not durable (synchronous=%1)").arg(check.value(0).toString()));
    } else {
        direct(QStringLiteral("SET TIME ZONE 'Asia/Bangkok'"));
        if (!url.schema.isEmpty())
            direct(QStringLiteral("SET search_path TO \"%1\"").arg(url.schema));
    }
}

BareSql::~BareSql()
{
    m_prepared.clear();
    m_direct.reset();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

void BareSql::direct(const QString& sql)
{
    QSqlQuery q(m_db);
    ++m_roundTrips;
    if (!q.exec(sql))
        throw DbError(q.lastError().text(), sql);
}

QSqlQuery& BareSql::run(const QString& sql, const QVariantList& params)
{
    if (m_observer)
        m_observer(sql, params);
    if (params.isEmpty()) {
        // Nothing to bind: run it directly, as the program's connection does
        // (on PostgreSQL a large result comes faster that way than through a
        // prepared statement, so a prepared bare side would be the slower).
        m_direct = std::make_unique<QSqlQuery>(m_db);
        m_direct->setForwardOnly(true);
        m_direct->setNumericalPrecisionPolicy(QSql::HighPrecision);
        ++m_roundTrips;
        if (!m_direct->exec(sql))
            throw DbError(m_direct->lastError().text(), sql);
        return *m_direct;
    }
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        auto q = std::make_unique<QSqlQuery>(m_db);
        q->setForwardOnly(true);
        q->setNumericalPrecisionPolicy(QSql::HighPrecision);
        ++m_roundTrips;
        if (!q->prepare(sql))
            throw DbError(q->lastError().text(), sql);
        it = m_prepared.emplace(sql, std::move(q)).first;
    }
    QSqlQuery& q = *it->second;
    for (int i = 0; i < params.size(); ++i)
        q.bindValue(i, params[i]);
    ++m_roundTrips;
    if (!q.exec())
        throw DbError(q.lastError().text(), sql);
    return q;
}

int BareSql::exec(const QString& sql, const QVariantList& params)
{
    QSqlQuery& q = run(sql, params);
    const int n = q.numRowsAffected();
    q.finish();
    return n;
}

QStringList BareSql::plan(const QString& sql, const QVariantList& params)
{
    QStringList lines;
    QSqlQuery q(m_db);
    if (m_kind == DbKind::SQLite) {
        q.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        for (int i = 0; i < params.size(); ++i)
            q.bindValue(i, params[i]);
        if (!q.exec())
            throw DbError(q.lastError().text(), sql);
        while (q.next())
            lines << q.value(3).toString();
        return lines;
    }
    QString text;
    int next = 0;
    bool quoted = false;
    for (const QChar ch : sql) {
        if (ch == QLatin1Char('\''))
            quoted = !quoted;
        if (ch == QLatin1Char('?') && !quoted && next < params.size()) {
            QSqlField field(QString(), params[next].metaType());
            field.setValue(params[next++]);
            text += m_db.driver()->formatValue(field);
        } else {
            text += ch;
        }
    }
    if (!q.exec(QStringLiteral("EXPLAIN ") + text))
        throw DbError(q.lastError().text(), text);
    while (q.next())
        lines << q.value(0).toString();
    return lines;
}

void BareSql::begin()
{
    if (m_kind == DbKind::SQLite) {
        direct(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    ++m_roundTrips;
    if (!m_db.transaction())
        throw DbError(m_db.lastError().text(), QStringLiteral("BEGIN"));
}

void BareSql::commit()
{
    if (m_kind == DbKind::SQLite) {
        direct(QStringLiteral("COMMIT"));
        return;
    }
    ++m_roundTrips;
    if (!m_db.commit())
        throw DbError(m_db.lastError().text(), QStringLiteral("COMMIT"));
}

void BareSql::rollback()
{
    if (m_kind == DbKind::SQLite) {
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        m_db.rollback();
    }
}

void writeAuditRow(BareSql& sql, const QString& user, const QString& op, const QString& key, const QString& detail)
{
    const QString time = sql.kind() == DbKind::PostgreSQL
                             ? QStringLiteral("TO_CHAR(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS')")
                             : QStringLiteral("STRFTIME('%Y-%m-%d %H:%M:%S', 'now', 'localtime')");
    sql.exec(QStringLiteral("INSERT INTO T_Audit_Log (Audit_Time, Audit_User, Workstation, Audit_Op, Audit_Key, "
                            "Audit_Detail) VALUES (%1, ?, ?, ?, ?, ?)")
                 .arg(time),
             {user, QSysInfo::machineHostName(), op, key, detail});
}

QString newestAuditRowQuery(const QString& op)
{
    return QStringLiteral("SELECT Audit_User, Workstation, Audit_Op, Audit_Detail FROM T_Audit_Log WHERE Audit_ID = "
                          "(SELECT MAX(Audit_ID) FROM T_Audit_Log WHERE Audit_Op = '%1' AND Audit_Key = ?)")
        .arg(op);
}

} // namespace wel::bench
