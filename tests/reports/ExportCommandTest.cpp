#include "../excel/XlsxReadBack.h"
#include "AdminRun.h"
#include "ReportFixture.h"

#include "common/excel/Address.h"
#include "reports/ReportCatalog.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel;
using wel::test::TestDb;
using wel::test::admin;
using wel::test::XlsxReadBack;

// The command writes the workbook the screen's button writes for the same
// choices, cell for cell.
TEST(ExportCommand, WritesTheScreensWorkbookAndListsTheReports)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Reference);
    test::loadReportFixture(t.db());
    QTemporaryDir dir;
    const QString cli = dir.filePath(QStringLiteral("cli.xlsx"));
    const auto [code, output] = admin({QStringLiteral("export"), QStringLiteral("claim-register"), QStringLiteral("--db"),
                                       t.url().display(), QStringLiteral("entered=all"), QStringLiteral("claimed=month:01/2551"),
                                       QStringLiteral("faculty=one:SC"), QStringLiteral("--xlsx"), cli});
    ASSERT_EQ(code, 0) << output.toStdString();

    const reports::ReportDescriptor* r = reports::findReport(QStringLiteral("claim-register"));
    ASSERT_NE(r, nullptr);
    reports::Filters f = reports::initialFilters(*r, test::fixtureLogin());
    f[QStringLiteral("entered")] = QStringLiteral("all");
    f[QStringLiteral("claimed")] = QStringLiteral("month:01/2551");
    f[QStringLiteral("faculty")] = QStringLiteral("one:SC");
    const QString screen = dir.filePath(QStringLiteral("screen.xlsx"));
    reports::exportReport(*r, r->run(t.db(), f), f, test::fixtureLogin(), screen);

    const XlsxReadBack a(cli), b(screen);
    ASSERT_TRUE(a.ok());
    ASSERT_TRUE(b.ok());
    EXPECT_EQ(a.cell(QStringLiteral("B5")).value, QStringLiteral("SC2551/0000002"));
    for (int row = 1; row <= 9; ++row)
        for (int col = 1; col <= 12; ++col) {
            const QString ref = excel::columnLetters(col) + QString::number(row);
            const auto x = a.cell(ref), y = b.cell(ref);
            EXPECT_EQ(x.value, y.value) << qPrintable(ref);
            EXPECT_EQ(x.isText, y.isText) << qPrintable(ref);
            EXPECT_EQ(x.numberFormat, y.numberFormat) << qPrintable(ref);
            EXPECT_EQ(x.bottom, y.bottom) << qPrintable(ref);
        }

    const auto [listCode, list] = admin({QStringLiteral("export"), QStringLiteral("--list")});
    EXPECT_EQ(listCode, 0);
    for (const reports::ReportDescriptor& d : reports::reportCatalog())
        EXPECT_EQ(list.contains(d.id + QStringLiteral("  (")), bool(d.exportParams)) << d.id.toStdString();
    EXPECT_TRUE(list.contains(QStringLiteral("claimed=date:VALUE|month:VALUE|year:VALUE|all")));

    const auto [badCode, bad] = admin({QStringLiteral("export"), QStringLiteral("claim-register"), QStringLiteral("--db"),
                                       t.url().display(), QStringLiteral("colour=red"), QStringLiteral("--xlsx"), cli});
    EXPECT_EQ(badCode, 2);
    EXPECT_TRUE(bad.contains(QStringLiteral("unknown filter: colour=red")));
}

// A mistyped filter value used to export every row (status=bogus) or
// nothing without a word (month:13/2570); an empty export wrote a workbook
// of headings only.
TEST(ExportCommand, RefusesUnknownValuesAndWritesNoEmptyWorkbook)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::Reference);
    test::loadReportFixture(t.db());
    QTemporaryDir dir;
    const QString xlsx = dir.filePath(QStringLiteral("out.xlsx"));
    const QString claimed = QStringLiteral("date:VALUE|month:VALUE|year:VALUE|all");
    struct Case { QString arg; QString message; };
    const Case cases[] = {
        {QStringLiteral("status=bogus"),
         QStringLiteral("ค่า status=bogus ไม่ถูกต้อง (ไม่มีในตัวเลือก) ค่าที่ใช้ได้: status=all|normal|cancelled")},
        {QStringLiteral("claimed=month:13/2570"),
         QStringLiteral("ค่า claimed=month:13/2570 ไม่ถูกต้อง (เดือนต้องเป็น ดด/ปปปป เดือน 01 ถึง 12 ปี พ.ศ.) ค่าที่ใช้ได้: claimed=")
             + claimed},
        {QStringLiteral("claimed=date:31/02/2570"),
         QStringLiteral("ค่า claimed=date:31/02/2570 ไม่ถูกต้อง (วันที่ต้องเป็น วว/ดด/ปปปป ปี พ.ศ. ที่มีจริง) ค่าที่ใช้ได้: claimed=")
             + claimed},
        {QStringLiteral("claimed=year:2019"),
         QStringLiteral("ค่า claimed=year:2019 ไม่ถูกต้อง (ปีต้องเป็น พ.ศ. 4 หลัก) ค่าที่ใช้ได้: claimed=") + claimed},
        {QStringLiteral("claimed=month"),
         QStringLiteral("ค่า claimed=month ไม่ถูกต้อง (ตัวเลือก month ต้องมีค่าต่อท้าย) ค่าที่ใช้ได้: claimed=") + claimed},
        {QStringLiteral("entered=all:x"),
         QStringLiteral("ค่า entered=all:x ไม่ถูกต้อง (ตัวเลือก all ไม่มีค่าต่อท้าย) ค่าที่ใช้ได้: entered=")},
        {QStringLiteral("faculty=one:SCX"), QStringLiteral("ค่า faculty=one:SCX ไม่ถูกต้อง (ยาวเกิน 2 ตัวอักษร)")},
    };
    for (const Case& c : cases) {
        const auto [code, output] = admin({QStringLiteral("export"), QStringLiteral("claim-register"), QStringLiteral("--db"),
                                           t.url().display(), c.arg, QStringLiteral("--xlsx"), xlsx});
        EXPECT_EQ(code, 1) << c.arg.toStdString();
        EXPECT_TRUE(output.contains(c.message)) << output.toStdString();
        EXPECT_FALSE(QFile::exists(xlsx)) << c.arg.toStdString();
    }

    const auto [code, output] = admin({QStringLiteral("export"), QStringLiteral("claim-register"), QStringLiteral("--db"),
                                       t.url().display(), QStringLiteral("entered=all"),
                                       QStringLiteral("claimed=month:01/2690"), QStringLiteral("--xlsx"), xlsx});
    EXPECT_EQ(code, 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("ไม่พบข้อมูลที่ต้องการ: no rows"))) << output.toStdString();
    EXPECT_FALSE(QFile::exists(xlsx));
}
