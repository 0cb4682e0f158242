#pragma once
#include <QDate>
#include <QTextStream>

namespace wel {
class Database;
}

namespace wel::bench {

struct GenerateOptions {
    double scale = 1.0;  // 1: 20,000 employees and about 500,000 claims
    quint64 seed = 2551;
    QDate today;         // last day of entries; its budget year is the last of ten
    int years = 10;
};

struct GenerateTotals {
    qint64 employees = 0, familyRows = 0, yearRows = 0, claims = 0, lines = 0, receipts = 0;
    qint64 controlNumbers = 0, members = 0, vouchers = 0;
};

// Fills an empty database (tables made by the program's own schema) with a
// large installation: faculties, users, employees with their families,
// yearly limits, claims of every kind and state with lines and receipts,
// control numbers with their members, payment vouchers and the running-number
// rows ahead of every number handed out. Refuses a database that already has
// employees or claims.
GenerateTotals generateInstallation(Database& db, const GenerateOptions& options, QTextStream& progress);

} // namespace wel::bench
