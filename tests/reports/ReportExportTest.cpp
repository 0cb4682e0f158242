#include "../excel/XlsxReadBack.h"
#include "ReportFixture.h"

#include "common/excel/Address.h"
#include "reports/ReportCatalog.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::reports;
using wel::test::TestDb;
using wel::test::XlsxReadBack;

namespace {

// The broadest choices of a report: "all" wherever offered, so that the
// fixture fills every grid.
Filters broadFilters(const ReportDescriptor& r, const LoginContext& login)
{
    Filters f = initialFilters(r, login);
    for (const FilterSpec& s : r.filters(login))
        for (const FilterOption& o : s.options)
            if (o.value == u"all")
                f[s.key] = o.value;
    if (r.id == u"education-claims")
        f[QStringLiteral("year")] = QStringLiteral("year:2552");
    // The histories are of one employee with claims of their kind.
    if (r.id == u"medical-history")
        f = {{QStringLiteral("employee"), QStringLiteral("kv:KV2550/000001")}, {QStringLiteral("year"), QStringLiteral("2551")}};
    if (r.id == u"copay-history")
        f = {{QStringLiteral("employee"), QStringLiteral("kv:KV2550/000002")}, {QStringLiteral("year"), QStringLiteral("2552")}};
    return f;
}

class ReportExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        WELMORA_NEED_DB();
        db = std::make_unique<TestDb>(TestDb::Reference);
        test::loadReportFixture(db->db());
    }
    std::unique_ptr<TestDb> db;
    QTemporaryDir dir;
    const LoginContext login = test::fixtureLogin();
};

} // namespace

// Every descriptor: the workbook carries the report's sheet, titles and
// print titles, the "No", count and amount cells as numbers, and every
// other cell as the text shown, identifiers with all their digits.
TEST_F(ReportExport, EveryDescriptorWritesNumbersOnlyWhereItSaysSo)
{
    int exported = 0;
    for (const ReportDescriptor& r : reportCatalog()) {
        // The education history needs receipts: EnquiryTest reads it back.
        if (!r.exportParams || r.id == u"education-history")
            continue;
        SCOPED_TRACE(r.id.toStdString());
        const Filters f = broadFilters(r, login);
        const ReportResult result = r.run(db->db(), f);
        ASSERT_FALSE(result.empty);
        const QString path = dir.filePath(r.id + QStringLiteral(".xlsx"));
        exportReport(r, result, f, login, path);
        const XlsxReadBack file(path);
        ASSERT_TRUE(file.ok());
        const excel::GridExportParams p = r.exportParams(f, login);
        EXPECT_EQ(file.sheetName(), p.sheetName);
        EXPECT_EQ(file.cell(QStringLiteral("A1")).value, p.title1);
        EXPECT_TRUE(file.printTitles().endsWith(u'!' + p.repeatRows)) << qPrintable(file.printTitles());
        const int firstData = 4 + int(result.headings.size());
        for (int c = 0; c < result.headings[0].size(); ++c)
            EXPECT_EQ(file.cell(excel::columnLetters(c + 1) + QString::number(4)).value, result.headings[0][c]);
        const QStringList& row = result.rows.first();
        for (int c = 0; c < row.size(); ++c) {
            if (row[c].isEmpty())
                continue;
            const QString ref = excel::columnLetters(c + 1) + QString::number(firstData);
            const auto look = file.cell(ref);
            bool numeric = false;
            for (const QString& span : r.numericColumns) {
                const excel::ColumnSpan s = excel::ColumnSpan::parse(span);
                numeric = numeric || (c + 1 >= s.first && c + 1 <= s.last);
            }
            // A numeric column may hold a word ("ไม่จำกัดวงเงิน"), which stays text.
            Money amount;
            numeric = numeric && Money::parse(row[c], &amount);
            EXPECT_EQ(look.isText, !numeric) << qPrintable(ref);
            if (!numeric)
                EXPECT_EQ(look.value, row[c]) << qPrintable(ref);
        }
        ++exported;
    }
    EXPECT_EQ(exported, 18); // every report but the enquiry on what the faculties sent
}

