#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerAllScreens() {}

} // namespace wel
