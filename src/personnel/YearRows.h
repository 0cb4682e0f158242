#pragma once
#include "ImportCommon.h"
#include "common/Money.h"

#include <optional>

namespace wel {

class Database;
struct LoginContext;

// The yearly-limit rows of T_Year_Cur_Health: one per employee and budget
// year, holding the limits of his right type and what he has used of them.
namespace YearRows {

// The limits a right type gives (the table of common/Limits.h).
struct Limits {
    Money health;
    Money copay;
};
// nullopt for anything but "1", "2" or "3": a row is never given the limits
// of some other employee.
std::optional<Limits> limitsOf(const QString& rightType);

// Writes the employee's row of the year with nothing used, unless he has
// one: safe when two workstations do it at once. True when it was written.
bool insertIfAbsent(Database& db, const QString& kvId, const QString& year, const Limits& limits,
                    const QString& remark, Money flexben = {});

struct Generated {
    int added = 0;
    int existing = 0;
    QVector<imports::Refusal> refused; // key: KV_ID
};

// "Gen Year_Cur_Health": the rows of the year for every active employee who
// has none, remark "A" + Cur_Date, in one transaction. An employee whose
// right type is not 1, 2 or 3 gets no row and is listed. With dryRun the
// work is rolled back and only counted.
Generated generate(Database& db, const LoginContext& login, const QString& year,
                   const imports::Progress& progress = {}, bool dryRun = false);

} // namespace YearRows
} // namespace wel
