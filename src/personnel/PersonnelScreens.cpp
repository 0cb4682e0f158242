#include "UAdd_Edit_Emp_His.h"
#include "UEmp_Exit.h"
#include "UEmp_Histry.h"
#include "UImp_Emp_Histry_Excel.h"
#include "UUpdate_Flexible_Benefit.h"
#include "UUpdate_data.h"

namespace wel {

void registerPersonnelScreens()
{
    auto& r = ScreenRegistry::instance();
    r.add(QStringLiteral("TfrmAdd_Edit_Emp_His"), [](const ScreenContext& c) { return new TfrmAdd_Edit_Emp_His(c); });
    r.add(QStringLiteral("TfrmEmp_Histry"), [](const ScreenContext& c) { return new TfrmEmp_Histry(c); });
    r.add(QStringLiteral("TfrmEmp_Exit"), [](const ScreenContext& c) { return new TfrmEmp_Exit(c); });
    r.add(QStringLiteral("TfrmImp_Emp_Histry_Excel"), [](const ScreenContext& c) { return new TfrmImp_Emp_Histry_Excel(c); });
    r.add(QStringLiteral("TfrmUpdate_data"), [](const ScreenContext& c) { return new TfrmUpdate_data(c); });
    r.add(QStringLiteral("TfrmUpdate_Flexible_Benefit"),
          [](const ScreenContext& c) { return new TfrmUpdate_Flexible_Benefit(c); });
}

} // namespace wel
