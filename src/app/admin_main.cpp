#include "AdminCommands.h"

#include <QApplication>
#include <QTextStream>

#include <exception>
#include <new>

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
        // A command's own faults are told by the command; what escapes it
        // (memory exhausted by a file, a library's error) still ends with a
        // message and exit status 1 instead of an abort.
        try {
            return c.run(args);
        } catch (const std::bad_alloc&) {
            err << QStringLiteral("หน่วยความจำของเครื่องไม่พอ คำสั่ง %1 หยุดทำงานโดยไม่ได้บันทึกข้อมูล\n").arg(command);
        } catch (const std::exception& e) {
            err << QStringLiteral("คำสั่ง %1 หยุดทำงานเพราะข้อผิดพลาดภายในโปรแกรม โดยไม่ได้บันทึกข้อมูล: %2\n")
                       .arg(command, QString::fromLocal8Bit(e.what()));
        }
        return 1;
    }
    err << "unknown command: " << command << "\n" << wel::admin::usage();
    return 2;
}
