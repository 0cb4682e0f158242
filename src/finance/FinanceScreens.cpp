#include "USum_PV.h"
#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerFinanceScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmSum_PV"), [](const ScreenContext& c) { return new TfrmSum_PV(c); });
}

} // namespace wel
