#include "QtPrint.h"
#include "XlsxReadBack.h"

#include "common/excel/GridExport.h"
#include "common/excel/WorkbookReader.h"
#include "common/widgets/GridExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTableWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel::excel;
using wel::test::XlsxReadBack;

namespace {

QStringList claimRow(const QString& no, const QString& self, const QString& date)
{
    return {no, QStringLiteral("FA2551/0000001"), QStringLiteral("คนไข้นอก"), self,
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0"), date, QStringLiteral("คณะ")};
}

// The medical history export: three claim lines and the two total rows.
GridTable medicalHistory()
{
    GridTable grid;
    grid.headings << QStringList{QStringLiteral("No"), QStringLiteral("เลขที่เบิก"), QStringLiteral("ประเภทคนไข้"),
                                 QStringLiteral("ตนเอง"), QStringLiteral("บิดา"), QStringLiteral("มารดา"),
                                 QStringLiteral("คู่สมรส"), QStringLiteral("บุตรลำดับ 1"), QStringLiteral("บุตรลำดับ 2"),
                                 QStringLiteral("บุตรลำดับ 3"), QStringLiteral("วันที่เบิก"), QStringLiteral("สถานะใบเบิก")};
    grid.rows << claimRow(QStringLiteral("1"), QStringLiteral("1,500.00"), QStringLiteral("'15/01/2551"))
              << claimRow(QStringLiteral("2"), QStringLiteral("250.00"), QStringLiteral("'20/01/2551"))
              << claimRow(QStringLiteral("3"), QStringLiteral("1,000.00"), QStringLiteral("'03/02/2551"));
    QStringList total(12), grand(12);
    total[0] = QStringLiteral("รวม");
    total[3] = QStringLiteral("2,750.00");
    grand[6] = QStringLiteral("รวมทั้งสิ้น");
    grand[7] = QStringLiteral("2,750.00");
    grid.rows << total << grand;
    return grid;
}

GridExportParams medicalParams()
{
    GridExportParams p;
    p.sheetName = QStringLiteral("พนักงาน");
    p.lastColumn = QStringLiteral("L");
    p.title1 = QStringLiteral("มหาวิทยาลัยVelmarn");
    p.title2 = QStringLiteral("รายงานประวัติการเบิกค่ารักษาพยาบาล ณ วันที่ 5 มกราคม พ.ศ.2551");
    p.title3 = QStringLiteral("รหัสประจำตัวพนักงาน : 001  ชื่อ-นามสกุล :นายสมชาย ใจดี  ตำแหน่ง :อาจารย์");
    p.headingStyle = HeadingStyle::Plain;
    p.headingInnerHorizontals = true;
    p.orientation = Orientation::Landscape;
    p.numberFormats = {{QStringLiteral("D:J"), amountFormat()}};
    p.rightColumns = {QStringLiteral("D:J")};
    p.centreColumns = {QStringLiteral("A:C"), QStringLiteral("K")};
    p.columnWidths = {{QStringLiteral("A"), 4.5}, {QStringLiteral("B"), 13}, {QStringLiteral("C"), 12},
                      {QStringLiteral("D:J"), 11.5}, {QStringLiteral("K"), 11}, {QStringLiteral("L"), 11}};
    p.repeatRows = QStringLiteral("$1:$5");
    p.closing = Closing::Double;
    return p;
}

} // namespace

TEST(GridExport, MedicalHistoryLayout)
{
    QTemporaryDir dir;
    const QString path = exportGrid(medicalHistory(), medicalParams(), dir.filePath(QStringLiteral("h.xlsx")));
    const XlsxReadBack file(path);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.sheetName(), QStringLiteral("พนักงาน"));

    // Titles.
    EXPECT_EQ(file.cell("A1").value, QStringLiteral("มหาวิทยาลัยVelmarn"));
    EXPECT_DOUBLE_EQ(file.cell("A1").fontSize, 16);
    EXPECT_DOUBLE_EQ(file.cell("A3").fontSize, 14);
    EXPECT_EQ(file.cell("A2").fontColor, QStringLiteral("FF0C058F"));
    for (const char* ref : {"A1", "F1", "L1"})
        EXPECT_EQ(file.cell(ref).hAlign, QStringLiteral("centerContinuous")) << ref;

