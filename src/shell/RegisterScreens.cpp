#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
}

} // namespace wel
