#pragma once
#include "claims/DemoClaims.h"

class QDate;

namespace wel {
class Database;
}

namespace wel::claims {

// Education claims in the clerk's faculty for trying the program out, for
// children of several ages, one of them without a stored birth date: one
// cancelled, two gathered under a control number.
void loadDemoEducation(Database& db, const DemoClerk& clerk, const QDate& today);

} // namespace wel::claims
