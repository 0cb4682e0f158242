#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerFinanceScreens();
void registerReportScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerFinanceScreens();
    registerReportScreens();
}

} // namespace wel
