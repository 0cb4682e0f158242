#include "TestDb.h"
#include "AdminRun.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

using wel::test::TestDb;

// The pictures show what a clerk sees: the whole main window at the size
// of the desktop it is drawn for, each screen in the window the program
// gives it and in each state its buttons lead to.
TEST(Screenshots, EachScreenAndPanelStateAtTheProgramsSize)
{
    WELMORA_NEED_DB();
    TestDb t;
    QTemporaryDir out;
    const wel::test::AdminRun run =
        wel::test::admin({QStringLiteral("screenshots"), QStringLiteral("--db"), t.url().display(), QStringLiteral("--user"),
                          QStringLiteral("admin"), QStringLiteral("--password"), QStringLiteral("admin"),
                          QStringLiteral("--out"), out.path()},
                         {}, 180000);
    const QString& output = run.output;
    ASSERT_EQ(run.code, 0) << output.toStdString();

    const char* const pictures[] = {"TfrmAdd_Edit_Emp_His-KV", "TfrmAdd_Edit_Emp_His-KV-add",
                                    "TfrmAdd_Edit_Emp_His-KV-edit-record", "TfrmEmp_Histry-FC-family",
                                    "TfrmEmp_Exit-FC-leaving", "TfrmNew_User-none-user",
                                    "TfrmImp_Emp_Histry_Excel-none-loaded", "TfrmUpdate_data-none-loaded",
                                    "TfrmUpdate_Flexible_Benefit-none-tested"};
    for (const char* name : pictures)
        EXPECT_TRUE(QFileInfo::exists(out.filePath(QString::fromLatin1(name) + QStringLiteral(".png")))) << name;
    const QStringList files = QDir(out.path()).entryList({QStringLiteral("*.png")});
    for (const QString& f : files)
        EXPECT_EQ(QImage(out.filePath(f)).size(), QSize(1280, 800)) << f.toStdString();
    EXPECT_NE(QImage(out.filePath(QStringLiteral("TfrmAdd_Edit_Emp_His-KV.png"))),
              QImage(out.filePath(QStringLiteral("TfrmAdd_Edit_Emp_His-KV-add.png"))))
        << "the add panel shows in its own picture";
}

// The log-in is checked once before any window; a user who still has the
// password of his letter would meet a dialog nobody answers here.
TEST(Screenshots, RefusedForAWrongPasswordOrOneStillToBeChanged)
{
    WELMORA_NEED_DB();
    TestDb t;
    t.db().exec(QStringLiteral("UPDATE T_USER SET Password_Change = 1 WHERE Username = 'clerk'"));
    QTemporaryDir out;
    const struct { const char* user; const char* password; const char* message; } cases[] = {
        {"admin", "wrong", "log-in failed for admin"},
        {"clerk", "clerk", "clerk must first replace the password of his letter"},
    };
    for (const auto& c : cases) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(WELMORA_ADMIN),
                {QStringLiteral("screenshots"), QStringLiteral("--db"), t.url().display(), QStringLiteral("--user"),
                 QString::fromLatin1(c.user), QStringLiteral("--password"), QString::fromLatin1(c.password),
                 QStringLiteral("--out"), out.path()});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString output = QString::fromUtf8(p.readAll());
        EXPECT_EQ(p.exitCode(), 1) << output.toStdString();
        EXPECT_TRUE(output.contains(QString::fromLatin1(c.message))) << output.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out.filePath(QStringLiteral("main.png")))) << c.user;
    }
}
