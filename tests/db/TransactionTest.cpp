#include "MessageLog.h"
#include "TestDb.h"
#include "common/db/ErrorLog.h"
#include "common/widgets/Screen.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimeZone>

#include <thread>

using namespace wel;
using wel::test::TestDb;

namespace {
qint64 count(Database& db, const QString& where = QString())
{
    return db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Fact") + where).integer(0, QStringLiteral("n"));
}
void addFact(Database& db, const QString& code)
{
    db.exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES (?, ?)"), {code, QStringLiteral("x")});
}
} // namespace

// A BEGIN that fails while another workstation holds the write lock must not
// leave the connection believing it is in a transaction: the next operation
// would otherwise write outside any transaction and survive its own rollback.
TEST(Transaction, FailedBeginLeavesNoTransactionBehind)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    if (t.kind() != DbKind::SQLite)
        GTEST_SKIP() << "a server lets two transactions begin at once";
    auto other = t.connectAgain();
    t.db().setBusyTimeout(50);
    {
        Transaction holding(*other);
        addFact(*other, QStringLiteral("AA"));
        EXPECT_THROW(Transaction(t.db()), DbError);
        EXPECT_FALSE(t.db().inTransaction());
        holding.commit();
    }
    {
        Transaction tx(t.db());
        EXPECT_TRUE(t.db().inTransaction());
        addFact(t.db(), QStringLiteral("BB"));
        // left without commit: rolls back
    }
    EXPECT_FALSE(t.db().inTransaction());
    EXPECT_EQ(count(*other), 1);
    EXPECT_EQ(count(*other, QStringLiteral(" WHERE Fact_Code = 'BB'")), 0);
}

// The statements of a failed nested operation roll the whole transaction back.
TEST(Transaction, InnerFailureRollsBackTheOuter)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    try {
        Transaction outer(t.db());
        addFact(t.db(), QStringLiteral("AA"));
        {
            Transaction inner(t.db());
            addFact(t.db(), QStringLiteral("BB"));
        }
        outer.commit();
        ADD_FAILURE() << "the outer transaction committed";
    } catch (const AppError&) {
    }
    EXPECT_EQ(count(t.db()), 0);
    EXPECT_FALSE(t.db().inTransaction());
}

// A write whose connection died under it is not sent again (it may have been
// carried out); the clerk is told, and the next statement works again.
TEST(Reconnect, WriteIsNeverSentTwiceReadIsRetried)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    if (t.kind() != DbKind::PostgreSQL)
        GTEST_SKIP() << "an embedded database has no connection to lose";
    auto killer = t.connectAgain();
    auto killFirst = [&] {
        const qint64 pid = t.db().select(QStringLiteral("SELECT pg_backend_pid() AS p")).integer(0, QStringLiteral("p"));
        killer->select(QStringLiteral("SELECT pg_terminate_backend(?)"), {pid});
        QThread::msleep(100);
    };

    killFirst();
    try {
        addFact(t.db(), QStringLiteral("AA"));
        ADD_FAILURE() << "a write on a dropped connection reported success";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("การเชื่อมต่อกับฐานข้อมูลขาดหายระหว่างทำงาน")))
            << e.message().toStdString();
    }
    EXPECT_EQ(count(*killer), 0);
    addFact(t.db(), QStringLiteral("BB")); // dialled again before it was sent
    EXPECT_EQ(count(*killer), 1);

    killFirst();
    EXPECT_EQ(count(t.db()), 1); // a read is simply asked again

    killFirst();
    {
        Transaction tx(t.db()); // nothing sent yet: BEGIN finds the dead line and dials again
        addFact(t.db(), QStringLiteral("CC"));
        tx.commit();
    }
    EXPECT_EQ(count(*killer), 2);
}

// A statement the server refuses inside a transaction (here a key that is
// taken) leaves the line alive: the clerk reads the server's reason, not a
// lost connection, and the same connection goes on without dialling again.
TEST(Reconnect, ARefusedStatementInATransactionIsNotALostConnection)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    addFact(t.db(), QStringLiteral("AA"));
    const qint64 pid = t.kind() == DbKind::PostgreSQL
        ? t.db().select(QStringLiteral("SELECT pg_backend_pid() AS p")).integer(0, QStringLiteral("p"))
        : 0;
    try {
        Transaction tx(t.db());
        addFact(t.db(), QStringLiteral("BB"));
        addFact(t.db(), QStringLiteral("AA"));
        tx.commit();
        ADD_FAILURE() << "a taken key was accepted";
    } catch (const DbError& e) {
        EXPECT_FALSE(e.message().contains(QStringLiteral("การเชื่อมต่อกับฐานข้อมูลขาดหาย"))) << e.message().toStdString();
    }
    EXPECT_EQ(count(t.db()), 1);
    addFact(t.db(), QStringLiteral("CC"));
    EXPECT_EQ(count(t.db()), 2);
    if (t.kind() == DbKind::PostgreSQL) {
        EXPECT_EQ(t.db().select(QStringLiteral("SELECT pg_backend_pid() AS p")).integer(0, QStringLiteral("p")), pid);
    }
}

