#include "common/widgets/GridExport.h"
#include "common/widgets/ResultGrid.h"
#include "common/widgets/ResultModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace wel;

namespace {

// A second heading row on top, five claims, a total row at the end. Each
// sortable column orders the claims differently by value than by text.
ResultModel* sample(QObject* parent)
{
    auto* m = new ResultModel(parent);
    m->setResult({QStringLiteral("No"), QStringLiteral("ชื่อ"), QStringLiteral("วันที่เบิก"), QStringLiteral("จำนวนเงิน")},
                 {{QString(), QStringLiteral("(ชื่อ)"), QStringLiteral("(วันที่)"), QStringLiteral("(บาท)")},
                  {QStringLiteral("1"), QStringLiteral("สมชาย"), QStringLiteral("31/12/2567"), QStringLiteral("1,234.50")},
                  {QStringLiteral("2"), QStringLiteral("เกษม"), QStringLiteral("01/02/2568"), QStringLiteral("99.00")},
                  {QStringLiteral("3"), QStringLiteral("ไพโรจน์"), QStringLiteral("15/01/2569"), QStringLiteral("-5.00")},
                  {QStringLiteral("10"), QStringLiteral("กมล"), QString(), QStringLiteral("10,000.00")},
                  {QStringLiteral("4"), QStringLiteral("เกษม"), QStringLiteral("02/01/2568"), QStringLiteral("99.00")},
                  {QString(), QStringLiteral("รวม"), QString(), QStringLiteral("11,427.50")}},
                 1, 1);
    return m;
}

QStringList column(const ResultModel& m, int c)
{
    QStringList texts;
    for (const QStringList& row : m.rows())
        texts << row.value(c);
    return texts;
}

} // namespace

// Amounts and counts sort as numbers, Buddhist-Era dates as dates, names in
// Thai dictionary order (a leading vowel does not decide); equal rows keep
// their order, an empty cell comes first, the heading row stays on top and
// the total row at the bottom.
TEST(ResultModel, SortsByValueKeepingHeadingAndTotalRowsInPlace)
{
    struct Case {
        int column;
        Qt::SortOrder order;
        QStringList numbers; // the "No" column afterwards
    };
    const Case cases[] = {
        {0, Qt::AscendingOrder, {"", "1", "2", "3", "4", "10", ""}},
        {3, Qt::AscendingOrder, {"", "3", "2", "4", "1", "10", ""}},
        {3, Qt::DescendingOrder, {"", "10", "1", "2", "4", "3", ""}},
        {2, Qt::AscendingOrder, {"", "10", "1", "4", "2", "3", ""}},
        {1, Qt::AscendingOrder, {"", "10", "2", "4", "3", "1", ""}},
        {1, Qt::DescendingOrder, {"", "1", "3", "2", "4", "10", ""}},
    };
    for (const Case& c : cases) {
        ResultModel* m = sample(nullptr);
        const QVector<QStringList> given = m->rows();
        m->sort(c.column, c.order);
        EXPECT_EQ(column(*m, 0), c.numbers) << "column " << c.column << " order " << c.order;
        // Each row still knows its place in the rows given (a screen's own data by row).
        for (int r = 0; r < m->rowCount(); ++r)
            EXPECT_EQ(m->rows()[r], given.value(m->sourceRow(r))) << "row " << r;
        EXPECT_EQ(m->rows().first().value(1), QStringLiteral("(ชื่อ)"));
        EXPECT_EQ(m->rows().last().value(1), QStringLiteral("รวม"));
        delete m;
    }
}

// A summary that says it does not sort keeps its rows; the amount columns
// found are aligned to the right, the others to the left.
TEST(ResultModel, UnsortableRowsStayAndAmountsAlignRight)
{
    ResultModel* m = sample(nullptr);
    m->setSortable(false);
    m->sort(3, Qt::AscendingOrder);
    EXPECT_EQ(column(*m, 0), (QStringList{"", "1", "2", "3", "10", "4", ""}));
    auto aligned = [&](int c) { return Qt::Alignment(m->index(2, c).data(Qt::TextAlignmentRole).toInt()) & Qt::AlignRight; };
    EXPECT_TRUE(aligned(3));
    EXPECT_FALSE(aligned(1));
    EXPECT_FALSE(aligned(2));
    delete m;
}

