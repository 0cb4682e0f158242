#include "TestDb.h"
#include "AdminRun.h"

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

    const QString pdf = out.filePath(QStringLiteral("letters.pdf"));
    const AdminRun print = admin({QStringLiteral("print"), QStringLiteral("user-letters"), QStringLiteral("--db"), url,
                             QStringLiteral("--from"), QStringLiteral("1"), QStringLiteral("--to"),
                             QStringLiteral("5"), QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(print.code, 0) << print.output.toStdString();
    EXPECT_TRUE(print.output.contains(QStringLiteral("(5 pages)"))) << print.output.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

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
    auto addUser = [&](const QByteArray& typed) {
        return admin({QStringLiteral("add-user"), QStringLiteral("--db"), t.url().display(), QStringLiteral("--user"),
                      QStringLiteral("boss"), QStringLiteral("--first-name"), QStringLiteral("สมชาย"),
                      QStringLiteral("--faculty"), QStringLiteral("hq"), QStringLiteral("--faculty-name"),
                      QStringLiteral("สำนักงานใหญ่")},
                     typed, 60000);
    };
    const AdminRun differ = addUser("one\ntwo\n");
    EXPECT_EQ(differ.code, 1);
    EXPECT_TRUE(differ.output.contains(QStringLiteral("รหัสผ่านทั้งสองช่องไม่ตรงกัน"))) << differ.output.toStdString();
    const AdminRun made = addUser("pw\npw\n");
    ASSERT_EQ(made.code, 0) << made.output.toStdString();
    const wel::Rows r = t.db().select(QStringLiteral("SELECT Username, Password, section, Fact_Code FROM T_USER"));
    ASSERT_EQ(r.count(), 1);
    EXPECT_EQ(r.text(0, QStringLiteral("Password")), QStringLiteral("pw"));
    EXPECT_EQ(r.integer(0, QStringLiteral("section")), 9);
    EXPECT_EQ(r.text(0, QStringLiteral("Fact_Code")), QStringLiteral("HQ"));
}
