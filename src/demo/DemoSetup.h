#pragma once

namespace wel {
class Database;
}

namespace wel::demo {

// The claims of every kind for trying the program out, each kind's made by
// the loader in its own folder through the services its screens call:
// outpatient, co-pay, in-patient, then above the limit, other welfare and
// education. Each part only when the database has none of its kinds yet.
void loadDemoClaimsOfEveryKind(Database& db);

// The part of the above for the kinds charged against no limit: in the
// faculties OP and SC, above-limit, other-welfare and education claims, in
// each kind open, cancelled and gathered ones. Only when the database has
// none of these kinds yet.
void loadDemoWelfareClaims(Database& db);

} // namespace wel::demo
