#include "UCancel_Berg.h"
#include "UEntry_Health.h"
#include "URe_Print_Berg_HL.h"
#include "URe_Print_Docontrol.h"
#include "USum_Berg_FC.h"

namespace wel {

void registerClaimsScreens()
{
    using namespace claims;
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmEntry_Health"), [](const ScreenContext& c) { return new TfrmEntry_Health(c); });
    r.add(QStringLiteral("TfrmRe_Print_Berg_HL"), [](const ScreenContext& c) { return new TfrmRe_Print_Berg_HL(c); });
    r.add(QStringLiteral("TfrmCancel_Berg"), [](const ScreenContext& c) { return new TfrmCancel_Berg(c); });
    r.add(QStringLiteral("TfrmSum_Berg_FC"), [](const ScreenContext& c) { return new TfrmSum_Berg_FC(c); });
    r.add(QStringLiteral("TfrmRe_Print_Docontrol"), [](const ScreenContext& c) { return new TfrmRe_Print_Docontrol(c); });
}

} // namespace wel
