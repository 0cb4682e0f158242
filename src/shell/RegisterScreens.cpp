#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerClaimsScreens();
void registerFinanceScreens();
void registerReportScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerClaimsScreens();
    registerFinanceScreens();
    registerReportScreens();
}

} // namespace wel
