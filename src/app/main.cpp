#include "common/widgets/ScreenRegistry.h"
#include "shell/DatabaseSetup.h"
#include "shell/LoginService.h"
#include "shell/UMain_Welmora.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("welmora"));
    QApplication::setApplicationVersion(wel::LoginService::kProgramVersion);

    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Welmora: staff welfare system"));
    cli.addHelpOption();
    cli.addOption({QStringLiteral("db"), QStringLiteral("Database URL (sqlite:PATH, postgresql://..., odbc:...)"),
                   QStringLiteral("URL")});
    cli.addOption({QStringLiteral("demo"),
                   QStringLiteral("Create a new embedded database with the demo users and employees")});
    cli.process(app);

    // Only --demo and the first start on the default file make a database;
    // a mistyped --db or config entry is refused instead of creating one.
    const QString url = wel::chooseDatabaseUrl(cli.value(QStringLiteral("db")));
    const wel::Opening how = cli.isSet(QStringLiteral("demo")) ? wel::Opening::CreateDemo
        : url == wel::defaultDatabaseUrl()                     ? wel::Opening::Create
                                                               : wel::Opening::Existing;
    std::unique_ptr<wel::Database> db = wel::openAtStartup(url, how);
    if (!db)
        return 1;
    wel::registerAllScreens();
    wel::TfrmMain_Welmora window(*db);
    if (!window.FormCreate())
        return 1;
    window.showMaximized();
    return app.exec();
}
