#include "UHospital_Entry.h"
#include "UQ_Hospital.h"
#include "USum_Hospital.h"
#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerInpatientScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmHospital_Entry"), [](const ScreenContext& c) { return new claims::TfrmHospital_Entry(c); });
    r.add(QStringLiteral("TfrmSum_Hospital"), [](const ScreenContext& c) { return new claims::TfrmSum_Hospital(c); });
    r.add(QStringLiteral("TfrmQ_Hospital"), [](const ScreenContext& c) { return new hospital::TfrmQ_Hospital(c); });
}

} // namespace wel
