// The grid export writes its rows one at a time; these tests hold it to the
// workbook the whole-grid layout makes, and to what a reader gets back.
#include "XlsxReadBack.h"

#include "common/AppError.h"
#include "common/excel/GridWriter.h"
#include "common/excel/WorkbookReader.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel::excel;
using wel::test::CellLook;
using wel::test::XlsxReadBack;

namespace {

QString thaiName(int i)
{
    static const QStringList first = {QStringLiteral("สมชาย"), QStringLiteral("ศรีสุดารัตน์"), QStringLiteral("ก้องเกียรติ"),
                                      QStringLiteral("ปิ่นแก้ว")};
    return first[i % first.size()] + QStringLiteral(" ใจดี");
}

// A register-like grid: a count, a claim number, a Thai name, a date kept as
// text, an amount typed with separators, a status; the total row last.
GridTable registerGrid(int rows, int headingRows = 1)
{
    GridTable g;
    g.headings << QStringList{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("ชื่อ"),
                              QStringLiteral("วันที่เบิก"), QStringLiteral("จำนวนเงิน"), QStringLiteral("สถานะ")};
    if (headingRows == 2)
        g.headings << QStringList{QString(), QString(), QStringLiteral("ตนเอง"), QString(), QStringLiteral("บาท"), QString()};
    for (int i = 0; i < rows; ++i)
        g.rows << QStringList{QString::number(i + 1), QStringLiteral("SC2568/%1").arg(i + 1, 7, 10, QLatin1Char('0')),
                              thaiName(i), QStringLiteral("'%1/01/2568").arg(i % 28 + 1, 2, 10, QLatin1Char('0')),
                              QStringLiteral("%L1.50").arg(1000 + 37 * i), i % 5 ? QStringLiteral("คณะ") : QString()};
    if (rows > 0) {
        QStringList total(6);
        total[2] = QStringLiteral("รวมจำนวนเงิน");
        total[4] = QStringLiteral("9,999,999.00");
        g.rows.last() = total;
    }
    return g;
}

GridExportParams registerParams(Closing closing, HeadingStyle heading)
{
    GridExportParams p;
    p.sheetName = QStringLiteral("ทะเบียน");
    p.lastColumn = QStringLiteral("F");
    p.title1 = QStringLiteral("รายงานใบเบิกสวัสดิการ ฯ");
    p.titleCells = {{QStringLiteral("D2"), QStringLiteral("ปีที่เบิก : 2568")}};
    p.headingStyle = heading;
    p.numberFormats = {{QStringLiteral("A"), countFormat()}};
    p.rightColumns = {QStringLiteral("E")};
    p.centreColumns = {QStringLiteral("A:B"), QStringLiteral("D")};
    p.columnWidths = {{QStringLiteral("A"), 5}, {QStringLiteral("B:F"), 9}};
    p.closing = closing;
    p.lastRowBottomLines = {QStringLiteral("E")};
    return p;
}

std::string describe(const CellLook& c)
{
    return QStringLiteral("exists=%1 text=%2 value=%3 format=%4 size=%5 colour=%6 fill=%7 align=%8/%9 lines=%10,%11,%12,%13")
        .arg(c.exists)
        .arg(c.isText)
        .arg(c.value, c.numberFormat)
        .arg(c.fontSize)
        .arg(c.fontColor, c.fill, c.hAlign, c.vAlign, c.left, c.right, c.top, c.bottom)
        .toStdString();
}

} // namespace

