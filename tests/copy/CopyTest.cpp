#include "../check/CheckSupport.h"
#include "AdminRun.h"
#include "common/Audit.h"
#include "TestDb.h"
#include "check/IntegrityCheck.h"
#include "common/Money.h"
#include "common/db/Schema.h"
#include "maintenance/Backup.h"
#include "maintenance/DatabaseCopy.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

using namespace wel;
using namespace wel::test;

namespace {

std::unique_ptr<Database> sqliteAt(const QString& path)
{
    DbUrl u;
    u.path = path;
    return Database::open(u);
}

// Every row of every table as text, sorted, read without the copy's own
// digest: what a clerk's screens would read back.
QMap<QString, QStringList> contents(Database& db)
{
    QMap<QString, QStringList> all;
    for (const TableDef& t : schemaTables()) {
        QStringList names;
        for (const ColumnDef& c : t.columns)
            names << c.name;
        const Rows r = db.select(QStringLiteral("SELECT %1 FROM %2").arg(names.join(QLatin1Char(',')), t.name));
        QStringList lines;
        for (int i = 0; i < r.count(); ++i) {
            QStringList cells;
            for (const ColumnDef& c : t.columns) {
                const QVariant v = r.value(i, c.name);
                if (v.isNull())
                    cells << QStringLiteral("<null>");
                else if (c.type == ColumnDef::Money)
                    cells << r.money(i, c.name).toPlain();
                else
                    cells << v.toString();
            }
            lines << cells.join(QLatin1Char('|'));
        }
        lines.sort();
        all.insert(t.name, lines);
    }
    return all;
}

qint64 totalRows(Database& db)
{
    qint64 n = 0;
    for (const TableDef& t : schemaTables())
        n += rowCount(db, t.name);
    return n;
}

} // namespace

// The demo with claims of every kind, an amount with satang, Thai text with
// a trailing space and NULLs, copied to a new embedded file and from there
// to a new database of the server under test: all three hold the same rows.
TEST(Copy, RoundTripKeepsEveryValue)
{
    WELMORA_NEED_DB();
    TestDb source(TestDb::DemoWithClaims);
    const QString kv = source.db().select(QStringLiteral("SELECT MIN(KV_ID) AS k FROM T_Emp_Gov_Histry")).text(0, QStringLiteral("k"));
    source.db().exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_Position = ?, Exit_doc = NULL WHERE KV_ID = ?"),
                     {QStringLiteral("นักวิชาการเงินและบัญชี ชำนาญการพิเศษ "), kv});
    source.db().exec(QStringLiteral("UPDATE T_PAY_Health SET Vong_M_Befor = ? WHERE Berg_Doc_ID = (SELECT MIN(Berg_Doc_ID) FROM T_PAY_Health)"),
                     {Money::fromSatang(123456789).toSql()});

    QTemporaryDir dir;
    auto embedded = sqliteAt(dir.filePath(QStringLiteral("moved.db")));
    const maintenance::CopyResult first = maintenance::copyDatabase(source.db(), *embedded);
    EXPECT_TRUE(first.equal()) << maintenance::format(first).toStdString();

    TestDb server(TestDb::Empty);
    const maintenance::CopyResult second = maintenance::copyDatabase(*embedded, server.db());
    EXPECT_TRUE(second.equal()) << maintenance::format(second).toStdString();
    EXPECT_TRUE(second.targetCheck.consistent()) << check::format(second.targetCheck).toStdString();

    const auto expected = contents(source.db());
    EXPECT_GT(expected.value(QStringLiteral("T_PAY_Health")).size(), 10);
    EXPECT_EQ(contents(*embedded), expected);
    EXPECT_EQ(contents(server.db()), expected);
    EXPECT_EQ(server.db().select(QStringLiteral("SELECT Emp_Position FROM T_Emp_Gov_Histry WHERE KV_ID = ?"), {kv}).text(0, QStringLiteral("Emp_Position")),
              QStringLiteral("นักวิชาการเงินและบัญชี ชำนาญการพิเศษ "));

    // The trail came along, and the server numbers its next row after the
    // copied ones instead of colliding with them.
    auto lastAudit = [&] {
        return server.db().select(QStringLiteral("SELECT MAX(Audit_ID) AS m FROM T_Audit_Log")).integer(0, QStringLiteral("m"));
    };
    const qint64 last = lastAudit();
    EXPECT_GT(last, 10);
    Transaction tx(server.db());
    audit::Trail(QStringLiteral("admin")).add(audit::Op::UserEdit, QStringLiteral("admin")).write(server.db());
    tx.commit();
    EXPECT_EQ(lastAudit(), last + 1);
}

