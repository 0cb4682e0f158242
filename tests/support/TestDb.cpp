#include "TestDb.h"
#include "common/db/Schema.h"
#include "demo/DemoSetup.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

namespace wel::test {

namespace {
QString backend() { return qEnvironmentVariable("WELMORA_TEST_BACKEND", QStringLiteral("sqlite")); }
QString pgUrl() { return qEnvironmentVariable("WELMORA_TEST_PG_URL"); }
} // namespace

bool backendAvailable()
{
    return backend() != QLatin1String("postgresql") || !pgUrl().isEmpty();
}

TestDb::TestDb(Seed seed)
{
    if (backend() == QLatin1String("postgresql")) {
        if (pgUrl().isEmpty())
            throw AppError(QStringLiteral("WELMORA_TEST_PG_URL is not set"));
        const QString schema = QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        DbUrl base = DbUrl::parse(pgUrl());
        {
            auto admin = Database::open(base);
            admin->exec(QStringLiteral("CREATE SCHEMA %1").arg(schema));
        }
        m_url = base;
        m_url.schema = schema;
    } else {
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/welmora-test-XXXXXX"));
        dir.setAutoRemove(false);
        m_tempDir = dir.path();
        m_url.kind = DbKind::SQLite;
        m_url.path = m_tempDir + QStringLiteral("/test.db");
    }
    m_db = Database::open(m_url);
    if (seed >= Schema)
        createSchema(*m_db);
    if (seed >= Reference)
        loadReferenceData(*m_db);
    if (seed >= Demo)
        loadDemoData(*m_db);
    if (seed >= DemoWithClaims) {
        demo::loadDemoClaimsOfEveryKind(*m_db);
    }
}

TestDb::~TestDb()
{
    m_db.reset();
    if (m_url.kind == DbKind::PostgreSQL) {
        try {
            DbUrl base = m_url;
            base.schema.clear();
            auto admin = Database::open(base);
            admin->exec(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_url.schema));
        } catch (...) {
        }
    } else if (!m_tempDir.isEmpty()) {
        QDir(m_tempDir).removeRecursively();
    }
}

std::unique_ptr<Database> TestDb::connectAgain() const { return Database::open(m_url); }

void TestDb::setToday(int year, int month, int day)
{
    const QDateTime t(QDate(year, month, day), QTime(12, 0, 0));
    m_db->setClock([t] { return t; });
}

} // namespace wel::test
