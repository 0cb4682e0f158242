#include "shell/DatabaseSetup.h"
#include "common/db/ErrorLog.h"
#include "common/db/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace wel;

namespace {
qint64 users(Database& db)
{
    return db.select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n"));
}
} // namespace

// Demo users have known passwords: a new database holds them only when asked.
TEST(DatabaseSetup, NewEmbeddedFileHasDemoDataOnlyWhenAsked)
{
    QTemporaryDir dir;
    const QString plain = QStringLiteral("sqlite:") + dir.path() + QStringLiteral("/plain.db");
    EXPECT_EQ(users(*openDatabase(plain, Opening::Create)), 0);
    EXPECT_EQ(users(*openDatabase(plain, Opening::CreateDemo)), 0); // an existing database never gains them
    EXPECT_EQ(users(*openDatabase(QStringLiteral("sqlite:") + dir.path() + QStringLiteral("/demo.db"),
                                  Opening::CreateDemo)),
              9);
}

TEST(DatabaseSetup, EmbeddedFileIsCreatedWithDemoDataAndKeptUpToDate)
{
    QTemporaryDir dir;
    const QString url = QStringLiteral("sqlite:") + dir.path() + QStringLiteral("/sub/welmora.db");
    {
        auto db = openDatabase(url, Opening::CreateDemo);
        EXPECT_EQ(db->select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")), 9);
        db->exec(QStringLiteral("DROP TABLE T_PV_Detail"));
        db->exec(QStringLiteral("DELETE FROM Tr_Folk WHERE Emp_Folk = '7'"));
    }
    auto db = openDatabase(url);
    EXPECT_NO_THROW(db->select(QStringLiteral("SELECT PVR_NO, Sent_KV_Doc_ID, Order_No FROM T_PV_Detail")));
    EXPECT_EQ(db->select(QStringLiteral("SELECT 1 FROM Tr_Folk WHERE Emp_Folk = '7'")).count(), 1);
    EXPECT_EQ(db->select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")), 9);
}

TEST(DatabaseSetup, CommandLineBeatsConfigBeatsDefault)
{
    QTemporaryDir home;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME"), oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8() + "/config");
    qputenv("XDG_DATA_HOME", home.path().toUtf8() + "/data");
    EXPECT_EQ(chooseDatabaseUrl(QString()), QStringLiteral("sqlite:") + home.path() + QStringLiteral("/data/welmora/welmora.db"));
    {
        QSettings config(configFilePath(), QSettings::IniFormat);
        config.setValue(QStringLiteral("database"), QStringLiteral("postgresql://u:p@h:5432/w"));
    }
    EXPECT_EQ(chooseDatabaseUrl(QString()), QStringLiteral("postgresql://u:p@h:5432/w"));
    EXPECT_EQ(chooseDatabaseUrl(QStringLiteral("sqlite:/x.db")), QStringLiteral("sqlite:/x.db"));
    EXPECT_EQ(installationTimeZone(), QStringLiteral("Asia/Bangkok"));
    {
        QSettings config(configFilePath(), QSettings::IniFormat);
        config.setValue(QStringLiteral("timezone"), QStringLiteral("Asia/Tokyo"));
    }
    EXPECT_EQ(installationTimeZone(), QStringLiteral("Asia/Tokyo"));
    for (auto [name, old] : {std::pair{"XDG_CONFIG_HOME", oldConfig}, std::pair{"XDG_DATA_HOME", oldData}})
        old.isEmpty() ? qunsetenv(name) : qputenv(name, old);
}

// Opening for work never makes a database: a mistyped path, a file that is
// not SQLite, an empty file or another program's database are refused, and
// left exactly as they were.
TEST(DatabaseSetup, OnlyCreatingOpeningsMakeADatabase)
{
    QTemporaryDir dir;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    };
    const QString foreign = dir.filePath(QStringLiteral("foreign.db"));
    {
        DbUrl u;
        u.path = foreign;
        Database::open(u)->exec(QStringLiteral("CREATE TABLE other_program (x INTEGER)"));
    }
    const struct {
        QString path;
        QString refusal;
    } cases[] = {
        {dir.filePath(QStringLiteral("typo/welmora.db")), QStringLiteral("ไม่พบไฟล์ฐานข้อมูล")},
        {write(QStringLiteral("one-byte.db"), "x"), QStringLiteral("ไม่ใช่ฐานข้อมูลของโปรแกรมนี้")},
        {write(QStringLiteral("empty.db"), ""), QStringLiteral("ไม่ใช่ฐานข้อมูลของโปรแกรมนี้")},
        {write(QStringLiteral("text.db"), QByteArray(4096, 'a')), QStringLiteral("ไม่ใช่ฐานข้อมูลของโปรแกรมนี้")},
        {foreign, QStringLiteral("ไม่ใช่ฐานข้อมูลของโปรแกรมนี้")},
    };
    for (const auto& c : cases) {
        const QFileInfo before(c.path);
        const QByteArray content = before.exists() ? [&] {
            QFile f(c.path);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }() : QByteArray();
        for (Opening how : {Opening::Existing, Opening::Unchanged}) {
            SCOPED_TRACE(c.path.toStdString() + (how == Opening::Existing ? " existing" : " unchanged"));
            try {
                openDatabase(QStringLiteral("sqlite:") + c.path, how);
                ADD_FAILURE() << "opened";
            } catch (const AppError& e) {
                EXPECT_TRUE(e.message().contains(c.refusal)) << e.message().toStdString();
            }
            EXPECT_EQ(QFileInfo::exists(c.path), before.exists());
            if (!before.exists())
                EXPECT_FALSE(QFileInfo::exists(QFileInfo(c.path).absolutePath()));
            QFile f(c.path);
            if (f.open(QIODevice::ReadOnly))
                EXPECT_EQ(f.readAll(), content);
        }
    }
    // An empty file is what init makes a database of.
    EXPECT_EQ(users(*openDatabase(QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("empty.db")),
                                  Opening::Create)),
              0);
}

