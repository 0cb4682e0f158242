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
