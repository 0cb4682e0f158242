#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerClaimsScreens();
void registerReportScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerClaimsScreens();
    registerReportScreens();
}

} // namespace wel
