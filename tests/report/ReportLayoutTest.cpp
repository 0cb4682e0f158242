#include "common/AppError.h"
#include "common/report/Report.h"

#include <gtest/gtest.h>

using namespace wel;

namespace {

const QDateTime kPrinted(QDate(2008, 11, 5), QTime(14, 3, 9));

const PlacedItem* findItem(const ReportPage& page, const QString& name)
{
    for (const PlacedItem& it : page.items)
        if (it.name == name)
            return &it;
    return nullptr;
}

QStringList namedTexts(const Report& report, const QString& name)
{
    QStringList out;
    for (const ReportPage& page : report.pages())
        for (const PlacedItem& it : page.items)
            if (it.name == name)
                out << it.text;
    return out;
}

} // namespace

TEST(ReportMask, FormatsAmountsExactly)
{
    struct Case { QVariant value; const char* mask; const char* expected; };
    const Case cases[] = {
        {QStringLiteral("1234567.5"), "#,###.00", "1,234,567.50"},
        {QStringLiteral("0"), "#,###.00", "0.00"},
        {QStringLiteral("-1234.5"), "#,###.00", "-1,234.50"},
        {0.1 + 0.2, "#,###.00", "0.30"},          // SQLite's floating NUMERIC
        {qint64(2000000000), "%n", "2,000,000,000.00"},
        {QStringLiteral("999.995"), "%n", "1,000.00"},
        {QStringLiteral("1234.5"), "#,##0", "1,235"},
        {QStringLiteral("-0.4"), "#,##0", "0"},
        {QStringLiteral("1234.5"), "0.0", "1234.5"},
        {QStringLiteral("1.50"), "#.##", "1.5"},
        {QStringLiteral("7"), "#,###.0#", "7.0"},
        {QStringLiteral("ไม่จำกัดวงเงิน"), "#,###.00", "ไม่จำกัดวงเงิน"},
        {QVariant(), "#,###.00", ""},
        {QStringLiteral("1234.5"), "", "1234.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(applyMask(c.value, QString::fromUtf8(c.mask)), QString::fromUtf8(c.expected))
            << c.value.toString().toStdString() << " " << c.mask;
    EXPECT_THROW(applyMask(Money::fromBaht(1), QStringLiteral("dd/mm/yyyy")), AppError);
}

TEST(ReportLayout, PlacesItemsAtPagePositionsWithCaptionsAndFonts)
{
    ReportLayout l;
    l.documentName = QStringLiteral("ใบเบิก");
    l.page.marginsMm = QMarginsF(15, 12, 10, 10);
    l.pageHeader.heightMm = 10;
    l.pageHeader.add(ReportItem::pageNumber(QStringLiteral("QRSysData1"), {100, 0, 85, 8},
                                            QStringLiteral("หน้า %1 / %2"))
                         .align(Align::Right));
    l.pageHeader.add(ReportItem::printDateTime(QStringLiteral("QRSysData2"), {0, 0, 90, 8},
                                               QStringLiteral("Date Print : %1 %2")));
    l.title.heightMm = 20;
    l.title.framed = true;
    l.title.add(ReportItem::caption(QStringLiteral("QRLabel3"), {0, 0, 120, 9}, QStringLiteral("old"))
                    .face(QStringLiteral("AngsanaUPC")).size(16).bold().withFrame());
    l.title.add(ReportItem::caption(QStringLiteral("QRLabel9"), {0, 10, 50, 9}, QStringLiteral("Re-Print")));
    l.title.add(ReportItem::line(QStringLiteral("QRShape1"), 0, 19, 185, 19).pen(0.5));
    l.detail.heightMm = 7;
    l.detail.add(ReportItem::expression(QStringLiteral("QRExpr1"), {10, 0, 100, 7},
                                        QStringLiteral("[EF_Surname][EF_F_Name]  [EF_L_Name] ([Folk_name])")));
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText5"), {140, 0, 45, 7}, QStringLiteral("p_money"))
                     .withMask(QStringLiteral("#,###.00")).align(Align::Right).underline());

    l.setCaption(QStringLiteral("QRLabel3"), QStringLiteral("ใบเบิกสวัสดิการพนักงาน"));
    l.setVisible(QStringLiteral("QRLabel9"), false);
    EXPECT_THROW(l.setCaption(QStringLiteral("QRLabel99"), QStringLiteral("x")), AppError);
    EXPECT_THROW(l.setCaption(QStringLiteral("QRExpr1"), QStringLiteral("x")), AppError);

    const Rows rows({QStringLiteral("EF_Surname"), QStringLiteral("EF_F_Name"),
                     QStringLiteral("EF_L_Name"), QStringLiteral("Folk_name"), QStringLiteral("P_money")},
                    {{QStringLiteral("นาย"), QStringLiteral("สมชาย"), QStringLiteral("ใจดี"),
                      QStringLiteral("ตนเอง"), QStringLiteral("1500.5")},
                     {QStringLiteral("ด.ญ."), QStringLiteral("มะลิ"), QStringLiteral("ใจดี"),
                      QVariant(), QVariant()}});
    const Report report(l, rows, kPrinted);
    ASSERT_EQ(report.pageCount(), 1);
    const ReportPage& page = report.pages()[0];

    EXPECT_EQ(findItem(page, QStringLiteral("QRSysData1"))->text, QStringLiteral("หน้า 1 / 1"));
    EXPECT_EQ(findItem(page, QStringLiteral("QRSysData2"))->text,
              QStringLiteral("Date Print : 05/11/2551 14:03:09"));
    EXPECT_EQ(findItem(page, QStringLiteral("QRLabel9")), nullptr);

    const PlacedItem* title = findItem(page, QStringLiteral("QRLabel3"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text, QStringLiteral("ใบเบิกสวัสดิการพนักงาน"));
    EXPECT_EQ(title->rectMm, QRectF(15, 22, 120, 9)); // below the 10 mm page header
    EXPECT_EQ(title->font, (ReportFont{QStringLiteral("Laksaman"), 16, true, false}));
    EXPECT_TRUE(title->framed);
    EXPECT_EQ(title->band, BandKind::Title);

    const PlacedItem* rule = findItem(page, QStringLiteral("QRShape1"));
    EXPECT_EQ(rule->shape, PlacedItem::Shape::Line);
    EXPECT_EQ(rule->rectMm, QRectF(QPointF(15, 41), QPointF(200, 41)));
    EXPECT_DOUBLE_EQ(rule->penMm, 0.5);

    // The title band's frame spans the body width.
    const auto frame = std::find_if(page.items.begin(), page.items.end(), [](const PlacedItem& it) {
        return it.shape == PlacedItem::Shape::Rect && it.band == BandKind::Title;
    });
    ASSERT_NE(frame, page.items.end());
    EXPECT_EQ(frame->rectMm, QRectF(15, 22, 185, 20));

    EXPECT_EQ(namedTexts(report, QStringLiteral("QRExpr1")),
              (QStringList{QStringLiteral("นายสมชาย  ใจดี (ตนเอง)"), QStringLiteral("ด.ญ.มะลิ  ใจดี ()")}));
    EXPECT_EQ(namedTexts(report, QStringLiteral("QRDBText5")),
              (QStringList{QStringLiteral("1,500.50"), QString()}));
    const PlacedItem* amount = findItem(page, QStringLiteral("QRDBText5"));
    EXPECT_EQ(amount->rectMm, QRectF(155, 42, 45, 7));
    EXPECT_EQ(amount->alignment, Align::Right);
    EXPECT_TRUE(amount->font.underline);
    EXPECT_EQ(page.bands.last().rectMm, QRectF(15, 49, 185, 7)); // second detail row
}

TEST(ReportLayout, RefusesLayoutsThatCannotPrint)
{
    const Rows rows({QStringLiteral("A")}, {{1}});
    ReportLayout missingColumn;
    missingColumn.detail.heightMm = 5;
    missingColumn.detail.add(ReportItem::expression({}, {0, 0, 10, 5}, QStringLiteral("[A]-[B]")));
    EXPECT_THROW(Report(missingColumn, rows, kPrinted), AppError);

    ReportLayout badMask;
    badMask.detail.heightMm = 5;
    badMask.detail.add(ReportItem::field({}, {0, 0, 10, 5}, QStringLiteral("A")).withMask(QStringLiteral("dd/mm")));
    EXPECT_THROW(Report(badMask, rows, kPrinted), AppError);

    ReportLayout tooTall;
    tooTall.pageFooter.heightMm = 10;
    tooTall.detail.heightMm = 270; // 277 mm of body less the footer leaves 267
    EXPECT_THROW(Report(tooTall, rows, kPrinted), AppError);
}

TEST(ReportLayout, EmptyDataPrintsOnePageWithZeroTotals)
{
    ReportLayout l;
    l.title.heightMm = 10;
    l.title.add(ReportItem::field(QStringLiteral("name"), {0, 0, 50, 8}, QStringLiteral("Fact_Name")));
    l.detail.heightMm = 7;
    l.detail.add(ReportItem::field({}, {0, 0, 50, 7}, QStringLiteral("Amount")));
    l.summary.heightMm = 8;
    l.summary.add(ReportItem::sum(QStringLiteral("total"), {0, 0, 50, 8}, QStringLiteral("Amount"),
                                  SumScope::Report).withMask(QStringLiteral("#,###.00")));

    for (const Rows& rows : {Rows({QStringLiteral("Fact_Name"), QStringLiteral("Amount")}, {}), Rows()}) {
        const Report report(l, rows, kPrinted);
        ASSERT_EQ(report.pageCount(), 1);
        EXPECT_EQ(report.pages()[0].texts(), (QStringList{QString(), QStringLiteral("0.00")}));
    }
}

TEST(ReportLayout, FullPageDetailGivesEachRowItsOwnPage)
{
    // The user letter: one detail band as tall as the body, one page per user.
    ReportLayout l;
    l.detail.heightMm = 277;
    l.detail.add(ReportItem::field(QStringLiteral("QRDBText1"), {150, 0, 40, 8}, QStringLiteral("ID")));
    l.detail.add(ReportItem::frame(QStringLiteral("QRShape2"), {0, 60, 190, 200}));
    const Rows rows({QStringLiteral("ID")}, {{1}, {2}, {5}});
    const Report report(l, rows, kPrinted);
    ASSERT_EQ(report.pageCount(), 3);
    EXPECT_EQ(namedTexts(report, QStringLiteral("QRDBText1")),
              (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}));
    for (const ReportPage& page : report.pages())
        EXPECT_EQ(findItem(page, QStringLiteral("QRShape2"))->rectMm, QRectF(10, 70, 190, 200));
}

TEST(ReportLayout, ShrinkingItemsPrintLongTextsSmallerDownToTheirLeastSize)
{
    // A name field 48 mm wide at 14 points: short names keep the size, a
    // long one prints just small enough to fit, a very long one stops at 70%.
    ReportLayout l;
    l.detail.heightMm = 8;
    l.detail.add(ReportItem::field(QStringLiteral("name"), {0, 0, 48, 8}, QStringLiteral("Name")).size(14).shrinking());
    l.detail.add(ReportItem::field(QStringLiteral("fixed"), {50, 0, 48, 8}, QStringLiteral("Name")).size(14));
    const QString shortName = QStringLiteral("นายสมชาย  ใจดี");
    const QString longName = QStringLiteral("นางสาวพรรณนิภา  วงศ์สวัสดิ์");
    const QString tooLong = longName + longName;
    const Rows rows({QStringLiteral("Name")}, {{shortName}, {longName}, {tooLong}});
    const Report report(l, rows, kPrinted);
    QVector<const PlacedItem*> names, fixed;
    for (const PlacedItem& it : report.pages()[0].items)
        (it.name == QLatin1String("name") ? names : fixed).append(&it);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names[0]->font.pointSize, 14);
    EXPECT_LT(names[1]->font.pointSize, 14);
    EXPECT_GT(names[1]->font.pointSize, 14 * 0.7);
    EXPECT_LE(printedWidthMm(longName, names[1]->font), 48);
    ReportFont halfStepLarger = names[1]->font;
    halfStepLarger.pointSize += 0.5;
    EXPECT_GT(printedWidthMm(longName, halfStepLarger), 48) << "shrunk no further than it needed";
    EXPECT_DOUBLE_EQ(names[2]->font.pointSize, 14 * 0.7);
    EXPECT_EQ(names[2]->text, tooLong) << "never cut, only smaller";
    for (const PlacedItem* f : fixed)
        EXPECT_EQ(f->font.pointSize, 14) << "items without shrinking keep their size";
}