    // Heading row 4: outer edges and inner verticals.
    EXPECT_EQ(file.cell("D4").value, QStringLiteral("ตนเอง"));
    EXPECT_DOUBLE_EQ(file.cell("D4").fontSize, 12);
    EXPECT_EQ(file.cell("D4").hAlign, QStringLiteral("center"));
    for (const char* ref : {"A4", "E4", "L4"}) {
        const auto c = file.cell(ref);
        EXPECT_EQ(c.left + c.right + c.top + c.bottom, QStringLiteral("thinthinthinthin")) << ref;
    }

    // Data rows 5 to 9: thin line under row 7, double under row 9, no
    // lines between the claim lines.
    EXPECT_EQ(file.cell("A5").value, QStringLiteral("1"));
    EXPECT_EQ(file.cell("A5").hAlign, QStringLiteral("center"));
    EXPECT_EQ(file.cell("D5").value, QStringLiteral("1500"));
    EXPECT_FALSE(file.cell("D5").isText);
    EXPECT_EQ(file.cell("D5").numberFormat, amountFormat());
    EXPECT_EQ(file.cell("D5").hAlign, QStringLiteral("right"));
    EXPECT_TRUE(file.cell("K5").isText);
    EXPECT_EQ(file.cell("K5").value, QStringLiteral("15/01/2551"));
    EXPECT_EQ(file.cell("K5").hAlign, QStringLiteral("center"));
    EXPECT_EQ(file.cell("B5").fill, QStringLiteral("FFFFFFFF"));
    EXPECT_DOUBLE_EQ(file.cell("B5").fontSize, 12);
    EXPECT_EQ(file.cell("A5").left, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("A5").top, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("F6").right, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("L8").right, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("C5").bottom, QString());
    EXPECT_EQ(file.cell("C6").bottom, QString());
    for (const char* ref : {"A7", "G7", "L7"})
        EXPECT_EQ(file.cell(ref).bottom, QStringLiteral("thin")) << ref;
    EXPECT_EQ(file.cell("C8").bottom, QString());
    for (const char* ref : {"A9", "G9", "L9"})
        EXPECT_EQ(file.cell(ref).bottom, QStringLiteral("double")) << ref;
    EXPECT_EQ(file.cell("G9").value, QStringLiteral("รวมทั้งสิ้น"));
    EXPECT_EQ(file.cell("H9").value, QStringLiteral("2750"));
    // Formats reach one row past the data; borders do not.
    EXPECT_EQ(file.cell("J10").numberFormat, amountFormat());
    EXPECT_EQ(file.cell("J10").hAlign, QStringLiteral("right"));
    EXPECT_EQ(file.cell("J10").left, QString());

    EXPECT_NEAR(file.columnWidth(1), 4.5, 0.1);
    EXPECT_GT(file.columnWidth(2), 13) << "FA2551/0000001 at 12 points is wider than 13 characters";
    EXPECT_NEAR(file.columnWidth(7), 11.5, 0.1);
    EXPECT_NEAR(file.columnWidth(12), 11, 0.1);
    EXPECT_EQ(file.pageSetup(QStringLiteral("orientation")), QStringLiteral("landscape"));
    EXPECT_EQ(file.pageSetup(QStringLiteral("paperSize")), QStringLiteral("9"));
    EXPECT_NEAR(file.marginPoints(QStringLiteral("right")), 20, 0.01);
    EXPECT_NEAR(file.marginPoints(QStringLiteral("bottom")), 45, 0.01);
    EXPECT_NEAR(file.marginPoints(QStringLiteral("footer")), 20, 0.01);
    EXPECT_EQ(file.header(), QStringLiteral("&LPage &P From &N&R(Emp001)"));
    EXPECT_EQ(file.footer(), QStringLiteral("&R&D &T"));
    EXPECT_TRUE(file.printTitles().endsWith(QStringLiteral("!$1:$5"))) << qPrintable(file.printTitles());

