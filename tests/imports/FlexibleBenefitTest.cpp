#include "ImportFixture.h"
#include "personnel/FlexibleBenefit.h"

using namespace wel;
using namespace wel::test;
namespace FB = wel::FlexibleBenefit;

namespace {

// The recorded side of flexben.xlsx, in the budget year of the log-in.
void addApplicants(Database& db, const QString& year)
{
    addEmployee(db, QStringLiteral("KV2567/000951"), QString(), QStringLiteral("3300000000001"), QStringLiteral("มีวงเงิน"),
                QStringLiteral("พอใช้"), QStringLiteral("SC"), QStringLiteral("2"));
    addYearRow(db, QStringLiteral("KV2567/000951"), year, 20000, 10000);
    addEmployee(db, QStringLiteral("KV2567/000952"), QString(), QStringLiteral("3300000000002"), QStringLiteral("ใช้วงเงิน"),
                QStringLiteral("เกือบหมด"), QStringLiteral("SC"), QStringLiteral("2"));
    addYearRow(db, QStringLiteral("KV2567/000952"), year, 20000, 18000);
    addEmployee(db, QStringLiteral("KV2567/000953"), QString(), QStringLiteral("3300000000003"), QStringLiteral("ยังไม่มี"),
                QStringLiteral("แถวปี"), QStringLiteral("SC"), QStringLiteral("3"));
    // Same name as the fourth applicant, another identity number.
    addEmployee(db, QStringLiteral("KV2567/000954"), QString(), QStringLiteral("3300000000999"), QStringLiteral("ชื่อตรง"),
                QStringLiteral("เลขไม่ตรง"), QStringLiteral("SC"), QStringLiteral("1"));
}

imports::SheetRows without(imports::SheetRows rows, QList<int> gridRows)
{
    std::sort(gridRows.rbegin(), gridRows.rend());
    for (int i : gridRows) {
        rows.grid.removeAt(i);
        rows.sheetRows.removeAt(i);
    }
    return rows;
}

Money yearMoney(Database& db, const QString& kvId, const QString& year, const char* column)
{
    return db.select(QStringLiteral("SELECT * FROM T_Year_Cur_Health WHERE KV_ID = ? AND Pay_Year = ?"), {kvId, year})
        .money(0, QString::fromLatin1(column));
}

} // namespace

TEST(FlexibleBenefit, OnlyUniversityEmployeesAreReadWithWholeDates)
{
    const imports::SheetRows rows = FB::readApplicants(fixture("flexben.xlsx"));
    ASSERT_EQ(rows.count(), 5);
    EXPECT_EQ(rows.sheetRows, (QVector<int>{2, 3, 4, 5, 7}));
    EXPECT_EQ(rows.grid[0], QStringList({"1", "3300000000001", "นาย", "มีวงเงิน", "พอใช้", "อาจารย์", "SC",
                                         "ภาควิชาเคมี", "01/06/2558", "2", "พนักงานมหาวิทยาลัย"}));
    EXPECT_EQ(rows.grid[2][8], QStringLiteral("01/06/2558"));
    EXPECT_EQ(rows.grid[4][0], QStringLiteral("5"));
}

TEST(FlexibleBenefit, TestClassifiesEveryApplicantAndBlocksTheSave)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const QString year = login.Cur_Bud_Year;
    addApplicants(db, year);
    const imports::SheetRows rows = FB::readApplicants(fixture("flexben.xlsx"));

    const FB::TestResult r = FB::test(db, rows, year);
    ASSERT_EQ(r.rows.size(), 5);
    const QList<FB::Kind> kinds = {FB::Kind::Claimed, FB::Kind::NotEnough, FB::Kind::NoYearRow, FB::Kind::NotFound,
                                   FB::Kind::Refused};
    const QStringList remarks = {
        QStringLiteral("1.2 มีการเบิกค่ารักษาแล้ว"),
        QStringLiteral("1.1 จำนวนเงินไม่พอใช้ Flex ben F_H=(20,000.00 F_U=18,000.00 Flex=5,000)"),
        QStringLiteral("1.3 ยังไม่มีการเบิกค่ารักษาพยาบาล"),
        QStringLiteral("2. ไม่พบในข้อมูลประวัติ"),
        QStringLiteral("3. ") + imports::reasonBadType(QStringLiteral("4")),
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.rows[i].kind, kinds[i]) << i;
        ASSERT_EQ(r.rows[i].cells.size(), 14) << i;
        EXPECT_EQ(r.rows[i].cells[10], remarks[i]) << i;
    }
    EXPECT_EQ(r.rows[0].cells[1], QStringLiteral("'3300000000001"));
    EXPECT_EQ(r.rows[0].cells[11], QStringLiteral("KV2567/000951"));
    EXPECT_EQ(r.rows[2].rightType, QStringLiteral("3")) << "the recorded type, not the workbook's 1";
    EXPECT_EQ(r.rows[3].cells[12], QStringLiteral("'3300000000999"));
    EXPECT_EQ(r.rows[3].cells[13], QStringLiteral("'A"));
    EXPECT_EQ(r.nameMatches, 1);
    EXPECT_FALSE(r.canSave());
    EXPECT_TRUE(FB::test(db, without(rows, {4}), year).rows.value(1).blocking()) << "1.1 alone blocks";

    // Saving what the test refused writes nothing.
    const qint64 employees = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));
    EXPECT_NE(errorOf([&] { FB::save(db, login, rows, year); }), QString());
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees);
    EXPECT_EQ(yearMoney(db, QStringLiteral("KV2567/000951"), year, "M_Flexben"), Money());
}

