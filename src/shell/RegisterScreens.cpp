#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerClaimsScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerClaimsScreens();
}

} // namespace wel
