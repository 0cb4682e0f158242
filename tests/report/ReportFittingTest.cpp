#include "ReportChecks.h"
#include "common/report/Report.h"

#include <gtest/gtest.h>

using namespace wel;

namespace {

const QDateTime kPrinted(QDate(2008, 11, 5), QTime(9, 0, 0));

const PlacedItem& item(const ReportPage& page, const QString& name)
{
    for (const PlacedItem& it : page.items)
        if (it.name == name)
            return it;
    static const PlacedItem none;
    ADD_FAILURE() << "no item " << name.toStdString();
    return none;
}

Rows oneName(const QString& name)
{
    return Rows({QStringLiteral("Name")}, {{name}});
}

// A name box of 60 mm at 14 points with a caption beside it, a row below it
// and a frame around both rows.
ReportLayout nameBox()
{
    ReportLayout l;
    l.detail.heightMm = 16;
    l.detail.add(ReportItem::frame(QStringLiteral("box"), {0, 0, 150, 15}));
    l.detail.add(ReportItem::caption(QStringLiteral("caption"), {0, 0, 20, 7}, QStringLiteral("ข้าพเจ้า")));
    l.detail.add(ReportItem::field(QStringLiteral("name"), {20, 0, 60, 7}, QStringLiteral("Name")).size(14).fitting());
    l.detail.add(ReportItem::caption(QStringLiteral("beside"), {85, 0, 60, 7}, QStringLiteral("ตำแหน่ง")));
    l.detail.add(ReportItem::caption(QStringLiteral("below"), {0, 8, 60, 7}, QStringLiteral("สังกัด")));
    l.detail.add(ReportItem::caption(QStringLiteral("pinned"), {100, 8, 40, 7}, QStringLiteral("กล่อง")).stayingPut());
    return l;
}

} // namespace

// A name printed whole: at its size when it fits, smaller down to the floor,
// then wrapped with the rows below moved down and the frame grown with it.
TEST(ReportFitting, ShrinksToTheFloorThenWrapsAndTheBandGrows)
{
    const QString shortName = QStringLiteral("นายสมชาย  ใจดี");
    const QString slightlyLong = QStringLiteral("นางสาวศรีสุดารัตน์  ประเสริฐวงศ์ษา");
    const QString veryLong = QStringLiteral("นางสาวศรีสุดารัตน์วรรณประภาพร  ประเสริฐวงศ์ษาสกุลไทยวัฒนาพาณิชย์กุลชัย");
    ReportFont at14;
    at14.pointSize = 14;
    ASSERT_LE(printedWidthMm(shortName, at14), 60);
    ASSERT_GT(printedWidthMm(slightlyLong, at14), 60);
    ReportFont atFloor;
    atFloor.pointSize = kNameFloorPt;
    ASSERT_LE(printedWidthMm(slightlyLong, atFloor), 60) << "the case must shrink without wrapping";
    ASSERT_GT(printedWidthMm(veryLong, atFloor), 60) << "the case must wrap";

    const struct {
        QString name;
        bool smaller;
        bool wraps;
    } cases[] = {{shortName, false, false}, {slightlyLong, true, false}, {veryLong, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const Report r(nameBox(), oneName(c.name), kPrinted);
        ASSERT_EQ(r.pageCount(), 1);
        const ReportPage& page = r.pages().first();
        const PlacedItem& name = item(page, QStringLiteral("name"));
        EXPECT_EQ(name.text, c.name);
        EXPECT_EQ(name.font.pointSize < 14, c.smaller);
        EXPECT_GE(name.font.pointSize, kNameFloorPt);
        EXPECT_EQ(name.lines.size() > 1, c.wraps);
        EXPECT_EQ(test::cutTexts(r).join(u'|').toStdString(), "");
        EXPECT_EQ(test::overlappingTexts(r).join(u'|').toStdString(), "");

        const double grown = name.rectMm.height() - 7;
        EXPECT_EQ(grown > 0, c.wraps);
        EXPECT_DOUBLE_EQ(item(page, QStringLiteral("below")).rectMm.top(), name.rectMm.top() + 8 + grown);
        EXPECT_DOUBLE_EQ(item(page, QStringLiteral("beside")).rectMm.top(), name.rectMm.top()) << "stays on its line";
        EXPECT_DOUBLE_EQ(item(page, QStringLiteral("pinned")).rectMm.top(), name.rectMm.top() + 8);
        EXPECT_DOUBLE_EQ(item(page, QStringLiteral("box")).rectMm.height(), 15 + grown);
        EXPECT_DOUBLE_EQ(page.bands.first().rectMm.height(), 16 + grown);
    }
}

// A text without spaces longer than its box still breaks, never runs past it.
TEST(ReportFitting, AWordLongerThanTheBoxBreaksAnywhere)
{
    const QString word = QString(60, QChar(0x0E01)); // "กกกก..."
    const Report r(nameBox(), oneName(word), kPrinted);
    const PlacedItem& name = item(r.pages().first(), QStringLiteral("name"));
    ASSERT_GT(name.lines.size(), 1);
    EXPECT_EQ(name.lines.join(QString()), word);
    EXPECT_EQ(test::cutTexts(r).join(u'|').toStdString(), "");
}

// Grown bands still paginate: rows of wrapped names never run into the
// page footer, and every row prints once.
TEST(ReportFitting, GrownDetailBandsBreakPagesByTheirRealHeight)
{
    ReportLayout l;
    l.detail.heightMm = 7;
    l.detail.add(ReportItem::field(QStringLiteral("name"), {0, 0, 30, 7}, QStringLiteral("Name")).fitting());
    l.pageFooter.heightMm = 10;
    l.pageFooter.add(ReportItem::pageNumber(QStringLiteral("pageNo"), {0, 0, 40, 8}, QStringLiteral("%1/%2")));
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 60; ++i)
        data.append({QStringLiteral("นางสาวศรีสุดารัตน์วรรณประภา  ประเสริฐวงศ์ษาสกุล %1").arg(i)});
    const Report r(l, Rows({QStringLiteral("Name")}, data), kPrinted);
    int rows = 0;
    for (const ReportPage& page : r.pages()) {
        const double footerTop = item(page, QStringLiteral("pageNo")).rectMm.top();
        for (const PlacedItem& it : page.items)
            if (it.name == QLatin1String("name")) {
                ++rows;
                EXPECT_LE(it.rectMm.bottom(), footerTop + 1e-6) << it.text.toStdString();
            }
    }
    EXPECT_EQ(rows, 60);
    EXPECT_GT(r.pageCount(), 60 * 7 / 277 + 1) << "taller rows need more pages than one-line rows";
}

