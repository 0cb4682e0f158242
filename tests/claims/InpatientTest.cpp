#include "ClaimsFixture.h"
#include "claims/ClaimSummaryService.h"
#include "common/Limits.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

// The hospital clerk of faculty HO; the hospital menu leaves the mode as it was.
LoginContext hospital(ClaimsDb& f, const QString& mode = QString())
{
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('HO', '2568', 3)"));
    return f.login(mode, QStringLiteral("HO"));
}

} // namespace

TEST(InpatientSave, CreatesAMissingYearlyRowFromTheRightTypeTable)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const LoginContext clerk = hospital(f);
    const struct {
        const char* hType;
        Money claim, limit, payable, copayLimit;
    } cases[] = {
        {"1", baht(250000), baht(200000), baht(200000), {}},
        {"2", baht(1500), baht(20000), baht(1500), baht(25000)},
        {"3", baht(250000), baht(2000000000), baht(250000), {}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString kv = f.addEmployee(++n, QStringLiteral("EN"), QString::fromLatin1(c.hType));
        const SavedClaim s = ClaimEntry::save(f.db, clerk, inpatient(), draft(kv, {receipt(0, c.claim)}));
        EXPECT_EQ(s.payable, c.payable) << c.hType;
        EXPECT_EQ(s.before, c.limit) << c.hType;
        const Rows y = f.db.select(QStringLiteral("SELECT Fact_T_H_Money, Fact_T_U_H, Fact_T_Copay, M_Flexben "
                                                  "FROM T_Year_Cur_Health WHERE KV_ID = ?"),
                                   {kv});
        ASSERT_EQ(y.count(), 1) << c.hType;
        EXPECT_EQ(y.money(0, QStringLiteral("Fact_T_H_Money")), c.limit) << c.hType;
        EXPECT_EQ(y.money(0, QStringLiteral("Fact_T_U_H")), c.payable) << c.hType;
        EXPECT_EQ(y.money(0, QStringLiteral("Fact_T_Copay")), c.copayLimit) << c.hType;
        EXPECT_FALSE(y.value(0, QStringLiteral("M_Flexben")).isNull()) << "written as 0";
        EXPECT_EQ(y.money(0, QStringLiteral("M_Flexben")), Money());
    }
    const QString odd = f.addEmployee(9, QStringLiteral("EN"), QStringLiteral("9"));
    EXPECT_TRUE(errorOf([&] { ClaimEntry::save(f.db, clerk, inpatient(), draft(odd, {receipt(0, baht(10))})); })
                    .contains(QStringLiteral("\"9\"")));
}

TEST(InpatientSave, TheFlexibleBenefitCutsThePayableButOnlyAFullLimitRefuses)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const LoginContext clerk = hospital(f);
    const QString full = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(full, QStringLiteral("2568"), baht(20000), baht(20000), baht(3000));
    const QString some = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(some, QStringLiteral("2568"), baht(20000), baht(16000), baht(3000));
    const QString used = kUsedUpMessage;

    EXPECT_EQ(errorOf([&] { ClaimEntry::openEntry(f.db, inpatient(), full, QStringLiteral("2568")); }), used)
        << "U = H";
    EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, clerk, inpatient(), draft(full, {receipt(0, baht(10))})); }), used);
    EXPECT_EQ(ClaimEntry::openEntry(f.db, inpatient(), some, QStringLiteral("2568")), baht(3000));
    const SavedClaim s = ClaimEntry::save(f.db, clerk, inpatient(), draft(some, {receipt(0, baht(2500))}));
    EXPECT_EQ(s.before, baht(1000));
    EXPECT_EQ(s.payable, baht(1000));
    EXPECT_EQ(f.yearValue(some, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(17000));
    EXPECT_EQ(ClaimEntry::openEntry(f.db, inpatient(), some, QStringLiteral("2568")), baht(3000))
        << "U + F = H with U < H still opens";
}