TEST(FlexibleBenefit, SaveRecordsTheBenefitAndMakesWhatIsMissing)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const QString year = login.Cur_Bud_Year;
    addApplicants(db, year);
    const imports::SheetRows rows = without(FB::readApplicants(fixture("flexben.xlsx")), {1, 4});
    ASSERT_TRUE(FB::test(db, rows, year).canSave());

    const FB::Saved s = FB::save(db, login, rows, year);
    EXPECT_EQ(s.employeesAdded, 1);
    EXPECT_EQ(s.yearRowsAdded, 2);
    EXPECT_EQ(s.yearRowsUpdated, 1);
    EXPECT_EQ(yearMoney(db, QStringLiteral("KV2567/000951"), year, "M_Flexben"), FB::kAmount);
    EXPECT_EQ(yearMoney(db, QStringLiteral("KV2567/000951"), year, "Fact_T_U_H"), Money::fromBaht(10000));
    EXPECT_EQ(yearMoney(db, QStringLiteral("KV2567/000953"), year, "Fact_T_H_Money"), Money::fromBaht(2000000000))
        << "type 3 as recorded, not the workbook's 1";
    EXPECT_EQ(yearMoney(db, QStringLiteral("KV2567/000953"), year, "M_Flexben"), FB::kAmount);

    const Rows added = db.select(QStringLiteral("SELECT * FROM T_Emp_Gov_Histry WHERE Emp_SSN = '3300000000004'"));
    ASSERT_EQ(added.count(), 1);
    const QString kvId = added.text(0, QStringLiteral("KV_ID"));
    EXPECT_TRUE(kvId.startsWith(QStringLiteral("KV") + login.Cur_Date.right(4) + QLatin1Char('/')));
    EXPECT_EQ(added.text(0, QStringLiteral("EMP_ID")), QString());
    EXPECT_EQ(added.text(0, QStringLiteral("Emp_H_Type")), QStringLiteral("3"));
    EXPECT_EQ(added.text(0, QStringLiteral("Fact_code")), QStringLiteral("SC"));
    EXPECT_EQ(added.text(0, QStringLiteral("Emp_In_date2")), QStringLiteral("06/01/2563")) << "kept in the Buddhist Era";
    EXPECT_EQ(added.text(0, QStringLiteral("Emp_Status")), QStringLiteral("A"));
    EXPECT_EQ(yearMoney(db, kvId, year, "Fact_T_H_Money"), Money::fromBaht(2000000000));
    EXPECT_EQ(yearMoney(db, kvId, year, "Kv_T_Copay"), Money());
    EXPECT_EQ(yearMoney(db, kvId, year, "Fact_T_U_H"), Money());
    EXPECT_EQ(yearMoney(db, kvId, year, "M_Flexben"), FB::kAmount);

    // A second save finds everyone and changes nothing more.
    const FB::Saved again = FB::save(db, login, rows, year);
    EXPECT_EQ(again.employeesAdded, 0);
    EXPECT_EQ(again.yearRowsAdded, 0);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry WHERE Emp_SSN = '3300000000004'")), 1);
}