    // The workbook reads back through the import side.
    const SheetData read = readFirstSheet(path);
    EXPECT_EQ(read.rowsUntilEmptyKey(5, 1, 4).size(), 4); // row 9's A is empty
}

TEST(GridExport, ColouredHeadingThinClosingAndTwoHeadingRows)
{
    GridTable grid;
    grid.headings << QStringList{QStringLiteral("No"), QStringLiteral("ชื่อ"), QStringLiteral("ประเภท 1"), QString()}
                  << QStringList{QString(), QString(), QStringLiteral("จำนวนคน"), QStringLiteral("จำนวนเงิน ")};
    grid.rows << QStringList{QStringLiteral("1"), QStringLiteral("ก"), QStringLiteral("2"), QStringLiteral("3,000.00")}
              << QStringList{QStringLiteral("2"), QStringLiteral("ข"), QStringLiteral("1"), QStringLiteral("500.00")};
    GridExportParams p;
    p.sheetName = QStringLiteral("พนักงาน");
    p.lastColumn = QStringLiteral("D");
    p.title1 = QStringLiteral("รายงานสถานภาพพนักงาน");
    p.headingStyle = HeadingStyle::Coloured;
    p.headingInnerHorizontals = true;
    p.headingCentreAcross = {QStringLiteral("C4:D4")};
    p.numberFormats = {{QStringLiteral("C"), countFormat()}, {QStringLiteral("D"), amountFormat()}};
    p.repeatRows = QStringLiteral("$1:$4");
    p.closing = Closing::Thin;
    QTemporaryDir dir;
    const XlsxReadBack file(exportGrid(grid, p, dir.filePath(QStringLiteral("two.xlsx"))));
    ASSERT_TRUE(file.ok());

    EXPECT_EQ(file.cell("C5").value, QStringLiteral("จำนวนคน"));
    EXPECT_EQ(file.cell("A6").value, QStringLiteral("1"));
    EXPECT_EQ(file.cell("C4").hAlign, QStringLiteral("centerContinuous"));
    EXPECT_EQ(file.cell("D4").hAlign, QStringLiteral("centerContinuous"));
    for (const char* ref : {"A4", "D5"}) {
        EXPECT_EQ(file.cell(ref).fill, QStringLiteral("FF9BCDE6")) << ref;
        EXPECT_EQ(file.cell(ref).fontColor, QStringLiteral("FF0C058F")) << ref;
    }
    EXPECT_EQ(file.cell("B4").bottom, QStringLiteral("thin")); // between the two heading rows
    EXPECT_EQ(file.cell("B6").bottom, QString());
    EXPECT_EQ(file.cell("B7").bottom, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("C6").numberFormat, countFormat());
    EXPECT_EQ(file.cell("D7").numberFormat, amountFormat());
    EXPECT_EQ(file.cell("D5").numberFormat, QStringLiteral("General"));
    EXPECT_TRUE(file.printTitles().endsWith(QStringLiteral("!$1:$4")));
    EXPECT_EQ(file.pageSetup(QStringLiteral("orientation")), QStringLiteral("portrait"));
}

TEST(GridExport, TableWidgetGivesHeadingsAndRowsAsShown)
{
    QTableWidget grid(3, 3);
    grid.setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("ชื่อ"), QStringLiteral("วงเงิน")});
    grid.setItem(0, 0, new QTableWidgetItem(QStringLiteral("1")));
    grid.setItem(0, 2, new QTableWidgetItem(QStringLiteral("20,000")));
    grid.setItem(2, 1, new QTableWidgetItem(QStringLiteral("'0123")));
    grid.setColumnHidden(1, true);

    const GridTable one = wel::gridTableOf(grid);
    ASSERT_EQ(one.headings.size(), 1);
    EXPECT_EQ(one.headings[0], (QStringList{QStringLiteral("No"), QStringLiteral("ชื่อ"), QStringLiteral("วงเงิน")}));
    ASSERT_EQ(one.rows.size(), 3);
    EXPECT_EQ(one.rows[0], (QStringList{QStringLiteral("1"), QString(), QStringLiteral("20,000")}));
    EXPECT_EQ(one.rows[2][1], QStringLiteral("'0123"));

    const GridTable two = wel::gridTableOf(grid, 2);
    ASSERT_EQ(two.headings.size(), 2);
    EXPECT_EQ(two.headings[1], one.rows[0]);
    EXPECT_EQ(two.rows.size(), 2);
}

