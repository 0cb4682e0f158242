#pragma once
#include "common/AppError.h"
#include "common/db/Database.h"
#include "common/db/Schema.h"

#include <gtest/gtest.h>
#include <memory>

namespace wel::test {

// A fresh database of the backend under test (WELMORA_TEST_BACKEND): a
// temporary SQLite file, or a new schema on the throw-away PostgreSQL server
// that scripts/test starts (WELMORA_TEST_PG_URL). Dropped again at the end.
class TestDb {
public:
    // DemoWithClaims: the demo employees with the claims "init --demo" makes.
    enum Seed { Empty, Schema, Reference, Demo, DemoWithClaims };
    explicit TestDb(Seed seed = Demo);
    ~TestDb();

    Database& db() { return *m_db; }
    // A second connection to the same database, as another workstation.
    std::unique_ptr<Database> connectAgain() const;
    const DbUrl& url() const { return m_url; }
    DbKind kind() const { return m_url.kind; }

    // Fixes the server clock of db() to this Gregorian date (noon).
    void setToday(int year, int month, int day);

private:
    DbUrl m_url;
    QString m_tempDir;
    std::unique_ptr<Database> m_db;
};

// False when the backend under test is PostgreSQL and no server was started.
bool backendAvailable();

// The rows of one of the program's tables. Only a name of the schema's own
// table list reaches the statement; any other name is refused.
inline qint64 rowCount(Database& db, const QString& table)
{
    for (const TableDef& t : schemaTables())
        if (t.name.compare(table, Qt::CaseInsensitive) == 0)
            return db.select(QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(t.name)).integer(0, QStringLiteral("n"));
    throw AppError(QStringLiteral("no such table in the schema: ") + table);
}

} // namespace wel::test

// First line of every test that needs a database.
#define WELMORA_NEED_DB()                                                        \
    do {                                                                         \
        if (!::wel::test::backendAvailable())                                    \
            GTEST_SKIP() << "no PostgreSQL server (run the tests with scripts/test)"; \
    } while (0)
