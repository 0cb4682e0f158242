#pragma once
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

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
    // Before the warm-up, each sample and the round trips, untimed: undoes
    // what the calls wrote (a save line gives its claims back), so that the
    // line finds the same room at any length of run.
    std::function<void()> betweenSamples = nullptr;
    // A writing line: what each side writes (rows and sums), read back
    // untimed before the warm-up; the line is not timed when they differ.
    std::function<std::pair<QString, QString>()> written = nullptr;
    // Calls of each side in one sample at the least, however long a call:
    // a line whose calls are a few milliseconds of exchanges with a server
    // needs many in a sample, as now and then one exchange waits several
    // milliseconds for the processor on a loaded machine.
    int minRepetitions = 5;
};

// Runs every case through f; the results stay for the fingerprint.
template <typename Case, typename F, typename Print>
Side sideOf(const QVector<Case>& cases, F f, Print print)
{
    using Result = decltype(f(cases.first()));
    auto results = std::make_shared<QVector<Result>>();
    return {[cases, f, results] {
                results->clear();
                for (const Case& k : cases)
                    results->push_back(f(k));
            },
            [results, print] { return print(*results); }};
}

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

// The finance division's open control numbers of the busiest faculties, and
// a voucher summary of the busiest faculty month made and cancelled again.
QVector<Comparison> financeComparisons(Database& db, BareSql& bare, const QString& budYear, const QString& today);

// The personnel office's workbook of a few thousand new employees imported
// (and rolled back), against the bare inserts of the same rows.
Comparison importComparison(Database& db, BareSql& bare, const QString& today);

// The three heaviest reports (claims by month and faculty over every year,
// a faculty's claim register of a year, the family list) against their bare
// SQL, and a 50,000-row grid export against libxlsxwriter called directly.
QVector<Comparison> reportComparisons(Database& db, BareSql& bare, const QString& year);

// The heaviest report screen (claims by receipt and relative) of the
// current year over every faculty: query, grid and first paint of the
// window, against the query alone. Needs a QApplication.
Comparison reportScreenComparison(Database& db, const QString& today, const QString& budYear);

// The management overview of a budget year, every faculty and the largest,
// against its three bare queries reduced in memory.
Comparison overviewComparison(Database& db, BareSql& bare, const QString& budYear);

} // namespace wel::bench
