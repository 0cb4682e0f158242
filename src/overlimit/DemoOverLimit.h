#pragma once
#include "claims/DemoClaims.h"

class QDate;

namespace wel {
class Database;
}

namespace wel::claims {

// Above-limit claims of the clerk's faculty for trying the program out: the
// limit of up to two employees of right type "1" is used up by an outpatient
// claim first; then five claims above it, one cancelled and two gathered
// under a control number.
void loadDemoOverLimit(Database& db, const DemoClerk& clerk, const QDate& today);

} // namespace wel::claims
