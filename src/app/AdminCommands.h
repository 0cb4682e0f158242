#pragma once
#include <QStringList>
#include <functional>

namespace wel::admin {

struct Command {
    QString name;
    QString synopsis;
    std::function<int(const QStringList& args)> run;
};

const QVector<Command>& commands();
QString usage();

// Value of "--name VALUE" in args, or empty.
QString option(const QStringList& args, const QString& name);
bool flag(const QStringList& args, const QString& name);

int init(const QStringList& args);
int addUser(const QStringList& args);
int screenshots(const QStringList& args);
int print(const QStringList& args);
int printOverview(const QStringList& args); // OverviewCommand.cpp
int importData(const QStringList& args);   // ImportCommands.cpp
int generateYear(const QStringList& args);
int exportReport(const QStringList& args);
int check(const QStringList& args);         // CheckCommand.cpp
int copy(const QStringList& args);          // CopyCommands.cpp
int backup(const QStringList& args);        // CopyCommands.cpp

} // namespace wel::admin