TEST(Copy, RefusesATargetWithDataUnlessReplace)
{
    WELMORA_NEED_DB();
    TestDb source(TestDb::Demo);
    TestDb target(TestDb::DemoWithClaims);
    const qint64 before = totalRows(target.db());
    try {
        maintenance::copyDatabase(source.db(), target.db());
        FAIL() << "a target holding data was overwritten";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("--replace"))) << e.message().toStdString();
    }
    EXPECT_EQ(totalRows(target.db()), before);

    maintenance::CopyOptions replace;
    replace.replace = true;
    const maintenance::CopyResult r = maintenance::copyDatabase(source.db(), target.db(), replace);
    EXPECT_TRUE(r.equal());
    EXPECT_EQ(contents(target.db()), contents(source.db()));
}

// The program stopped outright half way (as a machine switched off): the
// target holds nothing that looks like a finished copy, and the next copy
// goes through.
TEST(Copy, StoppedCopyLeavesNoHalfCopy)
{
    WELMORA_NEED_DB();
    TestDb source(TestDb::DemoWithClaims);
    QTemporaryDir dir;
    const QString target = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("target.db"));
    const QStringList args = {QStringLiteral("copy"), QStringLiteral("--from"), urlText(source.url()),
                              QStringLiteral("--to"), target};
    qputenv("WELMORA_TEST_STOP_COPY_AFTER", "T_PAY_Health");
    const AdminRun stopped = admin(args);
    qunsetenv("WELMORA_TEST_STOP_COPY_AFTER");
    EXPECT_EQ(stopped.code, 9) << stopped.output.toStdString();
    EXPECT_TRUE(stopped.output.contains(QStringLiteral("T_PAY_Health"))) << stopped.output.toStdString();
    {
        auto half = sqliteAt(dir.filePath(QStringLiteral("target.db")));
        EXPECT_EQ(half->select(QStringLiteral("SELECT COUNT(*) AS n FROM sqlite_master WHERE type = 'table'")).integer(0, QStringLiteral("n")), 0);
    }
    const AdminRun again = admin(args);
    EXPECT_EQ(again.code, 0) << again.output.toStdString();
    EXPECT_TRUE(again.output.contains(QStringLiteral("copy complete"))) << again.output.toStdString();
    auto done = sqliteAt(dir.filePath(QStringLiteral("target.db")));
    EXPECT_EQ(contents(*done), contents(source.db()));
}

// A backup taken while three workstations enter, summarise and pay claims
// opens as an ordinary database and agrees with its own history.
TEST(Backup, TakenDuringWorkIsConsistent)
{
    WELMORA_NEED_DB();
    TestDb source(TestDb::DemoWithClaims);
    const qint64 claimsBefore = rowCount(source.db(), QStringLiteral("T_PAY_Health"));
    QProcess stress;
    stress.setProcessChannelMode(QProcess::MergedChannels);
    stress.start(QStringLiteral(WELMORA_STRESS),
                 {QStringLiteral("--db"), urlText(source.url()), QStringLiteral("--workstations"), QStringLiteral("3"),
                  QStringLiteral("--operations"), QStringLiteral("100000"), QStringLiteral("--seconds"),
                  QStringLiteral("60"), QStringLiteral("--pause-ms"), QStringLiteral("0"), QStringLiteral("--seed"),
                  QStringLiteral("7")});
    ASSERT_TRUE(stress.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (rowCount(source.db(), QStringLiteral("T_PAY_Health")) < claimsBefore + 10 && waited.elapsed() < 60000)
        QThread::msleep(50);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("backup.db"));
    maintenance::backup(source.url(), file);
    const bool stillWorking = stress.state() == QProcess::Running;
    ::kill(pid_t(stress.processId()), SIGKILL);
    stress.waitForFinished();
    EXPECT_TRUE(stillWorking) << "the workstations had stopped before the backup ended";

    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".partial")));
    EXPECT_EQ(QFile::permissions(file) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    auto copy = sqliteAt(file);
    EXPECT_GT(rowCount(*copy, QStringLiteral("T_PAY_Health")), claimsBefore);
    const check::Report r = check::run(*copy);
    EXPECT_TRUE(r.consistent()) << check::format(r).toStdString();

    // A second backup never overwrites the first.
    EXPECT_THROW(maintenance::backup(source.url(), file), AppError);
}
