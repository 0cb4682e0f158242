#include "AdminCommands.h"

#include <QApplication>
#include <QTextStream>

// welmora-admin COMMAND [options]: maintenance without the desktop window.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("welmora"));
    QStringList args = QApplication::arguments();
    args.removeFirst();
    QTextStream err(stderr);
    if (args.isEmpty()) {
        err << wel::admin::usage();
        return 2;
    }
    if (wel::admin::wantsHelp({args.first()})) {
        QTextStream(stdout) << wel::admin::usage();
        return 0;
    }
    const QString command = args.takeFirst();
    for (const wel::admin::Command& c : wel::admin::commands()) {
        if (c.name != command)
            continue;
        // Help never runs the command: "init --help" must not make a database.
        if (wel::admin::wantsHelp(args)) {
            QTextStream(stdout) << wel::admin::helpOf(c);
            return 0;
        }
        return c.run(args);
    }
    err << "unknown command: " << command << "\n" << wel::admin::usage();
    return 2;
}
