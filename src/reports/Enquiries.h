#pragma once
#include "reports/ReportTypes.h"

namespace wel {
class Database;
}

namespace wel::reports {

// The claim histories of one employee (filters "employee" = KV_ID and
// "year" = "year:yyyy" or "yyyy", the year charged). Their titleFacts carry
// the employee's number, name and position for the workbook's title lines.

// Medical claims (types "FAE" and "HPE") in force, one row per claim line in
// the order the claims were dated, the lines' payable amounts under their
// patients, then the rows "รวม" and "รวมทั้งสิ้น" (also when nothing matched).
ReportResult medicalHistory(Database& db, const Filters& f);
// The same for co-pay claims ("COP").
ReportResult copayHistory(Database& db, const Filters& f);
// Receipts of the education claims not cancelled, one row per receipt.
ReportResult educationHistory(Database& db, const Filters& f);
// Active employees with their right type and limit.
ReportResult employeeList(Database& db, const Filters& f); // type, faculty, name, surname

// The limit block beside a history, as display texts.
struct LimitBlock {
    QString limit;
    QString flexibleBenefit; // medical only
    QString claimed;
    QString remaining;
};
enum class LimitKind { Medical, Copay };
// From the employee's yearly row of the year; without one, the limit of his
// right type with nothing claimed. Right type "3" has no limit to show.
LimitBlock limitBlock(Database& db, const QString& kvId, const QString& payYear, const QString& hType,
                      LimitKind kind);

// The limit texts the enquiry headers show for a right type.
QString historyLimitText(const QString& hType);   // "200,000", "20,000", "ไม่จำกัดวงเงิน", ""
QString educationLimitText(const QString& hType); // "200,000.00", "20,000.00", "ไม่จำกัดวงเงิน"

// Keys of ReportResult::titleFacts.
inline const QString kFactEmpId = QStringLiteral("@emp_id");
inline const QString kFactName = QStringLiteral("@name");
inline const QString kFactPosition = QStringLiteral("@position");

} // namespace wel::reports
