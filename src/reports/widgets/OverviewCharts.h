#pragma once
#include "common/report/Report.h"
#include "reports/Overview.h"

#include <QDateTime>
#include <QVector>

class QChart;

namespace wel::reports {

// The five charts of the overview, drawn the same way on the screen and on
// paper: each is a Qt chart made from the overview's figures by makeChart().

enum class OverviewChart { Months, Chain, Faculties, Progress, Hospitals };

struct OverviewChartInfo {
    OverviewChart chart;
    QString name;  // the chart view's objectName on the screen
    QString title; // its heading, on the screen and on paper
};
const QVector<OverviewChartInfo>& overviewCharts();

// Said instead of a chart that would have nothing to draw.
inline const QString kNoChartData = QStringLiteral("ไม่มีข้อมูลในปีงบประมาณนี้");
bool hasData(const Overview& o, OverviewChart chart);

// A new chart of the figures, owned by the caller. On the screen the bars
// tell their exact amounts when the mouse rests on them (the month chart
// the month's total); forPrint draws in the document face.
QChart* makeChart(const Overview& o, OverviewChart chart, bool forPrint = false);

// What the mouse over a month's bar shows: the kind's amount and the month's total.
QString monthTip(const MonthlyClaims& m, int kind, int month);

// The overview on one A4 landscape page: the title with the year and the
// faculty, and the five charts as vector graphics.
Report overviewDocument(const Overview& o, const QDateTime& printedAt);
QString overviewTitle(const Overview& o);

} // namespace wel::reports
