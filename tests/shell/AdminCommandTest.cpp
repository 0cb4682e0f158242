#include "PasswordChecks.h"
#include "TestDb.h"
#include "AdminRun.h"
#include "shell/LoginService.h"

#include <QDir>
#include <QTemporaryDir>

using wel::test::AdminRun;
using wel::test::admin;
using wel::test::TestDb;

// The command line as an administrator uses it on a new server database.
TEST(AdminCommand, InitTwiceThenScreenshotsAndLetters)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Empty);
    const QString url = t.url().display();
    for (int i = 0; i < 2; ++i) {
        const AdminRun r = admin({QStringLiteral("init"), QStringLiteral("--db"), url, QStringLiteral("--demo")});
        ASSERT_EQ(r.code, 0) << r.output.toStdString();
    }
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT COUNT(*) AS n FROM T_USER")).integer(0, QStringLiteral("n")), 9);

    QTemporaryDir out;
    // Every screen in every state: minutes on a busy machine.
    const AdminRun shots = admin({QStringLiteral("screenshots"), QStringLiteral("--db"), url, QStringLiteral("--user"),
                                  QStringLiteral("admin"), QStringLiteral("--password"), QStringLiteral("admin"),
                                  QStringLiteral("--out"), out.path()},
                                 {}, 300000);
    ASSERT_EQ(shots.code, 0) << shots.output.toStdString();
    for (const char* png : {"login.png", "main.png", "TfrmPrint_User-none.png", "TfrmEmp_Exit-FC.png",
                            "TfrmEmp_Exit-KV.png"})
        EXPECT_GT(QFileInfo(out.filePath(QString::fromLatin1(png))).size(), 1000) << png;

    // a file that cannot be written replaces no password
    const AdminRun nowhere = admin({QStringLiteral("print"), QStringLiteral("user-letters"), QStringLiteral("--db"), url,
                                QStringLiteral("--from"), QStringLiteral("1"), QStringLiteral("--to"),
                                QStringLiteral("5"), QStringLiteral("--pdf"), out.filePath(QStringLiteral("no/such/dir.pdf"))});
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_TRUE(nowhere.output.contains(QStringLiteral("cannot write"))) << nowhere.output.toStdString();
    EXPECT_FALSE(wel::test::markedToChange(t.db(), QStringLiteral("clerk")));

    const QString pdf = out.filePath(QStringLiteral("letters.pdf"));
    const AdminRun print = admin({QStringLiteral("print"), QStringLiteral("user-letters"), QStringLiteral("--db"), url,
                             QStringLiteral("--from"), QStringLiteral("1"), QStringLiteral("--to"),
                             QStringLiteral("5"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(print.code, 0) << print.output.toStdString();
    EXPECT_TRUE(print.output.contains(QStringLiteral("(5 pages)"))) << print.output.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_EQ(file.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ReadOwner
                                     | QFileDevice::WriteOwner),
              QFileDevice::Permissions())
        << "the letters carry passwords";
    EXPECT_TRUE(wel::test::markedToChange(t.db(), QStringLiteral("clerk")));
    EXPECT_FALSE(wel::test::markedToChange(t.db(), QStringLiteral("hr")));

    const AdminRun bad = admin({QStringLiteral("print"), QStringLiteral("user-letters"), QStringLiteral("--db"), url,
                           QStringLiteral("--from"), QStringLiteral("1;"), QStringLiteral("--to"), QStringLiteral("5"),
                           QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.output.contains(QStringLiteral("กรุณาใส่ลำดับที่เป็นตัวเลขจำนวนเต็ม")));
}

// The first administrator of a server database, from the command line; the
// password is typed twice on standard input, never on the command line.
TEST(AdminCommand, AddUserReadsThePasswordTwice)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Reference);
    auto addUser = [&](const QByteArray& typed, const QStringList& more = {}) {
        return admin(QStringList{QStringLiteral("add-user"), QStringLiteral("--db"), t.url().display(), QStringLiteral("--user"),
                                 QStringLiteral("boss"), QStringLiteral("--first-name"), QStringLiteral("สมชาย"),
                                 QStringLiteral("--faculty"), QStringLiteral("hq"), QStringLiteral("--faculty-name"),
                                 QStringLiteral("สำนักงานใหญ่")}
                         + more,
                     typed, 60000);
    };
    const AdminRun differ = addUser("one\ntwo\n");
    EXPECT_EQ(differ.code, 1);
    EXPECT_TRUE(differ.output.contains(QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน"))) << differ.output.toStdString();
    const AdminRun onTheLine = addUser("pw\npw\n", {QStringLiteral("--password"), QStringLiteral("pw")});
    EXPECT_EQ(onTheLine.code, 2);
    EXPECT_TRUE(onTheLine.output.contains(QStringLiteral("standard input only"))) << onTheLine.output.toStdString();
    EXPECT_EQ(wel::test::rowCount(t.db(), QStringLiteral("T_USER")), 0);
    const AdminRun made = addUser("pw\npw\n");
    ASSERT_EQ(made.code, 0) << made.output.toStdString();
    const wel::Rows r = t.db().select(QStringLiteral("SELECT Username, Password, section, Fact_Code FROM T_USER"));
    ASSERT_EQ(r.count(), 1);
    EXPECT_TRUE(wel::Passwords::matches(r.text(0, QStringLiteral("Password")), QStringLiteral("pw")));
    EXPECT_TRUE(wel::test::usersWithPlainPasswords(t.db()).isEmpty());
    EXPECT_FALSE(wel::test::markedToChange(t.db(), QStringLiteral("boss"))) << "he typed it himself";
    EXPECT_EQ(r.integer(0, QStringLiteral("section")), 9);
    EXPECT_EQ(r.text(0, QStringLiteral("Fact_Code")), QStringLiteral("HQ"));
}

// A database of a version that kept passwords as typed, in a password column
// too narrow for a hash: init widens the column and hashes every password
// there, and everyone still logs in with the password he knows.
TEST(AdminCommand, InitHashesThePasswordsAnOlderVersionKeptAsTyped)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Empty);
    t.db().exec(QStringLiteral("CREATE TABLE T_USER (ID INTEGER, Username VARCHAR(50), Password VARCHAR(50), "
                               "Fact_Code VARCHAR(2), User_Type VARCHAR(10), section INTEGER, U_Surname VARCHAR(35), "
                               "U_F_Name VARCHAR(40), U_L_Name VARCHAR(40), U_Position VARCHAR(250), U_Tel_No VARCHAR(50))"));
    const struct { int id; const char* name; QString password; } users[] = {
        {1, "boss", QStringLiteral("boss pw")},
        {2, "clerk", QString(50, QLatin1Char('x'))}, // as long as the old column held
        {3, "blank", QString()},                     // never set: stays unusable
        {980, "system", QStringLiteral("sys")},
    };
    for (const auto& u : users)
        t.db().exec(QStringLiteral("INSERT INTO T_USER (ID, Username, Password, Fact_Code, section) VALUES (?, ?, ?, 'OP', 9)"),
                    {u.id, QString::fromLatin1(u.name), u.password});

    const QString url = t.url().display();
    const AdminRun first = admin({QStringLiteral("init"), QStringLiteral("--db"), url});
    ASSERT_EQ(first.code, 0) << first.output.toStdString();
    EXPECT_TRUE(first.output.contains(QStringLiteral("now stored as hashes: 3"))) << first.output.toStdString();
    EXPECT_TRUE(wel::test::usersWithPlainPasswords(t.db()).isEmpty());
    const AdminRun second = admin({QStringLiteral("init"), QStringLiteral("--db"), url});
    ASSERT_EQ(second.code, 0) << second.output.toStdString();
    EXPECT_FALSE(second.output.contains(QStringLiteral("hashes"))) << second.output.toStdString();

    const auto start = wel::LoginService::start(t.db());
    for (const auto& u : users) {
        const auto ctx = wel::LoginService::login(t.db(), start, QString::fromLatin1(u.name), u.password);
        EXPECT_EQ(ctx.has_value(), !u.password.isEmpty()) << u.name;
        if (ctx) {
            EXPECT_FALSE(ctx->mustChangePassword) << u.name;
        }
        EXPECT_FALSE(wel::LoginService::login(t.db(), start, QString::fromLatin1(u.name), u.password + QLatin1Char('!')))
            << u.name;
    }
}
