#include "ReportFixture.h"

#include "reports/ReportServices.h"

#include <gtest/gtest.h>

using namespace wel;
using namespace wel::reports;
using wel::test::TestDb;

namespace {

class ReportServices : public ::testing::Test {
protected:
    void SetUp() override
    {
        WELMORA_NEED_DB();
        db = std::make_unique<TestDb>(TestDb::Reference);
        test::loadReportFixture(db->db());
    }
    Database& d() { return db->db(); }
    std::unique_ptr<TestDb> db;
};

// Leading cells and five (count, amount) pairs, amounts as displayed.
QStringList pairRow(QStringList lead, std::initializer_list<std::pair<int, const char*>> pairs)
{
    for (const auto& [n, amount] : pairs)
        lead << QString::number(n) << QString::fromUtf8(amount);
    return lead;
}

QStringList column(const ReportResult& r, int c)
{
    QStringList out;
    for (const QStringList& row : r.rows)
        out << row.value(c);
    return out;
}

const QString kEmpty;

} // namespace

TEST_F(ReportServices, ClaimsByMonthKeepTheSameMonthOfTwoYearsApartInCalendarOrder)
{
    const ReportResult r = claimsByMonth(d(), {{QStringLiteral("status"), QStringLiteral("normal")}});
    ASSERT_EQ(r.headings.size(), 2);
    EXPECT_EQ(r.headings[0].size(), 12);
    EXPECT_EQ(r.headings[1][3], QStringLiteral("จำนวนเงิน "));
    const QVector<QStringList> expected = {
        pairRow({"1", "11/2550"}, {{1, "1,500.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "1,500.00"}}),
        // The claim of an unknown kind counts in "รวม" only.
        pairRow({"2", "01/2551"}, {{1, "300.25"}, {1, "2,500.00"}, {0, "0.00"}, {0, "0.00"}, {3, "2,900.25"}}),
        pairRow({"3", "11/2551"}, {{0, "0.00"}, {0, "0.00"}, {1, "5,000.00"}, {0, "0.00"}, {1, "5,000.00"}}),
        pairRow({"4", "12/2551"}, {{1, "800.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "800.00"}}),
        pairRow({"5", "01/2552"}, {{0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "2,000.00"}, {1, "2,000.00"}}),
        QStringList(12),
        pairRow({"", "รวมทั้งสิ้น"}, {{3, "2,600.25"}, {1, "2,500.00"}, {1, "5,000.00"}, {1, "2,000.00"}, {7, "12,200.25"}}),
    };
    EXPECT_EQ(r.rows, expected);

    // Cancelled only, and a year of entry.
    const ReportResult cancelled = claimsByMonth(d(), {{QStringLiteral("status"), QStringLiteral("cancelled")}});
    EXPECT_EQ(cancelled.rows.first(),
              pairRow({"1", "01/2551"}, {{1, "400.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "400.00"}}));
    const ReportResult y2551 = claimsByMonth(d(), {{QStringLiteral("status"), QStringLiteral("normal")},
                                                   {QStringLiteral("year"), QStringLiteral("year:2551")}});
    EXPECT_EQ(column(y2551, 1), (QStringList{"01/2551", "11/2551", "12/2551", "", "รวมทั้งสิ้น"}));
    const ReportResult kvOnly = claimsByMonth(d(), {{QStringLiteral("status"), QStringLiteral("kv")}});
    EXPECT_EQ(kvOnly.rows.last().last(), QStringLiteral("7,300.00"));
}

TEST_F(ReportServices, ClaimsByMonthAndFacultyCloseEachMonthWithItsSubtotal)
{
    const ReportResult r = claimsByMonthFaculty(d(), {{QStringLiteral("status"), QStringLiteral("normal")}});
    const QString sc = QStringLiteral("คณะวิทยาศาสตร์"), en = QStringLiteral("คณะวิศวกรรมศาสตร์");
    const QVector<QStringList> expected = {
        pairRow({"1", "11/2550", "SC", sc}, {{1, "1,500.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "1,500.00"}}),
        pairRow({"", "", "รวม ", ""}, {{1, "1,500.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "1,500.00"}}),
        pairRow({"1", "01/2551", "EN", en}, {{1, "300.25"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "300.25"}}),
        pairRow({"2", "01/2551", "SC", sc}, {{0, "0.00"}, {1, "2,500.00"}, {0, "0.00"}, {0, "0.00"}, {2, "2,600.00"}}),
        pairRow({"", "", "รวม ", ""}, {{1, "300.25"}, {1, "2,500.00"}, {0, "0.00"}, {0, "0.00"}, {3, "2,900.25"}}),
        pairRow({"1", "11/2551", "EN", en}, {{0, "0.00"}, {0, "0.00"}, {1, "5,000.00"}, {0, "0.00"}, {1, "5,000.00"}}),
        pairRow({"", "", "รวม ", ""}, {{0, "0.00"}, {0, "0.00"}, {1, "5,000.00"}, {0, "0.00"}, {1, "5,000.00"}}),
        pairRow({"1", "12/2551", "SC", sc}, {{1, "800.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "800.00"}}),
        pairRow({"", "", "รวม ", ""}, {{1, "800.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "800.00"}}),
        pairRow({"1", "01/2552", "EN", en}, {{0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "2,000.00"}, {1, "2,000.00"}}),
        pairRow({"", "", "รวม ", ""}, {{0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "2,000.00"}, {1, "2,000.00"}}),
        QStringList(14),
        pairRow({"", "", "รวมทั้งสิ้น", ""}, {{3, "2,600.25"}, {1, "2,500.00"}, {1, "5,000.00"}, {1, "2,000.00"}, {7, "12,200.25"}}),
    };
    EXPECT_EQ(r.rows, expected);
}

TEST_F(ReportServices, ClaimsByYearSpanAllYears)
{
    const ReportResult r = claimsByYear(d(), {{QStringLiteral("status"), QStringLiteral("normal")},
                                              {QStringLiteral("year"), QStringLiteral("year:2551")}});
    const QVector<QStringList> expected = {
        pairRow({"1", "2550", "-", ""}, {{1, "1,500.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "1,500.00"}}),
        pairRow({"2", "2551", "-", ""}, {{2, "1,100.25"}, {1, "2,500.00"}, {1, "5,000.00"}, {0, "0.00"}, {5, "8,700.25"}}),
        pairRow({"3", "2552", "-", ""}, {{0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "2,000.00"}, {1, "2,000.00"}}),
        QStringList(14),
        pairRow({"", "", "รวมทั้งสิ้น", ""}, {{3, "2,600.25"}, {1, "2,500.00"}, {1, "5,000.00"}, {1, "2,000.00"}, {7, "12,200.25"}}),
    };
    EXPECT_EQ(r.rows, expected);
}

TEST_F(ReportServices, SentByMonthCountsControlNumbersOfTheChosenStatus)
{
    const ReportResult open = sentByMonth(d(), {{QStringLiteral("status"), QStringLiteral("normal")}});
    EXPECT_EQ(open.rows, (QVector<QStringList>{pairRow(
                             {"1", "11/2551"}, {{0, "0.00"}, {0, "0.00"}, {1, "5,000.00"}, {0, "0.00"}, {1, "5,000.00"}})}));
    // Two claims under one control number count once.
    const ReportResult all = sentByMonth(d(), {{QStringLiteral("status"), QStringLiteral("all")}});
    EXPECT_EQ(all.rows.first(),
              pairRow({"1", "11/2550"}, {{1, "2,300.00"}, {0, "0.00"}, {0, "0.00"}, {0, "0.00"}, {1, "2,300.00"}}));
    EXPECT_EQ(column(all, 1), (QStringList{"11/2550", "01/2551", "11/2551"}));
    const ReportResult cancelled = sentByMonth(d(), {{QStringLiteral("status"), QStringLiteral("cancelled")}});
    EXPECT_EQ(column(cancelled, 1), QStringList{"01/2551"});
}

TEST_F(ReportServices, EmployeesByRightTypeCountAnEmptyTypeUnderTypeThree)
{
    const ReportResult r = employeesByRightType(d(), {});
    EXPECT_EQ(r.rows, (QVector<QStringList>{{"1", "EN", "คณะวิศวกรรมศาสตร์", "0", "0", "2", "2"},
                                            {"2", "SC", "คณะวิทยาศาสตร์", "1", "1", "0", "2"}}));
}

TEST_F(ReportServices, ControlNumberSummaryFiltersByStatusAndFaculty)
{
    const ReportResult all = controlNumberSummary(d(), {{QStringLiteral("sent"), QStringLiteral("all")}});
    EXPECT_EQ(all.rows, (QVector<QStringList>{
                            {"1", "KV2551/000001SC", "SC", "คณะวิทยาศาสตร์", "คนไข้นอก", "2,300.00", "16/11/2550", "P", "ทำใบสำคัญจ่ายแล้ว"},
                            {"2", "KV2551/000003SC", "SC", "คณะวิทยาศาสตร์", "คนไข้ใน", "2,500.00", "21/01/2551", "C", "ยกเลิก"},
                            {"3", "KV2552/000002EN", "EN", "คณะวิศวกรรมศาสตร์", "ค่าเล่าเรียนบุตร", "5,000.00", "16/11/2551", "A", ""}}));
    EXPECT_EQ(all.total, Money::fromBaht(9800));
    const struct { const char* status; const char* faculty; QStringList numbers; } cases[] = {
        {"normal", "all", {"KV2552/000002EN"}},
        {"cancelled", "all", {"KV2551/000003SC"}},
        {"voucher", "all", {"KV2551/000001SC"}},
        {"open-or-voucher", "all", {"KV2551/000001SC", "KV2552/000002EN"}},
        {"all", "one:SC", {"KV2551/000001SC", "KV2551/000003SC"}},
    };
    for (const auto& c : cases) {
        const ReportResult r = controlNumberSummary(d(), {{QStringLiteral("sent"), QStringLiteral("all")},
                                                          {QStringLiteral("status"), QString::fromLatin1(c.status)},
                                                          {QStringLiteral("faculty"), QString::fromLatin1(c.faculty)}});
        EXPECT_EQ(column(r, 1), c.numbers) << c.status << " " << c.faculty;
    }
    const ReportResult byDate = controlNumberSummary(d(), {{QStringLiteral("sent"), QStringLiteral("month:11/2551")}});
    EXPECT_EQ(column(byDate, 1), QStringList{"KV2552/000002EN"});
    const ReportResult none = controlNumberSummary(d(), {{QStringLiteral("sent"), QStringLiteral("date:01/01/2500")}});
    EXPECT_TRUE(none.empty);
    EXPECT_EQ(none.rows, QVector<QStringList>{QStringList(9)});

    const ReportResult members = controlNumberMembers(d(), QStringLiteral("KV2551/000001SC"));
    EXPECT_EQ(column(members, 2), (QStringList{"SC2551/0000001", "SC2552/0000001"}));
    EXPECT_EQ(members.rows[0][6], QStringLiteral("นายสมชาย ใจดี"));
    EXPECT_EQ(members.total, Money::fromBaht(2300));
}

TEST_F(ReportServices, FacultySentSumsClaimedAmountsOfEveryStatus)
{
    const ReportResult r = facultySent(d(), {{QStringLiteral("sent"), QStringLiteral("year:2551")},
                                             {QStringLiteral("faculty"), QStringLiteral("one:SC")}});
    EXPECT_EQ(r.rows, (QVector<QStringList>{{"1", "KV2551/000003SC", "21/01/2551", "3,000.00"}}));
    const ReportResult members = facultySentMembers(d(), QStringLiteral("KV2551/000003SC"));
    EXPECT_EQ(members.rows, (QVector<QStringList>{{"1", "SC2551/0000002", "20/01/2551", "000123", "นายสมชาย ใจดี", "3,000.00"}}));
}

TEST_F(ReportServices, ClaimRegisterAppliesBothDateGroupsAndAddsItsTotalRow)
{
    const ReportResult r = claimRegister(d(), {{QStringLiteral("entered"), QStringLiteral("all")},
                                               {QStringLiteral("claimed"), QStringLiteral("month:01/2551")},
                                               {QStringLiteral("faculty"), QStringLiteral("one:SC")}});
    QStringList total(12);
    total[6] = QStringLiteral("รวมจำนวนเงิน");
    total[7] = QStringLiteral("3,000.00");
    EXPECT_EQ(r.rows, (QVector<QStringList>{
                          {"1", "SC2551/0000002", "000123", "นาย", "สมชาย", "ใจดี", "20/01/2551", "2,500.00", "คณะ", "คนไข้ใน", "20/01/2551", "Normal"},
                          {"2", "SC2551/0000003", "000456", "นาง", "สมศรี", "มีสุข", "20/01/2551", "400.00", "ยกเลิก", "คนไข้นอก", "20/01/2551", "OVER MONEY"},
                          {"3", "SC2551/0000004", "000123", "นาย", "สมชาย", "ใจดี", "20/01/2551", "100.00", "คณะ", "", "20/01/2551", "Normal"},
                          total}));
    const struct { Filters f; QStringList docs; } cases[] = {
        {{{QStringLiteral("entered"), QStringLiteral("date:20/01/2551")}, {QStringLiteral("claimed"), QStringLiteral("date:20/01/2551")},
          {QStringLiteral("status"), QStringLiteral("normal")}},
         {"SC2551/0000002", "SC2551/0000004", "EN2551/0000001", ""}},
        {{{QStringLiteral("entered"), QStringLiteral("all")}, {QStringLiteral("claimed"), QStringLiteral("all")},
          {QStringLiteral("special"), QStringLiteral("cop")}},
         {"SC2552/0000001", ""}},
        {{{QStringLiteral("entered"), QStringLiteral("year:2552")}, {QStringLiteral("claimed"), QStringLiteral("all")},
          {QStringLiteral("kind"), QStringLiteral("one:M")}},
         {"EN2552/0000002", ""}},
    };
    for (const auto& c : cases) {
        QStringList docs = column(claimRegister(d(), c.f), 1);
        // Same entry date: the claim number decides.
        docs.sort();
        QStringList want = c.docs;
        want.sort();
        EXPECT_EQ(docs, want);
    }
}

TEST_F(ReportServices, ClaimLinesByPatientListEachLineOfOpenClaims)
{
    const ReportResult r = claimLinesByPatient(d(), {{QStringLiteral("year"), QStringLiteral("all")},
                                                     {QStringLiteral("faculty"), QStringLiteral("one:SC")}});
    EXPECT_EQ(column(r, 1), (QStringList{"SC2551/0000001", "SC2551/0000002", "SC2551/0000002", "SC2551/0000004", "SC2552/0000001"}));
    EXPECT_EQ(column(r, 11), (QStringList{"0", "0", "4", "1", "0"}));
    EXPECT_EQ(r.rows[2].mid(12), (QStringList{"บุตรลำดับที่1", "HPE", "2,000.00", "1,500.00"}));
    EXPECT_EQ(r.total, Money::fromBaht(4900));
    const ReportResult child = claimLinesByPatient(d(), {{QStringLiteral("folk"), QStringLiteral("one:4")},
                                                         {QStringLiteral("year"), QStringLiteral("all")}});
    EXPECT_EQ(column(child, 1), (QStringList{"SC2551/0000002", "EN2552/0000001"}));
    const ReportResult medical = claimLinesByPatient(d(), {{QStringLiteral("claimtype"), QStringLiteral("one:FAE")},
                                                           {QStringLiteral("year"), QStringLiteral("year:2551")},
                                                           {QStringLiteral("type"), QStringLiteral("1")}});
    EXPECT_EQ(column(medical, 1), (QStringList{"SC2551/0000001", "SC2551/0000002", "SC2551/0000002", "SC2551/0000004"}));
}

TEST_F(ReportServices, EmployeeListsShowTheLimitOfEachRightType)
{
    const ReportResult r = employeeRights(d(), {{QStringLiteral("type"), QStringLiteral("all")}});
    EXPECT_EQ(column(r, 2), (QStringList{"000555", "000789", "000123", "000456"}));
    EXPECT_EQ(column(r, 10), (QStringList{"ไม่จำกัดวงเงิน", "20,000", "200,000", "20,000"}));
    const ReportResult sc2 = employeeRights(d(), {{QStringLiteral("type"), QStringLiteral("2")},
                                                  {QStringLiteral("faculty"), QStringLiteral("one:SC")}});
    EXPECT_EQ(column(sc2, 2), QStringList{"000456"});

    const ReportResult fam = employeeFamilies(d(), {{QStringLiteral("faculty"), QStringLiteral("one:SC")}});
    ASSERT_EQ(fam.headings[0].size(), 39);
    EXPECT_EQ(column(fam, 1), (QStringList{"000123", "000456"}));
    EXPECT_EQ(fam.rows[0].mid(12, 4), (QStringList{"3100000000010", "นาย", "สมปอง", "ใจดี"}));
    // An impossible birth date is shown as stored.
    EXPECT_EQ(fam.rows[0].mid(24, 5), (QStringList{"0011223344556", "ด.ช.", "สมใจ", "ใจดี", "31/02/2550"}));
    const ReportResult named = employeeFamilies(d(), {{QStringLiteral("faculty"), QStringLiteral("one:SC")},
                                                      {QStringLiteral("name"), QStringLiteral("name:สมศ")}});
    EXPECT_EQ(column(named, 1), QStringList{"000456"});
    // A wildcard typed into the name is a literal character.
    EXPECT_TRUE(employeeFamilies(d(), {{QStringLiteral("faculty"), QStringLiteral("one:SC")},
                                       {QStringLiteral("name"), QStringLiteral("name:%")}}).empty);

    const ReportResult flex = flexibleBenefit(d(), {{QStringLiteral("year"), QStringLiteral("year:2551")}});
    EXPECT_EQ(flex.rows, (QVector<QStringList>{{"1", "KV2550/000002", "000456", "นาง", "สมศรี", "มีสุข", "ฟิสิกส์"}}));
}

TEST_F(ReportServices, EducationClaimsOfAYearCloseWithTheirTotal)
{
    const ReportResult r = educationClaims(d(), {{QStringLiteral("year"), QStringLiteral("year:2552")}});
    EXPECT_EQ(r.rows, (QVector<QStringList>{{"1", "EN2552/0000001", "000789", "นายประยุทธ  บุญมา", "15/11/2551", "5,000.00", "Velmarn", "EN"},
                                            {"", "", "", "", "รวมทั้งสิ้น ", "5,000.00", "", ""}}));
    EXPECT_TRUE(educationClaims(d(), {{QStringLiteral("year"), QStringLiteral("year:2552")},
                                      {QStringLiteral("faculty"), QStringLiteral("one:SC")}}).empty);
}

TEST_F(ReportServices, ClaimsByWelfareKindStopStrictlyBeforeTheDate)
{
    const ReportResult r = claimsByWelfareKind(d(), {{QStringLiteral("before"), QStringLiteral("date:01/01/2552")}});
    EXPECT_EQ(column(r, 1), (QStringList{"EN2551/0000001", "EN2552/0000001", "SC2551/0000001", "SC2551/0000002",
                                         "SC2551/0000004", "SC2552/0000001", ""}));
    EXPECT_EQ(r.rows.last()[6], QStringLiteral("รวมจำนวนเงิน"));
    EXPECT_EQ(r.rows.last()[7], QStringLiteral("10,200.25"));
    const struct { Filters f; QStringList docs; } cases[] = {
        {{{QStringLiteral("before"), QStringLiteral("month:12/2551")}, {QStringLiteral("kind"), QStringLiteral("4")}}, {"", }},
        {{{QStringLiteral("before"), QStringLiteral("month:12/2551")}}, {"EN2551/0000001", "EN2552/0000001", "SC2551/0000001", "SC2551/0000002", "SC2551/0000004", ""}},
        {{{QStringLiteral("before"), QStringLiteral("year:2551")}}, {"SC2551/0000001", ""}},
        {{{QStringLiteral("kind"), QStringLiteral("3")}}, {"SC2552/0000001", ""}},
        {{{QStringLiteral("kind"), QStringLiteral("1")}, {QStringLiteral("payyear"), QStringLiteral("year:2551")}},
         {"SC2551/0000001", "SC2551/0000002", "SC2551/0000004", ""}},
        {{{QStringLiteral("faculty"), QStringLiteral("one:EN")}}, {"EN2551/0000001", "EN2552/0000001", "EN2552/0000002", ""}},
    };
    for (const auto& c : cases) {
        const ReportResult got = claimsByWelfareKind(d(), c.f);
        EXPECT_EQ(got.empty ? QStringList{""} : column(got, 1), c.docs) << c.f.values().join(u' ').toStdString();
    }
}

TEST_F(ReportServices, VoucherReportsListSummariesWithAndWithoutMembers)
{
    const Filters all = {{QStringLiteral("recorded"), QStringLiteral("all")}};
    const ReportResult r = voucherSummaries(d(), all);
    EXPECT_EQ(r.rows, (QVector<QStringList>{{"1", "PVR2551/00001SC", "17/11/2550", "2,300.00", "", "0012", "", "", "", "", "SC"},
                                            {"2", "PVR2552/00002EN", "17/11/2551", "", "", "", "", "", "", "ยกเลิก", "EN"},
                                            {"", "รวมจำนวนเงิน", "", "2,300.00", "", "", "", "", "", "", ""}}));
    const ReportResult month = voucherSummaries(d(), {{QStringLiteral("recorded"), QStringLiteral("month:11/2551")}});
    EXPECT_EQ(column(month, 1), (QStringList{"PVR2552/00002EN", "รวมจำนวนเงิน"}));
    const ReportResult open = voucherSummaries(d(), {{QStringLiteral("recorded"), QStringLiteral("all")},
                                                     {QStringLiteral("status"), QStringLiteral("normal")},
                                                     {QStringLiteral("faculty"), QStringLiteral("one:sc")}});
    EXPECT_EQ(column(open, 1), (QStringList{"PVR2551/00001SC", "รวมจำนวนเงิน"}));

    const ReportResult detail = voucherDetails(d(), all);
    EXPECT_EQ(column(detail, 2), (QStringList{"PVR2551/00001SC", "", "PVR2552/00002EN", "", ""}));
    EXPECT_EQ(column(detail, 11), (QStringList{"KV2551/000001SC", "รวมใน PVR", "", "รวมใน PVR", "รวมจำนวนเงิน"}));
    EXPECT_EQ(column(detail, 14), (QStringList{"2,300.00", "2,300.00", "", "0.00", "2,300.00"}));
    EXPECT_EQ(detail.rows[0][12], QStringLiteral("คนไข้นอก"));
    EXPECT_EQ(detail.rows[0][13], QStringLiteral("16/11/2550"));
}
