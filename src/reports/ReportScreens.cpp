#include "reports/UOverview.h"
#include "reports/UQuery.h"
#include "reports/UReport.h"

namespace wel {

// One component under the name of every report screen.
void registerReportScreens()
{
    QStringList names;
    for (const reports::ReportDescriptor& r : reports::reportCatalog())
        if (!r.enquiry && !names.contains(r.screen))
            names << r.screen;
    for (const QString& name : names)
        ScreenRegistry::instance().add(name, [name](const ScreenContext& c) { return new TfrmReport(c, name); });
    for (const EnquirySpec& spec : enquirySpecs())
        ScreenRegistry::instance().add(spec.screen, [&spec](const ScreenContext& c) { return new TfrmQuery(c, spec); });
    ScreenRegistry::instance().add(QStringLiteral("TfrmOverview"),
                                   [](const ScreenContext& c) { return new TfrmOverview(c); });
}

} // namespace wel
