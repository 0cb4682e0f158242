#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerFinanceScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerFinanceScreens();
}

} // namespace wel
