#include "MessageLog.h"
#include "TestDb.h"
#include "common/db/DbFaults.h"
#include "common/widgets/Screen.h"

#include <QElapsedTimer>
#include <QThread>

using namespace wel;
using wel::test::TestDb;

namespace {
bool factExists(Database& db, const QString& code)
{
    return !db.select(QStringLiteral("SELECT 1 FROM T_Fact WHERE Fact_Code = ?"), {code}).isEmpty();
}
void addFact(Database& db, const QString& code)
{
    db.exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES (?, ?)"), {code, QStringLiteral("x")});
}
// A workstation of this database whose bounds are short enough for a test.
std::unique_ptr<Database> workstation(const TestDb& t, int lockWait, int idleInTransaction = 30)
{
    DbUrl url = t.url();
    url.bounds.lockWait = lockWait;
    url.bounds.idleInTransaction = idleInTransaction;
    return Database::open(url);
}
} // namespace

// A workstation holding the data in the middle of its operation (frozen, or
// slow) keeps another waiting no longer than the lock-wait bound; the other
// is told so in Thai, with the server's words under the details, and nothing
// of its own operation is written.
TEST(Bounds, HeldDataEndsTheWaitWithTheThaiMessageAndNothingWritten)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    addFact(t.db(), QStringLiteral("AA"));
    auto holder = t.connectAgain();
    Transaction holding(*holder);
    holder->exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = 'held' WHERE Fact_Code = 'AA'"));

    auto other = workstation(t, 1);
    test::MessageLog messages;
    QElapsedTimer waited;
    waited.start();
    const bool ok = guardOperation(nullptr, [&] {
        Transaction tx(*other);
        addFact(*other, QStringLiteral("BB"));
        other->exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = 'mine' WHERE Fact_Code = 'AA'"));
        tx.commit();
    });
    EXPECT_FALSE(ok);
    EXPECT_LT(waited.elapsed(), 1000 + 4000);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], dbfault::busy(DbBounds{1}));
    ASSERT_EQ(messages.details.size(), 1);
    EXPECT_TRUE(messages.details[0].contains(t.kind() == DbKind::SQLite ? QStringLiteral("locked")
                                                                        : QStringLiteral("lock timeout")))
        << messages.details[0].toStdString();

    holding.commit();
    EXPECT_FALSE(factExists(t.db(), QStringLiteral("BB")));
    // Once the data is free the same workstation works again.
    EXPECT_NO_THROW({
        Transaction tx(*other);
        addFact(*other, QStringLiteral("BB"));
        tx.commit();
    });
    EXPECT_TRUE(factExists(t.db(), QStringLiteral("BB")));
}

// A statement that runs past the statement bound is cancelled by the server.
TEST(Bounds, LongStatementIsCancelledWithTheThaiMessage)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    if (t.kind() != DbKind::PostgreSQL)
        GTEST_SKIP() << "the embedded database has no server to bound a statement";
    DbUrl url = t.url();
    url.bounds.statement = 1;
    auto db = Database::open(url);
    QElapsedTimer waited;
    waited.start();
    try {
        Transaction tx(*db);
        addFact(*db, QStringLiteral("LS"));
        db->select(QStringLiteral("SELECT pg_sleep(10)"));
        tx.commit();
        ADD_FAILURE() << "the statement was not cancelled";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), dbfault::statementTooLong(url.bounds));
        EXPECT_TRUE(e.serverText().contains(QStringLiteral("statement timeout"))) << e.serverText().toStdString();
    }
    EXPECT_LT(waited.elapsed(), 1000 + 4000);
    EXPECT_FALSE(factExists(t.db(), QStringLiteral("LS")));
}

// A workstation frozen in the middle of an operation (SIGSTOP, a hung
// screen, a switched-off machine) holds its locks only until the server ends
// its idle transaction: the others then go on, and the frozen one, when it
// wakes, is told that nothing of its operation was saved.
TEST(Bounds, FrozenWorkstationIsEndedByTheServerAndReleasesItsLocks)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    if (t.kind() != DbKind::PostgreSQL)
        GTEST_SKIP() << "the embedded database has no server to end a session";
    addFact(t.db(), QStringLiteral("AA"));
    auto frozen = workstation(t, 15, 1);
    auto other = workstation(t, 10);
    QString frozenMessage;
    {
        Transaction tx(*frozen);
        addFact(*frozen, QStringLiteral("FZ"));
        frozen->exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = 'frozen' WHERE Fact_Code = 'AA'"));

        QElapsedTimer waited;
        waited.start();
        {
            Transaction mine(*other);
            other->exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = 'other' WHERE Fact_Code = 'AA'"));
            mine.commit();
        }
        EXPECT_LT(waited.elapsed(), 1000 + 4000);
        try {
            frozen->exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = 'late' WHERE Fact_Code = 'AA'"));
            tx.commit();
        } catch (const AppError& e) {
            frozenMessage = e.message();
        }
    }
    EXPECT_EQ(frozenMessage, dbfault::idleTransactionEnded(DbBounds{15, 120, 1}));
    EXPECT_FALSE(factExists(t.db(), QStringLiteral("FZ")));
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT Fact_Name FROM T_Fact WHERE Fact_Code = 'AA'")).text(0, QStringLiteral("Fact_Name")),
              QStringLiteral("other"));
    // Its next operation dials again and works.
    EXPECT_NO_THROW(addFact(*frozen, QStringLiteral("FZ")));
    EXPECT_TRUE(factExists(t.db(), QStringLiteral("FZ")));
}
