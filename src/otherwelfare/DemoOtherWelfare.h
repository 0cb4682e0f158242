#pragma once
#include "claims/DemoClaims.h"

class QDate;

namespace wel {
class Database;
}

namespace wel::claims {

// Other-welfare payments of several kinds in the clerk's faculty for trying
// the program out: one cancelled, two gathered under a control number.
void loadDemoOtherWelfare(Database& db, const DemoClerk& clerk, const QDate& today);

} // namespace wel::claims
