#include "reports/ControlBreak.h"

namespace wel::reports {

void PairTotals::add(int category, int categories, qint64 count, Money amount)
{
    if (category >= 0 && category < categories) {
        counts[category] += count;
        amounts[category] += amount;
    }
    counts[categories] += count;
    amounts[categories] += amount;
}

void PairTotals::add(const PairTotals& other)
{
    for (size_t i = 0; i < counts.size(); ++i) {
        counts[i] += other.counts[i];
        amounts[i] += other.amounts[i];
    }
}

QVector<BreakRow> controlBreak(const QVector<BreakInput>& records, const BreakOptions& options)
{
    QVector<BreakRow> out;
    PairTotals grand, outer;
    int number = 0;
    int openGroup = -1; // index in out of the group row being summed
    QString outerKey;
    bool anyOuter = false;

    auto closeOuter = [&] {
        if (!options.subtotals || !anyOuter)
            return;
        BreakRow sub;
        sub.kind = BreakRow::Subtotal;
        sub.keys = QStringList{outerKey};
        sub.totals = outer;
        out.push_back(sub);
        outer = PairTotals();
    };

    for (const BreakInput& r : records) {
        const QString first = r.keys.value(0);
        if (options.subtotals && anyOuter && first != outerKey) {
            closeOuter();
            number = 0;
            openGroup = -1;
        }
        if (openGroup < 0 || out[openGroup].keys != r.keys) {
            BreakRow g;
            g.kind = BreakRow::Group;
            g.number = ++number;
            g.keys = r.keys;
            out.push_back(g);
            openGroup = int(out.size()) - 1;
        }
        out[openGroup].totals.add(r.category, options.categories, r.count, r.amount);
        outer.add(r.category, options.categories, r.count, r.amount);
        grand.add(r.category, options.categories, r.count, r.amount);
        outerKey = first;
        anyOuter = true;
    }
    closeOuter();
    if (options.grandTotal && !records.isEmpty()) {
        out.push_back(BreakRow{BreakRow::Blank, 0, {}, {}});
        out.push_back(BreakRow{BreakRow::GrandTotal, 0, {}, grand});
    }
    return out;
}

} // namespace wel::reports