TEST(FlexibleBenefit, SaveTestsAgainInsideItsTransaction)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const QString year = login.Cur_Bud_Year;
    addApplicants(db, year);
    const imports::SheetRows rows = without(FB::readApplicants(fixture("flexben.xlsx")), {1, 4});
    ASSERT_TRUE(FB::test(db, rows, year).canSave());

    // Between the test and the save another workstation uses up the room.
    auto other = t.connectAgain();
    other->exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_U_H = 16000 WHERE KV_ID = 'KV2567/000951' AND Pay_Year = ?"),
                {year});
    const qint64 employees = countOf(db, QStringLiteral("T_Emp_Gov_Histry"));
    EXPECT_TRUE(errorOf([&] { FB::save(db, login, rows, year); }).contains(QStringLiteral("ทดสอบการ Update ข้อมูล")));
    EXPECT_EQ(countOf(db, QStringLiteral("T_Emp_Gov_Histry")), employees);
    EXPECT_EQ(countOf(db, QStringLiteral("T_Year_Cur_Health WHERE KV_ID = 'KV2567/000953'")), 0);
}

TEST(FlexibleBenefit, ExportSheetsFollowTheLayout)
{
    excel::GridTable grid;
    grid.headings << FB::applicantHeadings();
    grid.rows << QStringList({"1", "'3300000000001", "นาย", "ก", "ข", "อาจารย์", "SC", "เคมี", "01/06/2558", "2",
                              "พนักงานมหาวิทยาลัย"});
    const excel::Worksheet applicants = FB::exportSheet(grid, false);
    EXPECT_EQ(applicants.name(), QStringLiteral("พนักงาน"));
    EXPECT_EQ(applicants.value(1, 1).text, QStringLiteral("รายงานสถานภาพพนักงาน"));
    EXPECT_EQ(applicants.style(1, 1).fontSize, 16);
    EXPECT_EQ(applicants.style(1, 11).hAlign, excel::HAlign::CentreAcross);
    for (int c : {1, 11}) {
        const excel::CellStyle heading = applicants.style(4, c);
        EXPECT_EQ(heading.fontSize, 12) << c;
        EXPECT_EQ(heading.fontColor, excel::excelRgb(12, 5, 143)) << c;
        EXPECT_EQ(heading.fill, excel::excelRgb(155, 205, 230)) << c;
        EXPECT_EQ(heading.hAlign, excel::HAlign::Centre) << c;
    }
    EXPECT_EQ(applicants.value(5, 2).kind, excel::TypedValue::Text) << "the identity number stays text";
    EXPECT_EQ(applicants.style(5, 11).numberFormat, QStringLiteral("#,##0.00_);(#,##0.00)"));
    const excel::PageSetup& page = applicants.pageSetup();
    EXPECT_EQ(page.leftHeader, QStringLiteral("Page &P From &N"));
    EXPECT_EQ(page.rightHeader, QStringLiteral("(Emp001)"));
    EXPECT_EQ(page.rightFooter, QStringLiteral("&D &T"));
    EXPECT_EQ(page.centerFooter, QStringLiteral("หน้า&P"));
    EXPECT_EQ(page.firstTitleRow, 1);
    EXPECT_EQ(page.lastTitleRow, 4);

    excel::GridTable results;
    results.headings << FB::resultHeadings();
    const excel::Worksheet tested = FB::exportSheet(results, true);
    EXPECT_EQ(tested.style(4, 14).fill, excel::excelRgb(155, 205, 230));
    EXPECT_EQ(tested.style(1, 14).hAlign, excel::HAlign::CentreAcross);
    EXPECT_EQ(tested.style(5, 11).numberFormat, QString()) << "only the applicants' column K is an amount";
}

// An applicant not found in his faculty but active in another would be
// recorded twice as one person: the test refuses him and names the record.
TEST(FlexibleBenefit, AnApplicantActiveInAnotherFacultyIsRefused)
{
    WELMORA_NEED_DB();
    TestDb t;
    Database& db = t.db();
    const LoginContext login = adminLogin(db);
    const QString year = login.Cur_Bud_Year;
    addApplicants(db, year);
    addEmployee(db, QStringLiteral("KV2567/000955"), QString(), QStringLiteral("3300000000004"), QStringLiteral("ย้าย"),
                QStringLiteral("คณะ"), QStringLiteral("EN"), QStringLiteral("2"));
    const imports::SheetRows rows = FB::readApplicants(fixture("flexben.xlsx"));

    const FB::TestResult r = FB::test(db, rows, year);
    ASSERT_EQ(r.rows.size(), 5);
    EXPECT_EQ(r.rows[3].kind, FB::Kind::Refused);
    EXPECT_EQ(r.rows[3].cells[10], QStringLiteral("3. เลขประจำตัวประชาชนนี้เป็นของพนักงานคณะ EN (KV_ID KV2567/000955) อยู่แล้ว"));
    EXPECT_FALSE(FB::test(db, without(rows, {1, 4}), year).canSave());
}
