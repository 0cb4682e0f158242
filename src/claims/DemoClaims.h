#pragma once
#include "ClaimEntryService.h"
#include "common/LoginContext.h"

class QDate;

namespace wel {
class Database;
}

namespace wel::claims {

// A demo user who enters demo claims: his faculty and user name.
struct DemoClerk {
    const char* fact;
    const char* user;
};

// The clerk logged in on the given day, in the given operating mode.
LoginContext demoLogin(const DemoClerk& c, const QDate& day, const QString& mode = QStringLiteral("FC"));

// The active employees of the faculty who meet the condition (on the alias e
// of T_Emp_Gov_Histry, program text, never typed), by KV_ID.
QStringList demoEmployees(Database& db, const QString& fact, const QString& condition);

// A receipt of the employee himself, with his name from his family row.
ClaimReceipt demoSelfReceipt(Database& db, const QString& kvId, const QDate& day, Money amount, const char* hospital);

// Of four or more claims just saved: the second cancelled, the first and the
// third gathered under a control number, the rest left open.
void demoCancelAndGather(Database& db, const LoginContext& login, const ClaimKind& kind, const QString& fact,
                         const QStringList& saved);

// Outpatient claims for trying the program out, made through the claim
// services on the demo employees: for five faculties and both the current and
// the last budget year, open claims, a cancelled one and two gathered under a
// control number each, and an employee whose limit is used up. Only when the
// database has no claim yet.
void loadDemoClaims(Database& db);

} // namespace wel::claims