// Two workstations each waiting for a row the other holds: the server ends
// one of them, whose clerk is told in Thai that nothing was saved and to do
// it again; the other's work is saved.
TEST(Conflict, DeadlockIsToldAsAConflictThatSavedNothing)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    if (t.kind() != DbKind::PostgreSQL)
        GTEST_SKIP() << "an embedded database lets one writer in at a time";
    addFact(t.db(), QStringLiteral("AA"));
    addFact(t.db(), QStringLiteral("BB"));
    auto rename = [](Database& db, const char* code, const char* name) {
        db.exec(QStringLiteral("UPDATE T_Fact SET Fact_Name = ? WHERE Fact_Code = ?"),
                {QString::fromLatin1(name), QString::fromLatin1(code)});
    };
    QString errors[2];
    auto workstation = [&](int me) {
        try {
            auto db = t.connectAgain();
            Transaction tx(*db);
            rename(*db, me == 0 ? "AA" : "BB", "first");
            QThread::msleep(300); // both now hold one row
            rename(*db, me == 0 ? "BB" : "AA", "second");
            tx.commit();
        } catch (const AppError& e) {
            errors[me] = e.message();
        }
    };
    std::thread a(workstation, 0), b(workstation, 1);
    a.join();
    b.join();
    const int loser = errors[0].isEmpty() ? 1 : 0;
    ASSERT_TRUE(errors[1 - loser].isEmpty()) << errors[1 - loser].toStdString();
    EXPECT_TRUE(errors[loser].startsWith(QStringLiteral("เครื่องอื่นกำลังบันทึกข้อมูลชุดเดียวกันในขณะเดียวกัน ระบบไม่ได้บันทึกข้อมูลของรายการนี้")))
        << errors[loser].toStdString();
    // The winner's two renames stand: it renamed its own row "first" and the loser's "second".
    EXPECT_EQ(count(t.db(), QStringLiteral(" WHERE Fact_Name = 'first'")), 1);
    EXPECT_EQ(count(t.db(), QStringLiteral(" WHERE Fact_Name = 'second'")), 1);
}

// Today comes from one clock: the server's, or on SQLite the workstation's
// read in the installation's time zone.
TEST(Clock, NowIsTakenInTheInstallationsTimeZone)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    // 25 hours apart: the two zones never share a date.
    for (const char* zone : {"Pacific/Kiritimati", "Pacific/Pago_Pago"}) {
        DbUrl url = t.url();
        url.timeZone = QString::fromLatin1(zone);
        auto db = Database::open(url);
        const QDateTime there = QDateTime::currentDateTimeUtc().toTimeZone(QTimeZone(zone));
        const QDateTime expected(there.date(), there.time());
        const QDateTime now = db->serverNow();
        EXPECT_LT(qAbs(now.secsTo(expected)), 120) << zone << " " << now.toString().toStdString();
    }
    DbUrl bad = t.url();
    bad.timeZone = QStringLiteral("Mars/Olympus");
    EXPECT_THROW(Database::open(bad), AppError);
}

// Every database failure is written down with its statement; passwords never are.
TEST(ErrorLogging, FailingStatementIsLoggedAndShownInTheDetails)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Schema);
    QTemporaryDir dir;
    const QString before = ErrorLog::path();
    ErrorLog::setPath(dir.filePath(QStringLiteral("state/welmora.log")));
    t.db().setUserName(QStringLiteral("clerk"));
    test::MessageLog messages;
    const bool ok = guardOperation(nullptr, [&] {
        t.db().select(QStringLiteral("SELECT No_Such_Column FROM T_USER WHERE Password = ?"),
                      {QStringLiteral("topsecret")});
    });
    EXPECT_FALSE(ok);
    try {
        t.db().exec(QStringLiteral("UPDATE No_Such_Table SET a = ? WHERE b = ?"), {QStringLiteral("x'1"), 2});
    } catch (const DbError&) {
    }
    QFile f(ErrorLog::path());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString log = QString::fromUtf8(f.readAll());
    ErrorLog::setPath(before);

    EXPECT_TRUE(log.contains(QStringLiteral("user=clerk")));
    EXPECT_TRUE(log.contains(QStringLiteral("statement: SELECT No_Such_Column FROM T_USER WHERE Password = ?")));
    EXPECT_FALSE(log.contains(QStringLiteral("topsecret")));
    EXPECT_TRUE(log.contains(QStringLiteral("parameters: [***]")));
    EXPECT_TRUE(log.contains(QStringLiteral("parameters: ['x'1', '2']")));
    ASSERT_EQ(messages.seen.size(), 1);
    EXPECT_TRUE(messages.seen[0].startsWith(QStringLiteral("error: ")));
    ASSERT_EQ(messages.details.size(), 1);
    EXPECT_TRUE(messages.details[0].contains(QStringLiteral("SELECT No_Such_Column FROM T_USER")));
}
