#include "AdminRun.h"
#include "TestDb.h"
#include "common/db/Schema.h"
#include "shell/DatabaseSetup.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace wel;
using wel::test::AdminRun;
using wel::test::admin;

namespace {
QByteArray contentOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every command but init, each with the arguments it needs besides --db.
QVector<QStringList> workingCommands(const QString& out)
{
    const QString pdf = out + QStringLiteral("/x.pdf");
    return {
        {QStringLiteral("export"), QStringLiteral("claim-register"), QStringLiteral("entered=all"),
         QStringLiteral("claimed=month:01/2570"), QStringLiteral("faculty=one:SC"), QStringLiteral("--xlsx"),
         out + QStringLiteral("/x.xlsx")},
        {QStringLiteral("import"), QStringLiteral("employees"), out + QStringLiteral("/staff.xlsx")},
        {QStringLiteral("import"), QStringLiteral("employees"), out + QStringLiteral("/staff.xlsx"),
         QStringLiteral("--dry-run")},
        {QStringLiteral("generate-year"), QStringLiteral("2570")},
        {QStringLiteral("generate-year"), QStringLiteral("2570"), QStringLiteral("--dry-run")},
        {QStringLiteral("check")},
        {QStringLiteral("print"), QStringLiteral("claim-form"), QStringLiteral("SC2568/0000001"),
         QStringLiteral("--pdf"), pdf},
        {QStringLiteral("print"), QStringLiteral("user-letters"), QStringLiteral("--from"), QStringLiteral("1"),
         QStringLiteral("--to"), QStringLiteral("2"), QStringLiteral("--pdf"), pdf},
        {QStringLiteral("add-user"), QStringLiteral("--user"), QStringLiteral("boss"), QStringLiteral("--first-name"),
         QStringLiteral("x"), QStringLiteral("--faculty"), QStringLiteral("OP")},
        {QStringLiteral("screenshots"), QStringLiteral("--user"), QStringLiteral("admin"), QStringLiteral("--password"),
         QStringLiteral("admin"), QStringLiteral("--out"), out + QStringLiteral("/shots")},
    };
}
} // namespace

// A mistyped path or a file that is not this program's database is refused
// by every command with a Thai message and exit status 1, and is left as it
// was: no new database, no new folder, no file turned into a database.
TEST(CommandRefusal, NoCommandButInitMakesADatabase)
{
    QTemporaryDir dir;
    const QString typo = dir.filePath(QStringLiteral("typo/welmora.db"));
    const QString oneByte = dir.filePath(QStringLiteral("one-byte.db"));
    {
        QFile f(oneByte);
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
    for (const QStringList& command : workingCommands(dir.path())) {
        for (const auto& [path, refusal] : {std::pair{typo, QStringLiteral("ไม่พบไฟล์ฐานข้อมูล")},
                                            std::pair{oneByte, QStringLiteral("ไม่ใช่ฐานข้อมูลของโปรแกรมนี้")}}) {
            SCOPED_TRACE((command.join(' ') + QStringLiteral(" on ") + path).toStdString());
            const AdminRun r = admin(command + QStringList{QStringLiteral("--db"), QStringLiteral("sqlite:") + path},
                                     "secret1\nsecret1\n");
            EXPECT_EQ(r.code, 1) << r.output.toStdString();
            EXPECT_TRUE(r.output.contains(refusal)) << r.output.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(QFileInfo(typo).absolutePath()));
        EXPECT_EQ(contentOf(oneByte), QByteArray("x"));
    }
    const AdminRun init = admin({QStringLiteral("init"), QStringLiteral("--db"), QStringLiteral("sqlite:") + typo});
    EXPECT_EQ(init.code, 0) << init.output.toStdString();
    EXPECT_TRUE(QFileInfo::exists(typo));
}

// A dry run changes nothing at all, not even an older database's tables: it
// is refused with the upgrade named, and so is the check, which only reads.
TEST(CommandRefusal, DryRunAndCheckRefuseAnOlderDatabaseUntouched)
{
    QTemporaryDir dir;
    const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("old.db"));
    openDatabase(url, Opening::CreateDemo)->exec(QStringLiteral("DROP TABLE T_PV_Detail"));
    const QByteArray before = contentOf(dir.filePath(QStringLiteral("old.db")));
    for (const QStringList& command :
         {QStringList{QStringLiteral("import"), QStringLiteral("employees"), dir.filePath(QStringLiteral("s.xlsx")),
                      QStringLiteral("--dry-run")},
          QStringList{QStringLiteral("generate-year"), QStringLiteral("2570"), QStringLiteral("--dry-run")},
          QStringList{QStringLiteral("check")}}) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const AdminRun r = admin(command + QStringList{QStringLiteral("--db"), url});
        EXPECT_EQ(r.code, 1) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains(QStringLiteral("welmora-admin init"))) << r.output.toStdString();
    }
    EXPECT_EQ(contentOf(dir.filePath(QStringLiteral("old.db"))), before);
    EXPECT_EQ(missingSchema(*Database::open(DbUrl::parse(url))), QStringList{QStringLiteral("T_PV_Detail")});
}

// A database without this program's tables (a new server database, another
// program's file) is refused the same way, on either kind of server.
TEST(CommandRefusal, DatabaseWithoutTheTablesIsRefused)
{
    WELMORA_NEED_DB();
    test::TestDb t(test::TestDb::Empty);
    for (const QStringList& command : {QStringList{QStringLiteral("check")},
                                       QStringList{QStringLiteral("generate-year"), QStringLiteral("2570")}}) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const AdminRun r = admin(command + QStringList{QStringLiteral("--db"), t.url().display()});
        EXPECT_EQ(r.code, 1) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains(QStringLiteral("ไม่ใช่ฐานข้อมูลของโปรแกรมนี้"))) << r.output.toStdString();
    }
    EXPECT_TRUE(missingSchema(t.db()).size() == schemaTables().size());
}
