#include "reports/UReport.h"

namespace wel {

// One component under the name of every report screen.
void registerReportScreens()
{
    QStringList names;
    for (const reports::ReportDescriptor& r : reports::reportCatalog())
        if (!names.contains(r.screen))
            names << r.screen;
    for (const QString& name : names)
        ScreenRegistry::instance().add(name, [name](const ScreenContext& c) { return new TfrmReport(c, name); });
}

} // namespace wel
