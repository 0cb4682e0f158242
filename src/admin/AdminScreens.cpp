#include "UNew_User.h"
#include "audit/UAudit_Log.h"
#include "UPrint_User.h"
#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerAdminScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmPrint_User"), [](const ScreenContext& c) { return new TfrmPrint_User(c); });
    r.add(QStringLiteral("TfrmNew_User"), [](const ScreenContext& c) { return new TfrmNew_User(c); });
    r.add(QStringLiteral("TfrmAudit_Log"), [](const ScreenContext& c) { return new TfrmAudit_Log(c); });
}

} // namespace wel
