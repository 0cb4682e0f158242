#include "reports/widgets/OverviewCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QCoreApplication>
#include <QCursor>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHorizontalBarSeries>
#include <QHorizontalPercentBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QLegend>
#include <QPainter>
#include <QStackedBarSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <memory>

namespace wel::reports {

namespace {

QString baht(Money m) { return m.toDisplay() + QStringLiteral(" บาท"); }

QString percent(double share) { return QString::number(share * 100, 'f', 1) + QStringLiteral(" %"); }

// Whole numbers on the axes, with thousands separators (the chart's locale).
QValueAxis* valueAxis()
{
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

// The document face, as the rest of the page prints in it.
QFont printFont(double points)
{
    QFont f(documentFamily(ReportFont().family));
    f.setPointSizeF(points);
    return f;
}

void showTip(bool on, const QString& text)
{
    if (on)
        QToolTip::showText(QCursor::pos(), text);
    else
        QToolTip::hideText();
}

QChart* newChart(bool forPrint)
{
    auto* c = new QChart;
    c->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    c->setLocalizeNumbers(true);
    c->legend()->setAlignment(Qt::AlignBottom);
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    if (forPrint) {
        c->setBackgroundVisible(false);
        c->legend()->setFont(printFont(9));
    }
    return c;
}

// Axes of a bar chart: the categories along one side, the values along the other.
void addAxes(QChart* c, QAbstractBarSeries* s, const QStringList& categories, QValueAxis* values, bool horizontal,
             bool forPrint)
{
    auto* cat = new QBarCategoryAxis;
    cat->append(categories);
    // A category label taller than its share of the axis is cut to "...":
    // a bar for every faculty or month needs the smaller size.
    const bool many = categories.size() > 5;
    if (many && !forPrint) {
        QFont f = cat->labelsFont();
        f.setPointSizeF(7);
        cat->setLabelsFont(f);
    }
    if (forPrint) {
        cat->setLabelsFont(printFont(many ? 7 : 8.5));
        values->setLabelsFont(printFont(8.5));
        values->setTitleFont(printFont(8.5));
    }
    // Amounts along a narrow bottom axis would run into each other.
    if (horizontal && s->type() != QAbstractSeries::SeriesTypeHorizontalPercentBar)
        values->setTickCount(3);
    c->addAxis(cat, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    c->addAxis(values, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    s->attachAxis(cat);
    s->attachAxis(values);
    // A chart of nothing but zeros has no range to round out.
    if (values->max() > values->min())
        values->applyNiceNumbers();
    else
        values->setRange(0, 1);
}

QChart* monthsChart(const Overview& o, bool forPrint)
{
    QChart* c = newChart(forPrint);
    auto* series = new QStackedBarSeries;
    const MonthlyClaims& m = o.months;
    auto shown = std::make_shared<QVector<int>>(); // kinds with a set, by set order
    for (int k = 0; k < m.kinds.size(); ++k) {
        if (m.kinds[k].total().isZero())
            continue;
        auto* set = new QBarSet(m.kinds[k].name);
        for (const Money& amount : m.kinds[k].months)
            *set << amount.toDouble();
        series->append(set);
        shown->push_back(k);
    }
    c->addSeries(series);
    addAxes(c, series, m.monthLabels, valueAxis(), false, forPrint);
    if (!forPrint) {
        const MonthlyClaims months = m;
        QObject::connect(series, &QAbstractBarSeries::hovered, c,
                         [months, shown, series](bool on, int index, QBarSet* set) {
                             showTip(on, monthTip(months, shown->value(int(series->barSets().indexOf(set))), index));
                         });
    }
    return c;
}

QChart* chainChart(const Overview& o, bool forPrint)
{
    QChart* c = newChart(forPrint);
    auto* series = new QHorizontalStackedBarSeries;
    const QVector<Money> parts = o.chain.parts();
    // The amounts are the point of this chart: one line each above the bar.
    QStringList lines;
    // The legend names each colour by its state alone; the lines above give the words.
    const QStringList states = {QStringLiteral("FC"), QStringLiteral("KV"), QStringLiteral("P"), QStringLiteral("ยกเลิก")};
    for (int i = 0; i < parts.size(); ++i) {
        auto* set = new QBarSet(states[i]);
        *set << parts[i].toDouble();
        series->append(set);
        lines << MoneyChain::labels()[i] + QStringLiteral("  ") + baht(parts[i]);
    }
    lines << QStringLiteral("<b>รวม  %1</b>").arg(baht(o.chain.total()));
    series->setBarWidth(0.7);
    c->addSeries(series);
    addAxes(c, series, {QStringLiteral("รวม")}, valueAxis(), true, forPrint);
    c->setTitle(lines.join(QStringLiteral("<br>")));
    if (forPrint)
        c->setTitleFont(printFont(8.5));
    return c;
}

QChart* facultiesChart(const Overview& o, bool forPrint)
{
    QChart* c = newChart(forPrint);
    auto* series = new QHorizontalPercentBarSeries;
    auto* used = new QBarSet(QStringLiteral("ใช้ไปแล้ว"));
    auto* flex = new QBarSet(QStringLiteral("Flexible Benefit"));
    auto* left = new QBarSet(QStringLiteral("คงเหลือ"));
    QStringList categories;
    // The horizontal axis draws its first category at the bottom: the
    // faculty that used the largest share goes last so that it stands on top.
    QVector<FacultyLimit> faculties = o.faculties;
    std::reverse(faculties.begin(), faculties.end());
    for (const FacultyLimit& f : faculties) {
        *used << f.used.toDouble();
        *flex << f.flex.toDouble();
        *left << max(f.limit - f.used - f.flex, Money()).toDouble();
        categories << f.code;
    }
    series->append({used, flex, left});
    c->addSeries(series);
    addAxes(c, series, categories, valueAxis(), true, forPrint);
    if (!forPrint)
        QObject::connect(series, &QAbstractBarSeries::hovered, c, [faculties](bool on, int index, QBarSet*) {
            const FacultyLimit& f = faculties.value(index);
            showTip(on, QStringLiteral("%1  %2\nวงเงิน %3\nใช้ไปแล้ว %4\nFlexible Benefit %5\nใช้ไป %6 ของวงเงิน\nพนักงาน %7 คน")
                            .arg(f.code, f.name, baht(f.limit), baht(f.used), baht(f.flex), percent(f.shareUsed()))
                            .arg(f.employees));
        });
    return c;
}

QChart* progressChart(const Overview& o, bool forPrint)
{
    QChart* c = newChart(forPrint);
    auto* series = new QHorizontalBarSeries;
    // The axis draws its first category at the bottom: the bands go in from
    // the last so that 0-25 % stands on top.
    QStringList bands;
    for (int b = LimitProgress::kBands - 1; b >= 0; --b)
        bands << LimitProgress::bandLabels()[b];
    for (int t = 0; t < 3; ++t) {
        auto* set = new QBarSet(LimitProgress::typeLabels()[t]);
        for (int b = LimitProgress::kBands - 1; b >= 0; --b)
            *set << o.progress.counts[size_t(t)][size_t(b)];
        series->append(set);
    }
    c->addSeries(series);
    QValueAxis* counts = valueAxis();
    counts->setTitleText(QStringLiteral("จำนวนพนักงาน (คน)"));
    addAxes(c, series, bands, counts, true, forPrint);
    // Whole people: a few of them get a tick each, never "0, 1, 1".
    if (counts->max() < 4) {
        counts->setRange(0, 4);
        counts->setTickCount(5);
    }
    if (!forPrint)
        QObject::connect(series, &QAbstractBarSeries::hovered, c, [bands](bool on, int index, QBarSet* set) {
            showTip(on, QStringLiteral("%1, %2: %3 คน").arg(set->label(), bands.value(index)).arg(set->at(index)));
        });
    return c;
}

QChart* hospitalsChart(const Overview& o, bool forPrint)
{
    QChart* c = newChart(forPrint);
    auto* series = new QHorizontalBarSeries;
    auto* set = new QBarSet(QStringLiteral("ยอดเบิก (บาท)"));
    QStringList categories;
    QStringList tips;
    // The largest on top: the axis draws its first category at the bottom.
    // Paper has no mouse to rest on a bar: it prints each amount by its name.
    for (auto h = o.hospitals.crbegin(); h != o.hospitals.crend(); ++h) {
        *set << h->amount.toDouble();
        categories << (forPrint ? QStringLiteral("%1  %2").arg(h->name, h->amount.toDisplay()) : h->name);
        tips << QStringLiteral("%1\n%2").arg(h->name, baht(h->amount));
    }
    series->append(set);
    c->addSeries(series);
    addAxes(c, series, categories, valueAxis(), true, forPrint);
    c->legend()->hide();
    if (!forPrint)
        QObject::connect(series, &QAbstractBarSeries::hovered, c,
                         [tips](bool on, int index, QBarSet*) { showTip(on, tips.value(index)); });
    return c;
}

// Charts are laid out at this many units a millimetre on paper, so that
// their texts print at about 8 points.
constexpr double kUnitsPerMm = 4.5;

ReportDrawing chartDrawing(std::shared_ptr<const Overview> o, OverviewChart which, QSizeF sizeMm)
{
    return [o, which, sizeMm](QPainter& p, const QRectF& target) {
        QGraphicsScene scene;
        QChart* chart = makeChart(*o, which, true);
        scene.addItem(chart);
        const QRectF area(QPointF(0, 0), sizeMm * kUnitsPerMm);
        // The chart lays its axes, labels and legend out as its posted
        // layout requests are handled; a document has no event loop of its
        // own to wait for, so they are handled here, twice, since the first
        // layout changes what the labels have room for.
        for (int pass = 0; pass < 2; ++pass) {
            chart->setGeometry(area);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            chart->layout()->activate();
        }
        scene.render(&p, target, area, Qt::KeepAspectRatio);
    };
}

} // namespace

const QVector<OverviewChartInfo>& overviewCharts()
{
    static const QVector<OverviewChartInfo> list = {
        {OverviewChart::Months, QStringLiteral("chtMonths"), QStringLiteral("ยอดเบิกรายเดือน แยกตามประเภทสวัสดิการ (บาท)")},
        {OverviewChart::Hospitals, QStringLiteral("chtHospitals"), QStringLiteral("โรงพยาบาลที่มียอดเบิกสูงสุด 10 อันดับ (บาท)")},
        {OverviewChart::Faculties, QStringLiteral("chtFaculties"),
         QStringLiteral("การใช้วงเงินค่ารักษาพยาบาล แยกตามคณะ (ร้อยละของวงเงิน)")},
        {OverviewChart::Progress, QStringLiteral("chtProgress"), QStringLiteral("พนักงานตามสัดส่วนวงเงินที่ใช้ไป แยกตามประเภทสิทธิ")},
        {OverviewChart::Chain, QStringLiteral("chtChain"), QStringLiteral("สถานะของยอดเงินที่เบิก (บาท)")},
    };
    return list;
}

bool hasData(const Overview& o, OverviewChart chart)
{
    switch (chart) {
    case OverviewChart::Months: return !o.months.total().isZero();
    case OverviewChart::Chain: return !o.chain.total().isZero();
    case OverviewChart::Faculties: return !o.faculties.isEmpty();
    case OverviewChart::Progress: return o.progress.total() > 0;
    case OverviewChart::Hospitals: return !o.hospitals.isEmpty();
    }
    return false;
}

QChart* makeChart(const Overview& o, OverviewChart chart, bool forPrint)
{
    switch (chart) {
    case OverviewChart::Months: return monthsChart(o, forPrint);
    case OverviewChart::Chain: return chainChart(o, forPrint);
    case OverviewChart::Faculties: return facultiesChart(o, forPrint);
    case OverviewChart::Progress: return progressChart(o, forPrint);
    case OverviewChart::Hospitals: return hospitalsChart(o, forPrint);
    }
    return newChart(forPrint);
}

QString monthTip(const MonthlyClaims& m, int kind, int month)
{
    if (kind < 0 || kind >= m.kinds.size() || month < 0 || month >= kBudgetMonths)
        return {};
    return QStringLiteral("%1\n%2 %3\nรวมทั้งเดือน %4")
        .arg(m.monthLabels.value(month), m.kinds[kind].name, baht(m.kinds[kind].months[size_t(month)]),
             baht(m.monthTotal(month)));
}

QString overviewTitle(const Overview& o)
{
    return QStringLiteral("ภาพรวมการเบิกสวัสดิการ ปีงบประมาณ %1").arg(o.scope.year);
}

Report overviewDocument(const Overview& o, const QDateTime& printedAt)
{
    ReportLayout l;
    l.documentName = QStringLiteral("ภาพรวมการเบิกสวัสดิการ");
    l.page.orientation = Orientation::Landscape;
    const double w = l.page.bodyWidthMm();
    l.title.heightMm = 188;
    l.title.add(ReportItem::caption(QStringLiteral("lblTitle"), {0, 0, w, 9}, overviewTitle(o))
                    .size(16).bold().align(Align::Centre));
    l.title.add(ReportItem::caption(QStringLiteral("lblScope"), {0, 9, w / 2, 6}, QStringLiteral("หน่วยงาน : ") + scopeText(o))
                    .size(11).shrinking());
    l.title.add(ReportItem::printDateTime(QStringLiteral("lblPrinted"), {w / 2, 9, w / 2, 6},
                                          QStringLiteral("พิมพ์วันที่ %1  %2"))
                    .size(11).align(Align::Right));
    // Two rows: the months wide beside the hospitals, then three side by side.
    const double gap = 4, top1 = 17, h1 = 82, top2 = top1 + h1 + gap, h2 = 188 - top2, third = (w - 2 * gap) / 3;
    const double wide = w * 0.58;
    auto placeOf = [&](OverviewChart chart) -> QRectF {
        switch (chart) {
        case OverviewChart::Months: return {0, top1, wide, h1};
        case OverviewChart::Hospitals: return {wide + gap, top1, w - wide - gap, h1};
        case OverviewChart::Chain: return {2 * (third + gap), top2, third, h2};
        case OverviewChart::Faculties: return {0, top2, third, h2};
        case OverviewChart::Progress: return {third + gap, top2, third, h2};
        }
        return {};
    };
    auto figures = std::make_shared<const Overview>(o);
    for (const OverviewChartInfo& c : overviewCharts()) {
        const QRectF r = placeOf(c.chart);
        l.title.add(ReportItem::caption(c.name + QStringLiteral("_Title"), {r.x(), r.y(), r.width(), 6}, c.title)
                        .size(11).bold().shrinking());
        const QRectF body(r.x(), r.y() + 6, r.width(), r.height() - 6);
        if (hasData(o, c.chart))
            l.title.add(ReportItem::picture(c.name, body, chartDrawing(figures, c.chart, body.size())));
        else
            l.title.add(ReportItem::caption(c.name, body, kNoChartData).size(12).align(Align::Centre));
    }
    return Report(l, Rows(), printedAt);
}

} // namespace wel::reports
