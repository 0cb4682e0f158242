#include "UEntry_Health.h"

namespace wel {

void registerClaimsScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmEntry_Health"), [](const ScreenContext& c) { return new claims::TfrmEntry_Health(c); });
}

} // namespace wel
