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
    QTextStream out(stdout), err(stderr);
    const QString year = option(args, QStringLiteral("year"));
    const QString pdf = option(args, QStringLiteral("pdf"));
    if (year.isEmpty() || pdf.isEmpty()) {
        err << usage();
        return 2;
    }
    try {
        auto db = openDatabase(chooseDatabaseUrl(option(args, QStringLiteral("db"))));
        LoginContext finance;
        finance.Cur_Mode = QStringLiteral("KV");
        const reports::Overview o =
            reports::readOverview(*db, reports::overviewScope(finance, year, option(args, QStringLiteral("faculty"))));
        const Report doc = reports::overviewDocument(o, db->serverNow());
        doc.writePdf(pdf);
        out << "wrote " << pdf << " (" << doc.pageCount() << " page)\n";
        return 0;
    } catch (const AppError& e) {
        err << e.message() << "\n";
        return 1;
    }
}

} // namespace wel::admin
