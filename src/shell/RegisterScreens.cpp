#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerReportScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerReportScreens();
}

} // namespace wel
