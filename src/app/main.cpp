#include "common/widgets/Messages.h"
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

    std::unique_ptr<wel::Database> db;
    try {
        db = wel::openDatabase(wel::chooseDatabaseUrl(cli.value(QStringLiteral("db"))),
                               cli.isSet(QStringLiteral("demo")));
    } catch (const wel::AppError& e) {
        qWarning("%s", qPrintable(e.message()));
        wel::msg::error(nullptr, wel::LoginService::kConnectFailMessage);
        return 1;
    }
    wel::registerAllScreens();
    wel::TfrmMain_Welmora window(*db);
    if (!window.FormCreate())
        return 1;
    window.showMaximized();
    return app.exec();
}
