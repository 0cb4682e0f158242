#include "common/widgets/ScreenRegistry.h"

namespace wel {

void registerPersonnelScreens();
void registerAdminScreens();
void registerClaimsScreens();
void registerFinanceScreens();
void registerReportScreens();
void registerCopayScreens();
void registerInpatientScreens();
void registerOverLimitScreens();
void registerOtherWelfareScreens();
void registerEducationScreens();

void registerAllScreens()
{
    registerPersonnelScreens();
    registerAdminScreens();
    registerClaimsScreens();
    registerFinanceScreens();
    registerReportScreens();
    registerCopayScreens();
    registerInpatientScreens();
    registerOverLimitScreens();
    registerOtherWelfareScreens();
    registerEducationScreens();
}

} // namespace wel