// An older database is refused, untouched, by whatever must change nothing,
// and named welmora-admin init as the way up; work brings it up to date.
TEST(DatabaseSetup, UnchangedRefusesAnOlderDatabaseWithoutUpgradingIt)
{
    QTemporaryDir dir;
    const QString url = QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("old.db"));
    openDatabase(url, Opening::Create)->exec(QStringLiteral("DROP TABLE T_PV_Detail"));
    DbUrl plain = DbUrl::parse(url);
    try {
        openDatabase(url, Opening::Unchanged);
        ADD_FAILURE() << "opened";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("welmora-admin init"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QStringLiteral("T_PV_Detail"))) << e.message().toStdString();
    }
    EXPECT_EQ(missingSchema(*Database::open(plain)), QStringList{QStringLiteral("T_PV_Detail")});
    openDatabase(url, Opening::Existing);
    EXPECT_TRUE(missingSchema(*Database::open(plain)).isEmpty());
}

// The database, its -wal and -shm files and the error log are their owner's
// alone, in folders only he can enter, whatever the umask.
TEST(DatabaseSetup, DatabaseAndLogAreCreatedPrivate)
{
    QTemporaryDir dir;
    const mode_t oldMask = ::umask(022);
    const QString file = dir.filePath(QStringLiteral("data/welmora/welmora.db"));
    auto db = openDatabase(QStringLiteral("sqlite:") + file, Opening::Create);
    db->exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES ('ZZ', 'x')"));
    const QString before = ErrorLog::path();
    ErrorLog::setPath(dir.filePath(QStringLiteral("state/welmora/welmora.log")));
    ErrorLog::write(QStringLiteral("x"), QStringLiteral("SELECT 1"), {}, QString(), QString());
    const QString log = ErrorLog::path();
    ErrorLog::setPath(before);
    ::umask(oldMask);

    // Permissions of owner, group and others (the "user" bits repeat the owner's).
    auto mode = [](const QString& f) {
        return QFileInfo(f).permissions().toInt() & ~int(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    };
    const int onlyOwner = int(QFile::ReadOwner | QFile::WriteOwner);
    const int folder = onlyOwner | int(QFile::ExeOwner);
    for (const QString& f : {file, file + QStringLiteral("-wal"), file + QStringLiteral("-shm"), log}) {
        SCOPED_TRACE(f.toStdString());
        ASSERT_TRUE(QFileInfo::exists(f));
        EXPECT_EQ(mode(f), onlyOwner);
    }
    for (const QString& d : {dir.filePath(QStringLiteral("data")), QFileInfo(file).absolutePath(),
                             dir.filePath(QStringLiteral("state")), QFileInfo(log).absolutePath()}) {
        SCOPED_TRACE(d.toStdString());
        EXPECT_EQ(mode(d), folder);
    }
    // A committed claim must survive a power cut: the commit waits for the disk.
    EXPECT_EQ(db->select(QStringLiteral("PRAGMA synchronous")).value(0, 0).toInt(), 2);
}
