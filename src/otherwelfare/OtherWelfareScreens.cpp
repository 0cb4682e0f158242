#include "UCancel_Other_Health.h"
#include "UEntry_Other_Health.h"
#include "URe_Print_Doc_Oth.h"
#include "URep_Oth_Sent_Kv.h"

namespace wel {

void registerOtherWelfareScreens()
{
    using namespace claims;
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmEntry_Other_Health"), [](const ScreenContext& c) { return new TfrmEntry_Other_Health(c); });
    r.add(QStringLiteral("TfrmCancel_Other_Health"), [](const ScreenContext& c) { return new TfrmCancel_Other_Health(c); });
    r.add(QStringLiteral("TfrmRep_Oth_Sent_Kv"), [](const ScreenContext& c) { return new TfrmRep_Oth_Sent_Kv(c); });
    r.add(QStringLiteral("TfrmRe_Print_Doc_Oth"), [](const ScreenContext& c) { return new TfrmRe_Print_Doc_Oth(c); });
}

} // namespace wel
