#include "AdminCommands.h"
#include "common/LoginContext.h"
#include "reports/Overview.h"
#include "reports/widgets/OverviewCharts.h"
#include "shell/DatabaseSetup.h"

#include <QTextStream>

namespace wel::admin {

// The overview of a budget year on one page, as its screen prints it: every
// faculty, or one with --faculty.
int printOverview(const QStringList& args)
{
    QTextStream err(stderr);
    const QString year = option(args, QStringLiteral("year"));
    const QString pdf = option(args, QStringLiteral("pdf"));
    if (year.isEmpty() || pdf.isEmpty()) {
        err << usage();
        return 2;
    }
    return writeDocument(args, pdf, [&](Database& db) {
        LoginContext finance;
        finance.Cur_Mode = QStringLiteral("KV");
        const reports::Overview o =
            reports::readOverview(db, reports::overviewScope(finance, year, option(args, QStringLiteral("faculty"))));
        return reports::overviewDocument(o, db.serverNow());
    });
}

} // namespace wel::admin
