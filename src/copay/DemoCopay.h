#pragma once

namespace wel {
class Database;
}

namespace wel::claims {

// Co-pay claims for trying the program out, made through the claim services
// on demo employees of right type "2" whose medical limit of this budget
// year is first used up by an outpatient claim above it: open, cancelled and
// gathered ones for three faculties, and an employee whose co-pay is used
// up. Only when the database has no co-pay claim yet.
void loadDemoCopay(Database& db);

} // namespace wel::claims
