#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "AdminRun.h"

using wel::test::AdminRun;
using wel::test::adminWith;

namespace {

// welmora-admin with its home in dir, so that nothing it would make by
// default (the embedded database, its log) can land anywhere else.
AdminRun adminAt(const QTemporaryDir& home, const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral("state")));
    static const QTemporaryDir runtime; // private to its owner, as Qt wants it, so that Qt has nothing to say
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return adminWith(env, args);
}

// What a run left in its home, font caches aside.
QStringList filesUnder(const QString& dir)
{
    QStringList files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!file.contains(QLatin1String("/.cache/")))
            files << file;
    }
    return files;
}

const QStringList kCommands = {QStringLiteral("init"),   QStringLiteral("add-user"),      QStringLiteral("print"),
                               QStringLiteral("import"), QStringLiteral("generate-year"), QStringLiteral("export"),
                               QStringLiteral("check"),  QStringLiteral("screenshots")};

} // namespace

// "init --help" made the default database and "check --help" ran a check:
// help now only shows the command's synopsis, with or without --db, and
// leaves no file behind.
TEST(AdminHelp, EveryCommandShowsItsHelpWithoutDoingAnything)
{
    for (const QString& command : kCommands) {
        for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            SCOPED_TRACE((command + u' ' + help).toStdString());
            QTemporaryDir home;
            const QString db = home.filePath(QStringLiteral("x.db"));
            for (const QStringList& args : {QStringList{command, help},
                                            QStringList{command, QStringLiteral("--db"), QStringLiteral("sqlite:") + db,
                                                        QStringLiteral("--demo"), help}}) {
                const AdminRun r = adminAt(home, args);
                EXPECT_EQ(r.code, 0) << r.output.toStdString();
                EXPECT_TRUE(r.output.startsWith(QStringLiteral("usage: welmora-admin ") + command))
                    << r.output.toStdString();
                EXPECT_EQ(filesUnder(home.path()), QStringList()) << "help must not make or open a database";
            }
        }
    }
    QTemporaryDir home;
    const AdminRun all = adminAt(home, {QStringLiteral("--help")});
    EXPECT_EQ(all.code, 0);
    for (const QString& command : kCommands)
        EXPECT_TRUE(all.output.contains(QStringLiteral("welmora-admin ") + command)) << command.toStdString();
}

// A missing argument is named, with the synopsis of that command only.
TEST(AdminHelp, AMissingArgumentIsNamed)
{
    QTemporaryDir home;
    const QString db = QStringLiteral("sqlite:") + home.filePath(QStringLiteral("x.db"));
    const QString pdf = home.filePath(QStringLiteral("x.pdf"));
    const struct {
        QStringList args;
        QString named;
        QString synopsis;
    } cases[] = {
        {{"print", "voucher", "--db", db, "--pdf", pdf}, "PVR_NO", "print voucher PVR_NO"},
        {{"print", "voucher", "PVR2568/00001SC", "--db", db}, "--pdf FILE", "print voucher PVR_NO"},
        {{"print", "claim-form", "--db", db, "--pdf", pdf}, "CLAIMNO", "print claim-form CLAIMNO"},
        {{"print", "control-summary", "--db", db, "--pdf", pdf}, "CONTROLNO", "print control-summary CONTROLNO"},
        {{"print", "limit-statement", "KV2568/000001", "--db", db, "--pdf", pdf}, "--year YYYY",
         "print limit-statement KV_ID"},
        {{"print", "user-letters", "--db", db}, "--pdf FILE", "print user-letters"},
        {{"generate-year", "--db", db}, "YYYY", "generate-year YYYY"},
        {{"import", "employees", "--db", db}, "FILE", "import employees FILE"},
        {{"export", "--db", db}, "REPORT", "export REPORT"},
        {{"export", "claim-register", "--db", db}, "--xlsx FILE", "export REPORT"},
        {{"add-user", "--db", db, "--faculty", "SC"}, "--user NAME", "add-user --db URL"},
        {{"screenshots", "--db", db, "--user", "admin"}, "--out DIR", "screenshots --db URL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const AdminRun r = adminAt(home, c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.output.startsWith(QStringLiteral("missing argument: ") + c.named)) << r.output.toStdString();
        EXPECT_TRUE(r.output.contains(QStringLiteral("usage: welmora-admin ") + c.synopsis)) << r.output.toStdString();
        EXPECT_EQ(r.output.count(QStringLiteral("usage:")), 1) << "only this command's synopsis";
    }
    EXPECT_EQ(filesUnder(home.path()), QStringList());
}

// "--year abcd" printed a statement for the year "abcd".
TEST(AdminHelp, AStatementYearThatIsNoYearIsRefused)
{
    QTemporaryDir home;
    const QString pdf = home.filePath(QStringLiteral("x.pdf"));
    for (const QString& year : {QStringLiteral("abcd"), QStringLiteral("257"), QStringLiteral("25700")}) {
        const AdminRun r = adminAt(home, {QStringLiteral("print"), QStringLiteral("limit-statement"),
                                          QStringLiteral("KV2568/000001"), QStringLiteral("--year"), year,
                                          QStringLiteral("--db"), QStringLiteral("sqlite:") + home.filePath("x.db"),
                                          QStringLiteral("--pdf"), pdf});
        EXPECT_EQ(r.code, 1) << year.toStdString();
        EXPECT_TRUE(r.output.contains(QStringLiteral("ปีงบประมาณ \"%1\" ไม่ถูกต้อง").arg(year))) << r.output.toStdString();
    }
    EXPECT_EQ(filesUnder(home.path()), QStringList());
}
