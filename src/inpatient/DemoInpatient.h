#pragma once

namespace wel {
class Database;
}

namespace wel::claims {

// In-patient claims the hospital clerk enters for employees of every
// faculty, made through the claim services: for both budget years open,
// cancelled and gathered ones, and an employee with a flexible benefit whose
// medical limit is nearly used up. Only when the database has none yet.
void loadDemoInpatient(Database& db);

} // namespace wel::claims
