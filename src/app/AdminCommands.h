#pragma once
#include <QStringList>
#include <functional>

namespace wel {
class Database;
class Report;
}

namespace wel::admin {

struct Command {
    QString name;
    QString synopsis;
    std::function<int(const QStringList& args)> run;
};

const QVector<Command>& commands();
QString usage();
// A command's own synopsis, for its --help.
QString helpOf(const Command& command);
// True when args ask for help ("--help" or "-h"): the command then only shows it.
bool wantsHelp(const QStringList& args);

// Names the argument a command lacks and shows the synopsis line of that
// form of the command (the line starting with form, e.g. "print voucher");
// returns the exit status 2.
int missingArgument(const QString& what, const QString& form);
// The positional argument at i, or empty when it is absent or an option.
QString positional(const QStringList& args, int i);

// Value of "--name VALUE" in args, or empty.
QString option(const QStringList& args, const QString& name);
bool flag(const QStringList& args, const QString& name);

// Opens the database of --db, makes the document and writes it to pdf:
// "wrote FILE (N pages)" on standard output and status 0, or what failed on
// standard error and status 1.
int writeDocument(const QStringList& args, const QString& pdf, const std::function<Report(Database&)>& make);

int init(const QStringList& args);
int addUser(const QStringList& args);
int screenshots(const QStringList& args);
int print(const QStringList& args);
int printOverview(const QStringList& args); // OverviewCommand.cpp
int importData(const QStringList& args);   // ImportCommands.cpp
int generateYear(const QStringList& args);
int exportReport(const QStringList& args);
int check(const QStringList& args);         // CheckCommand.cpp
int audit(const QStringList& args);         // AuditCommand.cpp
int copy(const QStringList& args);          // CopyCommands.cpp
int backup(const QStringList& args);        // CopyCommands.cpp

} // namespace wel::admin
