#include "UAdd_Edit_Emp_His.h"
#include "UEmp_Exit.h"
#include "UEmp_Histry.h"

namespace wel {

void registerPersonnelScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmAdd_Edit_Emp_His"), [](const ScreenContext& c) { return new TfrmAdd_Edit_Emp_His(c); });
    r.add(QStringLiteral("TfrmEmp_Histry"), [](const ScreenContext& c) { return new TfrmEmp_Histry(c); });
    r.add(QStringLiteral("TfrmEmp_Exit"), [](const ScreenContext& c) { return new TfrmEmp_Exit(c); });
}

} // namespace wel