TEST(GridExport, NewFilesInTheExportFolderNeverReplaceOldOnes)
{
    QTemporaryDir dir;
    qputenv("WELMORA_EXPORT_DIR", QFile::encodeName(dir.filePath(QStringLiteral("ออก"))));
    GridExportParams p = medicalParams();
    p.sheetName = QStringLiteral("ค่า/เล่าเรียน");
    const QString first = exportGrid(medicalHistory(), p);
    const QString second = exportGrid(medicalHistory(), p);
    qunsetenv("WELMORA_EXPORT_DIR");

    EXPECT_NE(first, second);
    for (const QString& path : {first, second}) {
        const QFileInfo info(path);
        EXPECT_TRUE(info.exists()) << path.toStdString();
        EXPECT_EQ(info.dir().dirName(), QStringLiteral("ออก"));
        EXPECT_TRUE(info.fileName().endsWith(QStringLiteral(".xlsx")));
        EXPECT_EQ(readFirstSheet(path).name, QStringLiteral("ค่า_เล่าเรียน"));
    }
}

// Claim numbers and dates at 12 points were cut in the reports'
// 13-character columns, and a wide register printed two pages across:
// each column is at least as wide as its longest value at its size (a
// digit of the 11-point default font per letter), and the sheet prints
// one page across, as many down as it needs.
TEST(GridExport, ColumnsFitTheirLongestValueAndTheSheetOnePageAcross)
{
    const QString name = QStringLiteral("นางสาวศรีสุดารัตน์  ประเสริฐวงศ์ษาสกุล");
    GridTable grid;
    grid.headings << QStringList{QStringLiteral("No"), QStringLiteral("เลขที่ใบเบิก"), QStringLiteral("วันที่เบิก"),
                                 QStringLiteral("ชื่อ"), QStringLiteral("จำนวนเงิน")};
    grid.rows << QStringList{QStringLiteral("1"), QStringLiteral("SC2568/0000001"), QStringLiteral("'15/01/2568"), name,
                             QStringLiteral("1,234,567.50")}
              << QStringList{QStringLiteral("2"), QStringLiteral("SC2568/0000002"), QStringLiteral("'16/01/2568"),
                             QStringLiteral("นาย ก"), QStringLiteral("5.00")};
    GridExportParams p;
    p.sheetName = QStringLiteral("ทะเบียน");
    p.lastColumn = QStringLiteral("E");
    p.numberFormats = {{QStringLiteral("E"), amountFormat()}};
    p.columnWidths = {{QStringLiteral("A"), 4.5}, {QStringLiteral("B:E"), 9}};
    QTemporaryDir dir;
    const XlsxReadBack file(exportGrid(grid, p, dir.filePath(QStringLiteral("wide.xlsx"))));
    ASSERT_TRUE(file.ok());

    auto letters = [](const QString& s) {
        int n = 0;
        for (QChar c : s)
            n += c.isMark() ? 0 : 1;
        return n;
    };
    const struct {
        int column;
        QString longest;
    } columns[] = {{2, QStringLiteral("SC2568/0000001")}, {3, QStringLiteral("15/01/2568")}, {4, name},
                   {5, QStringLiteral("1,234,567.50")}};
    for (const auto& c : columns)
        EXPECT_GE(file.columnWidth(c.column), letters(c.longest) * 12.0 / 11.0) << c.longest.toStdString();
    EXPECT_NEAR(file.columnWidth(1), 4.5, 0.1) << "a column its values fit keeps its width";
    EXPECT_EQ(file.pageSetup(QStringLiteral("fitToPage")), QStringLiteral("1"));
    EXPECT_EQ(file.pageSetup(QStringLiteral("fitToHeight")), QStringLiteral("0"));
    EXPECT_TRUE(QStringList({QString(), QStringLiteral("1")}).contains(file.pageSetup(QStringLiteral("fitToWidth"))));
}
