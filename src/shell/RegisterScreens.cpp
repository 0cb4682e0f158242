#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
}

} // namespace wel
