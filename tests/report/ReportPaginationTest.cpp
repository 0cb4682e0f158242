#include "common/report/Report.h"

#include <gtest/gtest.h>

using namespace wel;

namespace {

const QDateTime kPrinted(QDate(2008, 11, 5), QTime(9, 0, 0));

QStringList textsOf(const Report& report, const QString& name)
{
    QStringList out;
    for (const ReportPage& page : report.pages())
        for (const PlacedItem& it : page.items)
            if (it.name == name)
                out << it.text;
    return out;
}

QVector<BandKind> kindsOf(const ReportPage& page)
{
    QVector<BandKind> kinds;
    for (const PlacedBand& b : page.bands)
        kinds << b.kind;
    return kinds;
}

// Claims of four claim numbers with 9, 1, 12 and 5 receipts of 100.105 baht,
// which print (and must add up) as 100.11 each.
Rows receipts()
{
    QVector<QVector<QVariant>> data;
    const int sizes[] = {9, 1, 12, 5};
    for (int d = 0; d < 4; ++d)
        for (int i = 0; i < sizes[d]; ++i)
            data.append({QStringLiteral("AB2551/%1").arg(d + 1, 7, 10, QLatin1Char('0')), i + 1,
                         QStringLiteral("100.105")});
    return Rows({QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc"), QStringLiteral("P_money")},
                data);
}

ReportLayout groupedLayout()
{
    ReportLayout l;
    l.pageHeader.heightMm = 10;
    l.title.heightMm = 15;
    l.columnHeader.heightMm = 8;
    l.columnHeader.add(ReportItem::caption(QStringLiteral("head"), {0, 0, 30, 8}, QStringLiteral("ลำดับ")));
    ReportGroup& g = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
    g.header.heightMm = 8;
    g.header.repeatOnNewPage = true;
    g.header.add(ReportItem::field(QStringLiteral("doc"), {0, 0, 40, 8}, QStringLiteral("Berg_Doc_ID")));
    l.detail.heightMm = 8;
    l.detail.add(ReportItem::field(QStringLiteral("line"), {150, 0, 40, 8}, QStringLiteral("P_money"))
                     .withMask(QStringLiteral("#,###.00")));
    g.footer.heightMm = 8;
    g.footer.add(ReportItem::sum(QStringLiteral("docTotal"), {150, 0, 40, 8}, QStringLiteral("P_money"))
                     .withMask(QStringLiteral("#,###.00")));
    l.summary.heightMm = 200;
    l.summary.add(ReportItem::sum(QStringLiteral("grandTotal"), {150, 0, 40, 8}, QStringLiteral("P_money"),
                                  SumScope::Report));
    l.pageFooter.heightMm = 10;
    l.pageFooter.add(ReportItem::pageNumber(QStringLiteral("pageNo"), {150, 0, 40, 8},
                                            QStringLiteral("หน้า %1/%2")));
    return l;
}

} // namespace

TEST(ReportPagination, BandsNeverReachThePageFooter)
{
    const Report report(groupedLayout(), receipts(), kPrinted);
    // Page 1 holds the first three claims (28 bands from 43 mm); the fourth
    // claim's header would leave its first receipt behind, so it opens page 2;
    // the 200 mm summary no longer fits there and gets a page of its own.
    ASSERT_EQ(report.pageCount(), 3);

    for (int p = 0; p < report.pageCount(); ++p) {
        const ReportPage& page = report.pages()[p];
        const QVector<BandKind> kinds = kindsOf(page);
        ASSERT_GE(kinds.size(), 3);
        EXPECT_EQ(kinds[0], BandKind::PageHeader);
        EXPECT_EQ(page.bands[0].rectMm.top(), 10);
        EXPECT_EQ(kinds[p == 0 ? 2 : 1], BandKind::ColumnHeader) << "page " << p + 1;
        EXPECT_EQ(kinds.count(BandKind::Title), p == 0 ? 1 : 0);
        EXPECT_EQ(kinds.last(), BandKind::PageFooter);
        EXPECT_EQ(page.bands.last().rectMm, QRectF(10, 277, 190, 10));
        for (int i = 1; i + 1 < page.bands.size(); ++i) {
            EXPECT_GE(page.bands[i].rectMm.top(), page.bands[i - 1].rectMm.bottom() - 1e-9);
            EXPECT_LE(page.bands[i].rectMm.bottom(), 277 + 1e-9) << "page " << p + 1 << " band " << i;
            if (kinds[i] == BandKind::GroupHeader) {
                EXPECT_EQ(kinds[i + 1], BandKind::Detail) << "header left alone on page " << p + 1;
            }
        }
    }
    EXPECT_EQ(textsOf(report, QStringLiteral("head")).size(), 3);
    EXPECT_EQ(textsOf(report, QStringLiteral("pageNo")),
              (QStringList{QStringLiteral("หน้า 1/3"), QStringLiteral("หน้า 2/3"), QStringLiteral("หน้า 3/3")}));

    // Groups closed at a page's end are not repeated on the next one.
    const ReportPage& second = report.pages()[1];
    EXPECT_EQ(kindsOf(second).mid(0, 4), (QVector<BandKind>{BandKind::PageHeader, BandKind::ColumnHeader,
                                                            BandKind::GroupHeader, BandKind::Detail}));
    EXPECT_EQ(second.bands[2].row, 22);
    EXPECT_EQ(kindsOf(report.pages()[2]),
              (QVector<BandKind>{BandKind::PageHeader, BandKind::ColumnHeader, BandKind::Summary,
                                 BandKind::PageFooter}));

    EXPECT_EQ(textsOf(report, QStringLiteral("docTotal")),
              (QStringList{QStringLiteral("900.99"), QStringLiteral("100.11"), QStringLiteral("1,201.32"),
                           QStringLiteral("500.55")}));
    EXPECT_EQ(textsOf(report, QStringLiteral("grandTotal")), QStringList{QStringLiteral("2,702.97")});
    EXPECT_EQ(textsOf(report, QStringLiteral("doc")).size(), 4);
}

TEST(ReportPagination, NestedGroupsBreakAndSumTheirOwnRows)
{
    ReportLayout l;
    ReportGroup& fact = l.addGroup(QStringLiteral("[Fact_Code]"));
    ReportGroup& doc = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
    fact.header.heightMm = doc.header.heightMm = 6;
    fact.footer.heightMm = doc.footer.heightMm = 6;
    // A header may show its group's total before the rows, as the summaries do.
    doc.header.add(ReportItem::sum(QStringLiteral("docHead"), {0, 0, 30, 6}, QStringLiteral("Amount")));
    doc.footer.add(ReportItem::sum(QStringLiteral("docFoot"), {0, 0, 30, 6}, QStringLiteral("Amount")));
    fact.footer.add(ReportItem::sum(QStringLiteral("factFoot"), {0, 0, 30, 6}, QStringLiteral("Amount")));
    l.detail.heightMm = 6;
    l.detail.add(ReportItem::sum(QStringLiteral("inDetail"), {0, 0, 30, 6}, QStringLiteral("Amount")));
    l.summary.heightMm = 6;
    l.summary.add(ReportItem::sum(QStringLiteral("all"), {0, 0, 30, 6}, QStringLiteral("Amount")));

    // The same claim number under another faculty is a new group.
    const Rows rows({QStringLiteral("FACT_CODE"), QStringLiteral("berg_doc_id"), QStringLiteral("Amount")},
                    {{QStringLiteral("A"), QStringLiteral("D1"), 10.0},
                     {QStringLiteral("A"), QStringLiteral("D1"), 20.5},
                     {QStringLiteral("A"), QStringLiteral("D2"), QStringLiteral("5.25")},
                     {QStringLiteral("B"), QStringLiteral("D2"), 1.1}});
    const Report report(l, rows, kPrinted);
    ASSERT_EQ(report.pageCount(), 1);

    using K = BandKind;
    EXPECT_EQ(kindsOf(report.pages()[0]),
              (QVector<K>{K::GroupHeader, K::GroupHeader, K::Detail, K::Detail, K::GroupFooter,
                          K::GroupHeader, K::Detail, K::GroupFooter, K::GroupFooter,
                          K::GroupHeader, K::GroupHeader, K::Detail, K::GroupFooter, K::GroupFooter,
                          K::Summary}));
    const QStringList docs{QStringLiteral("30.50"), QStringLiteral("5.25"), QStringLiteral("1.10")};
    EXPECT_EQ(textsOf(report, QStringLiteral("docHead")), docs);
    EXPECT_EQ(textsOf(report, QStringLiteral("docFoot")), docs);
    EXPECT_EQ(textsOf(report, QStringLiteral("inDetail")),
              (QStringList{QStringLiteral("30.50"), QStringLiteral("30.50"), QStringLiteral("5.25"),
                           QStringLiteral("1.10")}));
    EXPECT_EQ(textsOf(report, QStringLiteral("factFoot")),
              (QStringList{QStringLiteral("35.75"), QStringLiteral("1.10")}));
    EXPECT_EQ(textsOf(report, QStringLiteral("all")), QStringList{QStringLiteral("36.85")});
}

TEST(ReportPagination, GroupHeaderRepeatsWhereItsGroupGoesOn)
{
    // The claim form: column headings sit in the claim's group header.
    ReportLayout l;
    l.pageHeader.heightMm = 10;
    ReportGroup& g = l.addGroup(QStringLiteral("[Berg_Doc_ID]"));
    g.header.heightMm = 10;
    g.header.repeatOnNewPage = true;
    g.header.add(ReportItem::field(QStringLiteral("doc"), {0, 0, 40, 10}, QStringLiteral("Berg_Doc_ID")));
    l.detail.heightMm = 10;
    g.footer.heightMm = 10;
    g.footer.add(ReportItem::sum(QStringLiteral("total"), {0, 0, 40, 10}, QStringLiteral("P_money")));

    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 30; ++i)
        data.append({QStringLiteral("AB2551/0000001"), i, 1});
    const Report report(l, Rows({QStringLiteral("Berg_Doc_ID"), QStringLiteral("Order_Doc"),
                                 QStringLiteral("P_money")}, data), kPrinted);

