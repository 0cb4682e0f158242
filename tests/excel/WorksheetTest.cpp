#include "XlsxReadBack.h"

#include "QtPrint.h"
#include "common/AppError.h"
#include "common/excel/WorkbookReader.h"
#include "common/excel/Worksheet.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel::excel;
using wel::test::XlsxReadBack;

TEST(ExcelTyping, TextsBecomeWhatTypingThemWouldMake)
{
    struct Case { const char* typed; TypedValue::Kind kind; double number; bool amount; const char* text; };
    const Case cases[] = {
        {"1,234.50", TypedValue::Number, 1234.5, true, ""},
        {"-2,000,000.00", TypedValue::Number, -2000000, true, ""},
        {"1234.5", TypedValue::Number, 1234.5, false, ""},
        {" 7 ", TypedValue::Number, 7, false, ""},
        {"0012", TypedValue::Number, 12, false, ""},
        {"'0012", TypedValue::Text, 0, false, "0012"},
        {"'1,234.50", TypedValue::Text, 0, false, "1,234.50"},
        {"05/01/2551", TypedValue::Text, 0, false, "05/01/2551"},
        {"12,34", TypedValue::Text, 0, false, "12,34"},
        {"1,2345.00", TypedValue::Text, 0, false, "1,2345.00"},
        {"คนไข้นอก", TypedValue::Text, 0, false, "คนไข้นอก"},
        {"-", TypedValue::Text, 0, false, "-"},
        {".5", TypedValue::Number, 0.5, false, ""},
        {"7.", TypedValue::Number, 7, false, ""},
        {"+1.5e3", TypedValue::Number, 1500, false, ""},
        {"1,234", TypedValue::Number, 1234, true, ""},
        {".", TypedValue::Text, 0, false, "."},
        {"1e", TypedValue::Text, 0, false, "1e"},
        {"e5", TypedValue::Text, 0, false, "e5"},
        {"1234,567", TypedValue::Text, 0, false, "1234,567"},
        {"1,234.5.6", TypedValue::Text, 0, false, "1,234.5.6"},
        {",123", TypedValue::Text, 0, false, ",123"},
        {"", TypedValue::Empty, 0, false, ""},
        {"'", TypedValue::Empty, 0, false, ""},
    };
    for (const Case& c : cases) {
        const TypedValue v = interpretTyped(QString::fromUtf8(c.typed));
        EXPECT_EQ(v.kind, c.kind) << c.typed;
        EXPECT_EQ(v.amount, c.amount) << c.typed;
        if (c.kind == TypedValue::Number)
            EXPECT_DOUBLE_EQ(v.number, c.number) << c.typed;
        else
            EXPECT_EQ(v.text, QString::fromUtf8(c.text)) << c.typed;
    }
}

TEST(ExcelWriter, ValuesAndThaiSheetNameReadBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ค่าเล่าเรียน.xlsx"));
    Worksheet sheet(QStringLiteral("ค่าเล่าเรียนบุตร"));
    sheet.setText(1, 1, QStringLiteral("ชื่อ-นามสกุล"));
    sheet.setText(1, 2, QStringLiteral("1,234.50"));
    sheet.setText(1, 3, QStringLiteral("'1234567890123"));
    sheet.setText(1, 4, QStringLiteral("05/01/2551"));
    sheet.setText(1, 5, QStringLiteral("42"));
    sheet.setText(2, 1, QStringLiteral("0.1"));
    sheet.setText(2, 2, QStringLiteral("39462"));
    sheet.setNumberFormat("B2", QStringLiteral("dd/mm/yyyy"));
    sheet.save(path);

    const SheetData read = readFirstSheet(path);
    EXPECT_EQ(read.name, QStringLiteral("ค่าเล่าเรียนบุตร"));
    EXPECT_EQ(read.cell("A1"), QStringLiteral("ชื่อ-นามสกุล"));
    EXPECT_EQ(read.cell("B1"), QStringLiteral("1234.5"));
    EXPECT_EQ(read.cell("C1"), QStringLiteral("1234567890123"));
    EXPECT_EQ(read.cell("D1"), QStringLiteral("05/01/2551"));
    EXPECT_EQ(read.cell("E1"), QStringLiteral("42"));
    EXPECT_EQ(read.cell("A2"), QStringLiteral("0.1"));
    // A date cell reads as the clerk sees it, in the Buddhist Era.
    EXPECT_EQ(read.cell("B2"), QStringLiteral("15/01/2551"));
    EXPECT_EQ(read.cell("F1"), QString());

    const XlsxReadBack file(path);
    ASSERT_TRUE(file.ok());
    EXPECT_FALSE(file.cell("B1").isText);
    EXPECT_EQ(file.cell("B1").numberFormat, amountFormat());
    EXPECT_TRUE(file.cell("C1").isText);
    EXPECT_EQ(file.cell("C1").value, QStringLiteral("1234567890123"));
    EXPECT_TRUE(file.cell("D1").isText);
    EXPECT_FALSE(file.cell("E1").isText);
    EXPECT_EQ(file.cell("E1").numberFormat, QStringLiteral("General"));
}

