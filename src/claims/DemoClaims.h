#pragma once

namespace wel {
class Database;
}

namespace wel::claims {

// Outpatient claims for trying the program out, made through the claim
// services on the demo employees: for five faculties and both the current and
// the last budget year, open claims, a cancelled one and two gathered under a
// control number each, and an employee whose limit is used up. Only when the
// database has no claim yet.
void loadDemoClaims(Database& db);

} // namespace wel::claims