    // 277 mm less the page header: the header and 25 rows, then 26 rows a page.
    ASSERT_EQ(report.pageCount(), 2);
    const ReportPage& second = report.pages()[1];
    EXPECT_EQ(kindsOf(second).mid(0, 3),
              (QVector<BandKind>{BandKind::PageHeader, BandKind::GroupHeader, BandKind::Detail}));
    EXPECT_EQ(second.bands[1].row, 25);
    EXPECT_EQ(second.bands[1].rectMm.top(), 20);
    EXPECT_EQ(kindsOf(second).count(BandKind::Detail), 5);
    EXPECT_EQ(textsOf(report, QStringLiteral("doc")),
              (QStringList{QStringLiteral("AB2551/0000001"), QStringLiteral("AB2551/0000001")}));
    EXPECT_EQ(textsOf(report, QStringLiteral("total")), QStringList{QStringLiteral("30.00")});
}

TEST(ReportPagination, LandscapeUsesTheWidePage)
{
    ReportLayout l;
    l.page.orientation = Orientation::Landscape;
    l.pageHeader.heightMm = 10;
    l.pageHeader.add(ReportItem::caption(QStringLiteral("heading"), {0, 0, 277, 10}, QStringLiteral("รายงาน"))
                         .align(Align::Centre));
    l.detail.heightMm = 10;
    l.detail.add(ReportItem::field(QStringLiteral("no"), {0, 0, 20, 10}, QStringLiteral("No")));
    l.pageFooter.heightMm = 10;
    l.pageFooter.add(ReportItem::pageNumber(QStringLiteral("page"), {237, 0, 40, 10}).align(Align::Right));

    QVector<QVector<QVariant>> data;
    for (int i = 1; i <= 40; ++i)
        data.append(QVector<QVariant>{i});
    const Report report(l, Rows({QStringLiteral("No")}, data), kPrinted);

    // 190 mm of body less header and footer holds 17 rows of 10 mm.
    ASSERT_EQ(report.pageCount(), 3);
    int rows = 0;
    for (const ReportPage& page : report.pages())
        rows += kindsOf(page).count(BandKind::Detail);
    EXPECT_EQ(rows, 40);
    EXPECT_EQ(kindsOf(report.pages()[2]).count(BandKind::Detail), 6);
    EXPECT_EQ(report.pages()[1].bands.last().rectMm, QRectF(10, 190, 277, 10));
    EXPECT_EQ(textsOf(report, QStringLiteral("page")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(textsOf(report, QStringLiteral("no"))[17], QStringLiteral("18")); // first row of page 2
    EXPECT_EQ(report.pages()[1].bands[1].rectMm.top(), 20);
}