TEST(ExcelWriter, RangeFormattingAccumulatesPerCell)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("look.xlsx"));
    Worksheet sheet(QStringLiteral("Report"));
    sheet.setRowFontSize(4, 12); // before and after the cells of the row exist
    sheet.setText(4, 1, QStringLiteral("No"));
    sheet.setText(4, 2, QStringLiteral("ชื่อ"));
    sheet.setText(1, 1, QStringLiteral("หัวเรื่อง"));
    sheet.setText(1, 2, QStringLiteral("หายไปเมื่อผสาน"));
    sheet.merge("A1:C1");
    sheet.setHorizontalAlignment("A1:C1", HAlign::Centre);
    sheet.setVerticalAlignment("A1:C1", VAlign::Centre);
    sheet.setFontColor("A1", excelRgb(12, 5, 143));
    sheet.setFill("A4:C4", excelRgb(155, 205, 230));
    sheet.setBorders("A4:C6", AllLines);
    sheet.setBorders("A6:C6", EdgeBottom, Line::Double);
    sheet.setNumberFormat("C5:C6", countFormat());
    sheet.setText(5, 3, QStringLiteral("1500"));
    sheet.setHorizontalAlignment("A2:C2", HAlign::CentreAcross);
    sheet.setRowAlignment(5, HAlign::Right);
    sheet.setColumnWidth(QStringLiteral("A:A"), 4.5);
    sheet.setColumnWidth(QStringLiteral("B:C"), 13);
    PageSetup& page = sheet.pageSetup();
    page.orientation = Orientation::Landscape;
    page.leftMargin = 20;
    page.topMargin = 70;
    page.headerMargin = 20;
    page.leftHeader = QStringLiteral("Page &P From &N");
    page.rightHeader = QStringLiteral("(Emp001)");
    page.rightFooter = QStringLiteral("&D &T");
    page.setPrintTitleRows(QStringLiteral("$1:$5"));
    sheet.save(path);

    const XlsxReadBack file(path);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file.merges(), QStringList{QStringLiteral("A1:C1")});
    EXPECT_EQ(file.cell("A1").value, QStringLiteral("หัวเรื่อง"));
    EXPECT_EQ(file.cell("B1").value, QString());
    EXPECT_EQ(file.cell("A1").hAlign, QStringLiteral("center"));
    EXPECT_EQ(file.cell("C1").vAlign, QStringLiteral("center"));
    EXPECT_EQ(file.cell("A1").fontColor, QStringLiteral("FF0C058F"));
    EXPECT_EQ(file.cell("B2").hAlign, QStringLiteral("centerContinuous"));

    const auto a4 = file.cell("A4");
    EXPECT_DOUBLE_EQ(a4.fontSize, 12);
    EXPECT_DOUBLE_EQ(file.cell("B4").fontSize, 12);
    EXPECT_EQ(a4.fill, QStringLiteral("FF9BCDE6"));
    EXPECT_EQ(a4.left, QStringLiteral("thin"));
    EXPECT_EQ(a4.right, QStringLiteral("thin"));  // inside vertical
    EXPECT_EQ(a4.bottom, QStringLiteral("thin")); // inside horizontal
    EXPECT_EQ(file.cell("C5").right, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("C5").hAlign, QStringLiteral("right"));
    EXPECT_EQ(file.cell("C5").numberFormat, countFormat());
    // The later double bottom replaces the thin one, the other sides stay.
    EXPECT_EQ(file.cell("B6").bottom, QStringLiteral("double"));
    EXPECT_EQ(file.cell("B6").top, QStringLiteral("thin"));
    EXPECT_EQ(file.cell("C6").numberFormat, countFormat());

    EXPECT_NEAR(file.columnWidth(1), 4.5, 0.1);
    EXPECT_NEAR(file.columnWidth(3), 13, 0.1);
    EXPECT_EQ(file.pageSetup(QStringLiteral("orientation")), QStringLiteral("landscape"));
    EXPECT_EQ(file.pageSetup(QStringLiteral("paperSize")), QStringLiteral("9"));
    EXPECT_NEAR(file.marginPoints(QStringLiteral("left")), 20, 0.01);
    EXPECT_NEAR(file.marginPoints(QStringLiteral("top")), 70, 0.01);
    EXPECT_NEAR(file.marginPoints(QStringLiteral("header")), 20, 0.01);
    EXPECT_EQ(file.header(), QStringLiteral("&LPage &P From &N&R(Emp001)"));
    EXPECT_EQ(file.footer(), QStringLiteral("&R&D &T"));
    EXPECT_EQ(file.printTitles(), QStringLiteral("Report!$1:$5"));
}

TEST(ExcelWriter, RefusesBadAddressesAndUnwritablePlaces)
{
    Worksheet sheet(QStringLiteral("ก[1]:?"));
    EXPECT_EQ(sheet.name(), QStringLiteral("ก_1___"));
    EXPECT_THROW(sheet.setFill("A0", excelRgb(255, 255, 255)), wel::AppError);
    EXPECT_THROW(sheet.setBorders("1A:B2", Outline), wel::AppError);
    sheet.merge("A1:B2");
    EXPECT_THROW(sheet.merge("B2:C3"), wel::AppError);
    try {
        sheet.save(QStringLiteral("/proc/welmora/out.xlsx"));
        FAIL() << "saved into /proc";
    } catch (const wel::AppError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("ไม่สามารถบันทึกแฟ้ม Excel ได้"))) << e.what();
    }
}
