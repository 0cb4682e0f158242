#pragma once
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

// Outpatient claims for trying the program out, made through the claim
// services on the demo employees: for five faculties and both the current and
// the last budget year, open claims, a cancelled one and two gathered under a
// control number each, and an employee whose limit is used up. Only when the
// database has no claim yet.
void loadDemoClaims(Database& db);

} // namespace wel::claims