// A selected row follows its claim when the rows are sorted.
TEST(ResultModel, SelectionFollowsTheRowWhenSorted)
{
    ResultGrid grid(QStringLiteral("StringGrid1"));
    grid.setColumns({QStringLiteral("No"), QStringLiteral("จำนวนเงิน")});
    grid.showRows({{QStringLiteral("1"), QStringLiteral("5.00")}, {QStringLiteral("2"), QStringLiteral("1.00")},
                   {QStringLiteral("3"), QStringLiteral("3.00")}});
    grid.selectRow(0);
    grid.horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    ASSERT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.text(grid.currentRow(), 0), QStringLiteral("1"));
    EXPECT_EQ(grid.currentSourceRow(), 0);
}

// Too many columns for the width: the sort arrows give way, headings wider
// than their texts go onto two lines (between Thai words), and the columns
// whose texts are long are cut, their whole text in the tool tip; every
// heading and every amount still shows whole, nothing scrolls sideways, and
// the same result shown again fits the same way.
TEST(ResultModel, WideResultFitsItsWidthCuttingLongTextsOnly)
{
    ResultGrid grid(QStringLiteral("StringGrid1"));
    const QString longName = QStringLiteral("คณะวิศวกรรมศาสตร์และเทคโนโลยีอุตสาหกรรมการเกษตร สาขาวิชาวิศวกรรมเครื่องกล");
    const QString longHeading = QStringLiteral("จำนวนเงินที่สามารถเบิกได้");
    QStringList headings, row;
    for (int c = 0; c < 6; ++c) {
        headings << QStringLiteral("ชื่อคณะ %1").arg(c);
        row << longName;
    }
    for (int c = 0; c < 5; ++c) {
        headings << longHeading;
        row << QStringLiteral("1.00");
    }
    headings << QStringLiteral("จำนวนเงิน");
    row << QStringLiteral("1,234,567.00");
    grid.setColumns(headings);
    grid.resize(900, 300);
    grid.show();
    for (int shown = 0; shown < 2; ++shown) {
        grid.showRows({row, row});
        QApplication::processEvents();
        EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0) << shown;
        for (int c = 0; c < headings.size(); ++c)
            EXPECT_GE(grid.columnWidth(c), grid.horizontalHeader()->sectionSizeHint(c)) << shown << " " << c;
        const QStringList lines = grid.model()->headerData(6, Qt::Horizontal).toString().split(u'\n');
        ASSERT_EQ(lines.size(), 2) << shown;
        EXPECT_EQ(lines.join(QString()), longHeading);
        EXPECT_EQ(grid.model()->headerData(6, Qt::Horizontal, Qt::UserRole).toString(), longHeading);
        EXPECT_EQ(grid.cutText(0, 0), longName);
        EXPECT_TRUE(grid.cutText(0, 11).isEmpty());
    }
}

// A listing's export reads the grid's model: the rows in the order shown,
// its second heading row as a heading, its total row last.
TEST(ResultModel, GridExportTakesTheRowsInTheOrderShown)
{
    ResultGrid grid(QStringLiteral("StringGrid1"));
    ResultModel* m = sample(&grid);
    grid.setModel(m);
    grid.horizontalHeader()->setSortIndicator(3, Qt::DescendingOrder);
    const excel::GridTable table = gridTableOf(grid, 2);
    ASSERT_EQ(table.headings.size(), 2);
    EXPECT_EQ(table.headings[1].value(1), QStringLiteral("(ชื่อ)"));
    QStringList numbers;
    for (const QStringList& row : table.rows)
        numbers << row.value(0);
    EXPECT_EQ(numbers, (QStringList{"10", "1", "2", "4", "3", ""}));
    EXPECT_EQ(table.rows.last().value(3), QStringLiteral("11,427.50"));
}
