#include "UCancel_Son_Stu.h"
#include "UEntry_Son_Stu.h"
#include "URe_Print_Doc_Edu.h"
#include "URep_Edu_Sent_Kv.h"

namespace wel {

void registerEducationScreens()
{
    using namespace claims;
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmEntry_Son_Stu"), [](const ScreenContext& c) { return new TfrmEntry_Son_Stu(c); });
    r.add(QStringLiteral("TfrmCancel_Son_Stu"), [](const ScreenContext& c) { return new TfrmCancel_Son_Stu(c); });
    r.add(QStringLiteral("TfrmRep_Edu_Sent_Kv"), [](const ScreenContext& c) { return new TfrmRep_Edu_Sent_Kv(c); });
    r.add(QStringLiteral("TfrmRe_Print_Doc_Edu"), [](const ScreenContext& c) { return new TfrmRe_Print_Doc_Edu(c); });
}

} // namespace wel