// Each data row takes the look of its place in a pattern of a few rows: the
// first row's top line, the line above the totals, the closing line and the
// formatted row under the data must land where the whole-grid layout puts
// them, for grids shorter and longer than the pattern, with one and two
// heading rows; and the columns widen to values met after the pattern.
TEST(StreamedExport, RowsLookAsTheWholeGridLayoutMakesThem)
{
    QTemporaryDir dir;
    const struct {
        Closing closing;
        HeadingStyle heading;
        int headingRows;
    } layouts[] = {{Closing::Double, HeadingStyle::Plain, 1}, {Closing::Thin, HeadingStyle::Coloured, 2}};
    for (const auto& l : layouts) {
        for (int rows : {0, 1, 2, 3, 4, 6, 7, 8, 9, 12, 40}) {
            SCOPED_TRACE(QStringLiteral("%1 rows, %2 heading rows").arg(rows).arg(l.headingRows).toStdString());
            GridTable grid = registerGrid(rows, l.headingRows);
            if (rows > 8)
                grid.rows[rows - 4][2] = QStringLiteral("ชื่อที่ยาวมากจนต้องขยายคอลัมน์ให้กว้างขึ้นอีก"); // after the pattern
            const GridExportParams p = registerParams(l.closing, l.heading);
            const QString whole = dir.filePath(QStringLiteral("whole-%1-%2.xlsx").arg(rows).arg(l.headingRows));
            buildGridSheet(grid, p).save(whole);
            const XlsxReadBack expected(whole);
            const XlsxReadBack streamed(exportGrid(grid, p, dir.filePath(QStringLiteral("s-%1-%2.xlsx").arg(rows).arg(l.headingRows))));
            ASSERT_TRUE(expected.ok() && streamed.ok());
            const int lastRow = 4 + l.headingRows + rows + 2;
            for (int r = 1; r <= lastRow; ++r)
                for (int c = 1; c <= 7; ++c) {
                    const QString ref = cellAddress(r, c);
                    EXPECT_EQ(describe(streamed.cell(ref)), describe(expected.cell(ref))) << ref.toStdString();
                }
            for (int c = 1; c <= 7; ++c)
                EXPECT_DOUBLE_EQ(streamed.columnWidth(c), expected.columnWidth(c)) << c;
            EXPECT_EQ(streamed.printTitles(), expected.printTitles());
            EXPECT_EQ(streamed.pageSetup(QStringLiteral("fitToPage")), QStringLiteral("1"));
            EXPECT_EQ(streamed.header(), expected.header());
        }
    }
}

// What a clerk opens is what the grid showed: thousands of rows of amounts,
// Thai names and dates come back cell for cell.
TEST(StreamedExport, ThousandsOfRowsReadBackEqual)
{
    QTemporaryDir dir;
    const GridTable grid = registerGrid(4000);
    const QString path = exportGrid(grid, registerParams(Closing::Double, HeadingStyle::Plain), dir.filePath(QStringLiteral("big.xlsx")));
    const SheetData sheet = readFirstSheet(path);
    ASSERT_GE(sheet.rowCount(), 4 + 4000);
    EXPECT_TRUE(sheet.cell(5 + 4000, 1).isEmpty());
    for (int i = 0; i < 4000; ++i) {
        const QStringList& row = grid.rows[i];
        for (int c = 0; c < row.size(); ++c) {
            QString want = row[c];
            if (want.startsWith(u'\''))
                want.remove(0, 1);
            else if (c == 4 && !want.isEmpty())
                want = QString::number(QString(want).remove(u',').toDouble(), 'g', 15); // a number, read back plain
            ASSERT_EQ(sheet.cell(5 + i, c + 1), want) << "row " << i << " column " << c;
        }
    }
}

// A worksheet holds 1,048,576 rows: the row that would not fit is refused
// with a message the clerk can act on, and no cut-short file is left behind.
TEST(StreamedExport, RefusesRowsPastTheLastRowOfASheetAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("too-many.xlsx"));
    GridExportParams p;
    p.lastColumn = QStringLiteral("A");
    p.numberFormats = {{QStringLiteral("A"), countFormat()}}; // formats the row under the data too
    QString message;
    int accepted = 0;
    {
        GridWriter writer({{QStringLiteral("No")}}, p, path);
        const QStringList row{QStringLiteral("1")};
        try {
            for (; accepted <= GridWriter::kSheetRows; ++accepted)
                writer.addRow(row);
        } catch (const wel::AppError& e) {
            message = e.message();
        }
    }
    EXPECT_TRUE(message.contains(QStringLiteral("1,048,576"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("แผ่นงาน Excel"))) << message.toStdString();
    // Titles and heading take rows 1 to 4, the line under the data one more.
    EXPECT_EQ(accepted, GridWriter::kSheetRows - 5);
    EXPECT_FALSE(QFileInfo::exists(path));
}
