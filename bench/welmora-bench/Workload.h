#pragma once
#include <QString>
#include <QVector>
#include <functional>

namespace wel {
class Database;
}

namespace wel::bench {

class BareSql;

// One way of doing an operation: run() does it (and is what is timed);
// fingerprint() tells what the last run produced (keys and totals), so that
// the run can check that both ways produce the same before it compares them.
struct Side {
    std::function<void()> run;
    std::function<QString()> fingerprint;
};

// One operation done two ways on the same data: through the program's own
// code, and with the bare SQL it needs.
struct Comparison {
    QString name;   // "employee search"
    QString detail; // what one call does
    Side program, bare;
    bool sameResult = true;              // false: each side writes its own rows
    std::function<QString()> roundTrips; // optional, after the timing
    int maxRepetitions = 1001;           // calls of each side in one sample
};

struct Workload {
    QVector<Comparison> comparisons;
    // Cancels the claims the saves wrote, giving their amounts back to the
    // yearly rows as a clerk's cancellation does, so that the next run lists
    // the same open claims and finds the same room in the limits.
    std::function<int()> cancelSavedClaims;
};

// Picks the cases from the generated data (busiest faculties, the last
// complete month, employees to search for and to claim for) and builds the
// four comparisons: employee search, reprint listing of a month, summary
// listing, claim save.
Workload buildWorkload(Database& db, BareSql& bare);

} // namespace wel::bench
