#include "UCancel_Berg_Over_Vong_Money.h"
#include "UEntry_Health_Over_Vong_Money.h"
#include "URe_Print_Over_Vong_Money.h"
#include "URe_Print_Sum_Over_Vong_Money.h"
#include "USum_Berg_Over_Vong_Money.h"

namespace wel {

void registerOverLimitScreens()
{
    using namespace claims;
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmEntry_Health_Over_Vong_Money"),
          [](const ScreenContext& c) { return new TfrmEntry_Health_Over_Vong_Money(c); });
    r.add(QStringLiteral("TfrmRe_Print_Over_Vong_Money"),
          [](const ScreenContext& c) { return new TfrmRe_Print_Over_Vong_Money(c); });
    r.add(QStringLiteral("TfrmCancel_Berg_Over_Vong_Money"),
          [](const ScreenContext& c) { return new TfrmCancel_Berg_Over_Vong_Money(c); });
    r.add(QStringLiteral("TfrmSum_Berg_Over_Vong_Money"),
          [](const ScreenContext& c) { return new TfrmSum_Berg_Over_Vong_Money(c); });
    r.add(QStringLiteral("TfrmRe_Print_Sum_Over_Vong_Money"),
          [](const ScreenContext& c) { return new TfrmRe_Print_Sum_Over_Vong_Money(c); });
}

} // namespace wel
