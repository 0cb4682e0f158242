#include "UNew_User.h"
#include "UPrint_User.h"
#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerAdminScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmPrint_User"), [](const ScreenContext& c) { return new TfrmPrint_User(c); });
    r.add(QStringLiteral("TfrmNew_User"), [](const ScreenContext& c) { return new TfrmNew_User(c); });
}

} // namespace wel
