#include "UCancel_Berg_COP.h"
#include "UCo_Pay_Entry.h"
#include "URe_Print_Berg_Cop.h"
#include "URe_Print_Doc_Cop.h"
#include "URep_COP_Sent_Kv.h"
#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerCopayScreens()
{
    using namespace claims;
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmCo_Pay_Entry"), [](const ScreenContext& c) { return new TfrmCo_Pay_Entry(c); });
    r.add(QStringLiteral("TfrmRe_Print_Berg_Cop"), [](const ScreenContext& c) { return new TfrmRe_Print_Berg_Cop(c); });
    r.add(QStringLiteral("TfrmCancel_Berg_COP"), [](const ScreenContext& c) { return new TfrmCancel_Berg_COP(c); });
    r.add(QStringLiteral("TfrmRep_COP_Sent_Kv"), [](const ScreenContext& c) { return new TfrmRep_COP_Sent_Kv(c); });
    r.add(QStringLiteral("TfrmRe_Print_Doc_Cop"), [](const ScreenContext& c) { return new TfrmRe_Print_Doc_Cop(c); });
}

} // namespace wel
