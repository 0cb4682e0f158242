#pragma once
#include "check/IntegrityCheck.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <functional>

namespace wel::stress {

// A run of many workstations on one database at once, each on a connection
// of its own, through the services the screens call.
struct Options {
    QString url;
    int workstations = 4;
    int operations = 200;  // per workstation
    quint64 seed = 1;
    int seconds = 600;     // stops earlier when the time is up
    int maxPauseMs = 20;   // a clerk's pause before and inside an operation, at random up to this
};

struct ActionFigures {
    int done = 0, refused = 0, failed = 0, idle = 0;
    QVector<int> ms; // duration of each operation that reached the database
};

struct Figures {
    QString server;
    int workstations = 0, operationsAsked = 0;
    int operationsRun = 0;
    bool stoppedByTime = false;
    qint64 elapsedMs = 0;
    QMap<QString, ActionFigures> actions;  // by action name
    QMap<QString, int> refusedBy;          // "action: reason" -> count (the clerk's message)
    QMap<QString, int> failedBy;           // "action: server text" -> count (database errors)
    int identifiersIssued = 0;
    int duplicateIdentifiers = 0;          // handed out to two operations
    int overspentLimits = 0;               // yearly rows used beyond their limit
    check::Report report;                  // the check after the run
    // Operations done whose audit row is missing, plus audit rows no
    // operation done accounts for: each done operation writes exactly one.
    int unaudited = 0;
    int lostUpdates() const { return report.count(QStringLiteral("usage")) + report.count(QStringLiteral("no-year-row")); }
    int inconsistencies() const { return int(report.differences.size()); }
    bool clean() const
    {
        return report.consistent() && duplicateIdentifiers == 0 && overspentLimits == 0 && unaudited == 0;
    }
};

// Prepares the database (tables, reference and demo rows when it has none;
// the counter rows of the budget year), checks it is consistent to begin
// with, runs the workstations, and checks again. Throws AppError when the
// database cannot be prepared or is inconsistent before the run.
Figures run(const Options& options, const std::function<void(const QString&)>& progress = {});

QString format(const Figures& figures);

} // namespace wel::stress
