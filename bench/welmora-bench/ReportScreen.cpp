// The heaviest report screen as a clerk meets it: the query, the grid's
// model and the first paint of the window, against the query alone.
#include "Workload.h"
#include "common/AppError.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/ScreenRegistry.h"
#include "reports/UReport.h"

#include <QApplication>
#include <QImage>
#include <QRadioButton>

#include <memory>

namespace wel::bench {

namespace {

const QString kScreen = QStringLiteral("TfrmRep_BergDocID_Folk");

} // namespace

Comparison reportScreenComparison(Database& db, const QString& today, const QString& budYear)
{
    LoginContext clerk;
    clerk.Cur_Date = today;
    clerk.Cur_Bud_Year = budYear;
    clerk.Cur_Fact_Code = QStringLiteral("KV");
    clerk.Cur_Mode = QStringLiteral("KV");
    clerk.Cur_Username = QStringLiteral("bench");
    // One window for every call, at the size of the clerk's desktop, as the
    // program keeps a screen open while the clerk asks again.
    std::shared_ptr<TfrmReport> screen(new TfrmReport(ScreenContext{db, clerk}, kScreen));
    screen->resize(1280, 800);
    screen->show();
    // Every faculty, as the finance division asks; the year stays the current one.
    auto* allFaculties = screen->findChild<QRadioButton*>(QStringLiteral("rb_faculty_all"));
    if (!allFaculties)
        throw AppError(QStringLiteral("%1 has no choice of every faculty").arg(kScreen));
    allFaculties->setChecked(true);
    QApplication::processEvents();
    const reports::Filters filters = screen->filters();
    const reports::ReportDescriptor* report = reports::reportsOfScreen(kScreen).first();
    auto queried = std::make_shared<QString>();
    Database* pdb = &db;
    return {QStringLiteral("report screen: claims by receipt and relative"),
            QStringLiteral("all faculties, claims of %1: query, grid and first paint").arg(filters.value(QStringLiteral("year"))),
            Side{[screen] {
                     screen->showReport();
                     // The event loop's turn after the click: layout and the
                     // one paint of the window with its rows.
                     QApplication::processEvents();
                 },
                 [screen] {
                     auto* grid = screen->findChild<ResultGrid*>(QStringLiteral("StringGrid1"));
                     if (grid->grab().toImage().isNull())
                         throw AppError(QStringLiteral("the report screen painted nothing"));
                     return QStringLiteral("%1 rows").arg(grid->rowCount());
                 }},
            Side{[pdb, report, filters, queried] {
                     const reports::ReportResult r = report->run(*pdb, filters);
                     *queried = QStringLiteral("%1 rows").arg(r.rows.size());
                 },
                 [queried] { return *queried; }},
            true, nullptr, 11};
}

} // namespace wel::bench