TEST(InpatientSave, FiledUnderTheClerksFacultyAsAnInpatientClaim)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("1"));
    const LoginContext clerk = hospital(f, QStringLiteral("KV")); // a mode left by an earlier command
    ClaimDraft d = draft(kv, {receipt(0, baht(700))}, QStringLiteral("2568"), QStringLiteral("EN"));
    d.inOut = QStringLiteral("0");
    const SavedClaim s = ClaimEntry::save(f.db, clerk, inpatient(), d);
    EXPECT_EQ(s.claimNo, QStringLiteral("HO2568/0000003"));
    EXPECT_EQ(f.claimValue(s.claimNo, QStringLiteral("Fact_Code")), QStringLiteral("HO"));
    EXPECT_EQ(f.claimValue(s.claimNo, QStringLiteral("Berg_Type_Code")), QStringLiteral("HPE"));
    EXPECT_EQ(f.claimValue(s.claimNo, QStringLiteral("Health_In_Out_t")), QStringLiteral("1"));
    EXPECT_EQ(f.db.select(QStringLiteral("SELECT Health_In_Out_t FROM T_Pay_Health_Detail WHERE Berg_Doc_ID = ?"),
                          {s.claimNo})
                  .text(0, QStringLiteral("Health_In_Out_t")),
              QStringLiteral("1"));

    // Another faculty's clerk has no number series: refused, nothing written.
    f.db.exec(QStringLiteral("INSERT INTO T_Fact (Fact_Code, Fact_Name) VALUES ('MD', 'คณะแพทยศาสตร์')"));
    const LoginContext md = f.login(QString(), QStringLiteral("MD"));
    EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, md, inpatient(), draft(kv, {receipt(0, baht(5))})); }),
              QStringLiteral("ไม่พบข้อมูล ในตารางใบเบิก \rเกิดความผิดพลาดในระบบ กรุณาแจ้งผู้ดูแลระบบครับ"));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(700));
}

TEST(InpatientSummary, SendsTheClaimedAmountUnderAMedicalControlNumber)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const LoginContext clerk = hospital(f);
    const QString big = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("1"));
    const QString small = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(small, QStringLiteral("2568"), baht(20000), {});
    const QString a = ClaimEntry::save(f.db, clerk, inpatient(), draft(big, {receipt(0, baht(250000))})).claimNo;
    const QString b = ClaimEntry::save(f.db, clerk, inpatient(), draft(small, {receipt(0, baht(400))})).claimNo;
    const QString c = ClaimEntry::save(f.db, clerk, inpatient(), draft(small, {receipt(1, baht(600))})).claimNo;

    const auto listed = ClaimSummary::listOpen(f.db, clerk, inpatient(), QStringLiteral("SC"), QStringLiteral("2568"),
                                               QStringLiteral("0"));
    ASSERT_EQ(listed.size(), 3) << "the clerk's faculty and in-patients, whatever the screen passes";
    const QString control = ClaimSummary::send(f.db, clerk, inpatient(), QStringLiteral("SC"), {a, c});
    EXPECT_EQ(control, QStringLiteral("KV2568/000001HO"));
    const Rows head = f.db.select(QStringLiteral("SELECT Sent_Doc_Type, Fact_Code FROM T_Sent_KV_Detail"));
    EXPECT_EQ(head.text(0, QStringLiteral("Sent_Doc_Type")), QStringLiteral("FAE"));
    EXPECT_EQ(head.text(0, QStringLiteral("Fact_Code")), QStringLiteral("HO"));
    const Rows members = f.db.select(QStringLiteral("SELECT Berg_Doc_ID, Order_No FROM T_Sent_KV ORDER BY Order_No"));
    ASSERT_EQ(members.count(), 2);
    EXPECT_EQ(members.text(1, QStringLiteral("Berg_Doc_ID")), c);
    EXPECT_EQ(members.integer(1, QStringLiteral("Order_No")), 2) << "numbered among the marked claims";
    // The claimed 250,000, not the 200,000 paid, goes to the finance side.
    EXPECT_EQ(f.yearValue(big, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(250000));
    EXPECT_EQ(f.yearValue(small, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(600));
    EXPECT_EQ(f.claimValue(b, QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));

    // A claim whose yearly row has gone stops the send before anything is written.
    f.db.exec(QStringLiteral("DELETE FROM T_Year_Cur_Health WHERE KV_ID = ?"), {small});
    const qint64 controls = f.count(QStringLiteral("T_Sent_KV_Detail"));
    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, clerk, inpatient(), {}, {b}); }), kNoYearRow);
    EXPECT_EQ(f.count(QStringLiteral("T_Sent_KV_Detail")), controls);
    EXPECT_EQ(f.claimValue(b, QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));
}
