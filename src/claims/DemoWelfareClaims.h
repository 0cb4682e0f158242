#pragma once

namespace wel {
class Database;
}

namespace wel::claims {

// Claims charged against no limit, for trying the program out: in the
// faculties OP and SC, above-limit claims (for employees whose limit an
// outpatient claim uses up first), other-welfare payments of several kinds
// and education claims for children of several ages, one of them without a
// stored birth date; in each kind open, cancelled and gathered claims. Only
// when the database has none of these kinds yet.
void loadDemoWelfareClaims(Database& db);

} // namespace wel::claims
