#include "reports/ControlBreak.h"

#include <gtest/gtest.h>

using namespace wel;
using namespace wel::reports;

namespace {

// A break row in short: kind letter, number, keys joined by "|", and the
// count/amount of each category column and of the total, "c:satang".
QString shortForm(const BreakRow& b, int categories)
{
    const char kinds[] = {'G', 'S', 'B', 'T'};
    QString s = QStringLiteral("%1%2 %3").arg(QLatin1Char(kinds[b.kind])).arg(b.number).arg(b.keys.join(u'|'));
    for (int i = 0; i <= categories; ++i)
        s += QStringLiteral(" %1:%2").arg(b.totals.counts[size_t(i)]).arg(b.totals.amounts[size_t(i)].satang());
    return s;
}

BreakInput in(QStringList keys, int category, qint64 count, qint64 satang)
{
    return {std::move(keys), category, count, Money::fromSatang(satang)};
}

struct Case {
    const char* name;
    QVector<BreakInput> records;
    BreakOptions options;
    QStringList expected;
};

} // namespace

TEST(ControlBreak, GroupsSubtotalsAndTotalsAsTabled)
{
    BreakOptions two;
    two.categories = 2;
    BreakOptions twoSub = two;
    twoSub.subtotals = true;
    BreakOptions noTotal = two;
    noTotal.grandTotal = false;

    const Case cases[] = {
        {"empty input gives no row, not even a grand total", {}, two, {}},
        {"one group merges its records by category",
         {in({QStringLiteral("2551/01")}, 0, 2, 150), in({QStringLiteral("2551/01")}, 1, 1, 25)},
         two,
         {QStringLiteral("G1 2551/01 2:150 1:25 3:175"), QStringLiteral("B0  0:0 0:0 0:0"),
          QStringLiteral("T0  2:150 1:25 3:175")}},
        {"a record of no category counts in the total only",
         {in({QStringLiteral("A")}, -1, 1, 100)},
         noTotal,
         {QStringLiteral("G1 A 0:0 0:0 1:100")}},
        {"several groups are numbered in order",
         {in({QStringLiteral("A")}, 0, 1, 1), in({QStringLiteral("B")}, 1, 1, 2), in({QStringLiteral("C")}, 0, 1, 3)},
         noTotal,
         {QStringLiteral("G1 A 1:1 0:0 1:1"), QStringLiteral("G2 B 0:0 1:2 1:2"), QStringLiteral("G3 C 1:3 0:0 1:3")}},
        // The same month of two years stays two groups: keys carry the year.
        {"subtotals across years restart the numbers in each outer group",
         {in({QStringLiteral("2550/11"), QStringLiteral("SC")}, 0, 1, 100),
          in({QStringLiteral("2551/11"), QStringLiteral("EN")}, 0, 1, 10),
          in({QStringLiteral("2551/11"), QStringLiteral("SC")}, 1, 2, 20),
          in({QStringLiteral("2551/11"), QStringLiteral("SC")}, 0, 1, 5)},
         twoSub,
         {QStringLiteral("G1 2550/11|SC 1:100 0:0 1:100"), QStringLiteral("S0 2550/11 1:100 0:0 1:100"),
          QStringLiteral("G1 2551/11|EN 1:10 0:0 1:10"), QStringLiteral("G2 2551/11|SC 1:5 2:20 3:25"),
          QStringLiteral("S0 2551/11 2:15 2:20 4:35"), QStringLiteral("B0  0:0 0:0 0:0"),
          QStringLiteral("T0  3:115 2:20 5:135")}},
    };
    for (const Case& c : cases) {
        QStringList got;
        for (const BreakRow& b : controlBreak(c.records, c.options))
            got << shortForm(b, c.options.categories);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}