// A group's lines go to the next page with their header rather than open a
// page without it.
TEST(ReportFitting, AGroupKeptTogetherMovesWholeToTheNextPage)
{
    ReportLayout l;
    l.pageHeader.heightMm = 10;
    ReportGroup& g = l.addGroup(QStringLiteral("[Doc]"));
    g.header.heightMm = 10;
    g.header.add(ReportItem::field(QStringLiteral("doc"), {0, 0, 40, 8}, QStringLiteral("Doc")));
    l.detail.heightMm = 10;
    l.detail.add(ReportItem::field(QStringLiteral("line"), {10, 0, 40, 8}, QStringLiteral("Line")));
    // 267 mm below the page header: the first group takes 210 mm, the
    // second's header and four lines fit below it, its fifth does not.
    QVector<QVector<QVariant>> data;
    for (int i = 0; i < 20; ++i)
        data.append({QStringLiteral("A"), i});
    for (int i = 0; i < 5; ++i)
        data.append({QStringLiteral("B"), i});
    const Rows rows({QStringLiteral("Doc"), QStringLiteral("Line")}, data);

    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "kept together" : "header with its first line only");
        g.header.keepTogether = keep;
        const Report r(l, rows, kPrinted);
        ASSERT_EQ(r.pageCount(), 2);
        const ReportPage& second = r.pages()[1];
        // The first band below the page header of page 2.
        ASSERT_GE(second.bands.size(), 2);
        EXPECT_EQ(second.bands[1].kind == BandKind::GroupHeader, keep);
        int linesOfB = 0;
        for (const PlacedItem& it : second.items)
            linesOfB += it.name == QLatin1String("line") ? 1 : 0;
        EXPECT_EQ(linesOfB, keep ? 5 : 1);
    }
}

// Every page of a document that runs on says what it is and which page of how many.
TEST(ReportFitting, PageHeadingOnEveryPage)
{
    ReportLayout l;
    addPageHeading(l, ReportItem::expression(QStringLiteral("ident"), {}, QStringLiteral("ใบเบิกเลขที่ [Doc]")),
                   QStringLiteral("pageNo"), 12);
    l.detail.heightMm = 20;
    l.detail.add(ReportItem::field(QStringLiteral("line"), {0, 0, 40, 8}, QStringLiteral("Doc")));
    QVector<QVector<QVariant>> data(30, {QStringLiteral("SC2568/0000001")});
    const Report r(l, Rows({QStringLiteral("Doc")}, data), kPrinted);
    ASSERT_GE(r.pageCount(), 3);
    for (int p = 0; p < r.pageCount(); ++p) {
        const ReportPage& page = r.pages()[p];
        EXPECT_EQ(item(page, QStringLiteral("ident")).text, QStringLiteral("ใบเบิกเลขที่ SC2568/0000001"));
        EXPECT_EQ(item(page, QStringLiteral("pageNo")).text,
                  QStringLiteral("หน้า %1 / %2").arg(p + 1).arg(r.pageCount()));
    }
}

// Two names wrapping one below the other push the rows under both down by
// both growths (position and faculty on the claim form ran into its lines).
TEST(ReportFitting, GrowthsOfRowsOneBelowTheOtherAddUp)
{
    ReportLayout l;
    l.detail.heightMm = 21;
    l.detail.add(ReportItem::field(QStringLiteral("first"), {0, 0, 40, 7}, QStringLiteral("Name")).fitting());
    l.detail.add(ReportItem::field(QStringLiteral("second"), {0, 7, 40, 7}, QStringLiteral("Name")).fitting());
    l.detail.add(ReportItem::caption(QStringLiteral("third"), {0, 14, 40, 7}, QStringLiteral("สังกัด")));
    const Report r(l, oneName(QStringLiteral("ผู้ช่วยศาสตราจารย์ชำนาญการพิเศษ ผู้ช่วยศาสตราจารย์ชำนาญการพิเศษ")), kPrinted);
    const ReportPage& page = r.pages().first();
    const PlacedItem& first = item(page, QStringLiteral("first"));
    const PlacedItem& second = item(page, QStringLiteral("second"));
    ASSERT_GT(first.lines.size(), 1);
    EXPECT_DOUBLE_EQ(second.rectMm.top(), first.rectMm.bottom());
    EXPECT_DOUBLE_EQ(item(page, QStringLiteral("third")).rectMm.top(), second.rectMm.bottom());
    EXPECT_EQ(test::overlappingTexts(r).join(u'|').toStdString(), "");
}
