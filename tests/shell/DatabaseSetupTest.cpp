#include "shell/DatabaseSetup.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
    EXPECT_EQ(users(*openDatabase(plain)), 0);
    EXPECT_EQ(users(*openDatabase(plain, true)), 0); // an existing database never gains them
    EXPECT_EQ(users(*openDatabase(QStringLiteral("sqlite:") + dir.path() + QStringLiteral("/demo.db"), true)), 9);
}

TEST(DatabaseSetup, EmbeddedFileIsCreatedWithDemoDataAndKeptUpToDate)
{
    QTemporaryDir dir;
    const QString url = QStringLiteral("sqlite:") + dir.path() + QStringLiteral("/sub/welmora.db");
    {
        auto db = openDatabase(url, true);
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