TEST_F(ReportExport, LayoutsOfTheSummariesAndListsReadBackAsDescribed)
{
    auto write = [&](const QString& id, const Filters& f) {
        const ReportDescriptor* r = findReport(id);
        EXPECT_NE(r, nullptr);
        const QString path = dir.filePath(id + QStringLiteral(".xlsx"));
        exportReport(*r, r->run(db->db(), f), f, login, path);
        return XlsxReadBack(path);
    };
    const Filters normal = {{QStringLiteral("status"), QStringLiteral("normal")}};

    // Month by faculty: merged leading headings, pairs centred across two
    // cells, counts and amounts formatted, a double line under the total.
    const XlsxReadBack months = write(QStringLiteral("claims-by-month-faculty"), normal);
    for (const char* block : {"A4:A5", "B4:B5", "C4:C5", "D4:D5"})
        EXPECT_TRUE(months.merges().contains(QString::fromLatin1(block))) << block;
    EXPECT_EQ(months.cell(QStringLiteral("E4")).hAlign, QStringLiteral("centerContinuous"));
    EXPECT_EQ(months.cell(QStringLiteral("E6")).numberFormat, QStringLiteral("#,##0;(#,##0)"));
    EXPECT_EQ(months.cell(QStringLiteral("F6")).numberFormat, QStringLiteral("#,##0.00_);(#,##0.00)"));
    EXPECT_EQ(months.cell(QStringLiteral("F6")).value.toDouble(), 1500);
    EXPECT_EQ(months.pageSetup(QStringLiteral("orientation")), QStringLiteral("landscape"));
    EXPECT_EQ(months.cell(QStringLiteral("A3")).value, QStringLiteral("ข้อมูล ณ วันที่ 20 มกราคม พ.ศ.2551"));
    const int last = 5 + 13; // 13 grid rows under two heading rows
    EXPECT_EQ(months.cell(QStringLiteral("N%1").arg(last)).bottom, QStringLiteral("double"));
    EXPECT_NEAR(months.columnWidth(4), 48, 0.01);

    // Claim register: titles beside each other, a thin closing line, the
    // twelfth column ruled like the others.
    const XlsxReadBack reg = write(QStringLiteral("claim-register"),
                                   {{QStringLiteral("entered"), QStringLiteral("all")},
                                    {QStringLiteral("claimed"), QStringLiteral("month:01/2551")},
                                    {QStringLiteral("faculty"), QStringLiteral("one:SC")},
                                    {QStringLiteral("status"), QStringLiteral("normal")}});
    EXPECT_EQ(reg.cell(QStringLiteral("A2")).value, QStringLiteral("วันที่บันทึกข้อมูล : ทั้งหมด"));
    EXPECT_EQ(reg.cell(QStringLiteral("D2")).value, QStringLiteral("เดือนที่เบิก : 01/2551"));
    EXPECT_EQ(reg.cell(QStringLiteral("H2")).value, QStringLiteral("สถานะใบเบิก : ปกติ"));
    EXPECT_EQ(reg.cell(QStringLiteral("A3")).value, QStringLiteral("หน่วยงาน : SC"));
    EXPECT_EQ(reg.cell(QStringLiteral("C5")).value, QStringLiteral("000123"));
    EXPECT_EQ(reg.cell(QStringLiteral("L7")).bottom, QStringLiteral("thin"));
    EXPECT_EQ(reg.cell(QStringLiteral("L4")).fill, QStringLiteral("FF9BCDE6"));
    EXPECT_EQ(reg.cell(QStringLiteral("H7")).value.toDouble(), 2600);

    // Employee list: citizen numbers with a leading zero stay text.
    const XlsxReadBack emps = write(QStringLiteral("employee-rights"), {{QStringLiteral("faculty"), QStringLiteral("one:SC")}});
    EXPECT_EQ(emps.cell(QStringLiteral("B5")).value, QStringLiteral("0123456789012"));
    EXPECT_TRUE(emps.cell(QStringLiteral("B5")).isText);
    EXPECT_FALSE(emps.cell(QStringLiteral("K5")).isText);
}
