#include "UCancel_Sent_KV_Doc.h"
#include "UCancel_Sum_PV.h"
#include "UEntry_Depart_DocNo.h"
#include "UImp_Excel_Income.h"
#include "URe_Print_Sum_PV.h"
#include "USum_PV.h"
#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerFinanceScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmSum_PV"), [](const ScreenContext& c) { return new TfrmSum_PV(c); });
    r.add(QStringLiteral("TfrmRe_Print_Sum_PV"), [](const ScreenContext& c) { return new TfrmRe_Print_Sum_PV(c); });
    r.add(QStringLiteral("TfrmEntry_Depart_DocNo"), [](const ScreenContext& c) { return new TfrmEntry_Depart_DocNo(c); });
    r.add(QStringLiteral("TfrmEntry_PV_Doc"), [](const ScreenContext& c) { return new TfrmEntry_PV_Doc(c); });
    r.add(QStringLiteral("TfrmCancel_Sent_KV_Doc"), [](const ScreenContext& c) { return new TfrmCancel_Sent_KV_Doc(c); });
    r.add(QStringLiteral("TfrmCancel_Sum_PV"), [](const ScreenContext& c) { return new TfrmCancel_Sum_PV(c); });
    r.add(QStringLiteral("TfrmImp_Excel_Income"), [](const ScreenContext& c) { return new TfrmImp_Excel_Income(c); });
}

} // namespace wel
