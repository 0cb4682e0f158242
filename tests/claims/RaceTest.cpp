#include "ClaimsFixture.h"
#include "SecondWorkstation.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimSummaryService.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

TEST(ClaimRaces, TwoSavesCannotBothFitIntoOneRemainder)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(19000));
    const LoginContext clerk = f.login();

    SecondWorkstation other;
    {
        Transaction tx(f.db);
        const SavedClaim first = ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(0, baht(800))}));
        EXPECT_EQ(first.payable, baht(800));
        other.start(f.t, [&](Database& db) {
            ClaimEntry::save(db, clerk, outpatient(), draft(kv, {receipt(1, baht(800))}));
        });
        EXPECT_TRUE(other.stillWaiting()) << "the second save read the yearly row while the first held it";
        tx.commit();
    }
    other.join();
    EXPECT_EQ(other.error, QString());
    // The second claim saw 200 baht left, not 1,000.
    const Rows claims = f.db.select(QStringLiteral("SELECT Berg_Doc_ID, Vong_M_Befor, M_Can_Berg FROM T_PAY_Health "
                                                   "ORDER BY Berg_Doc_ID"));
    ASSERT_EQ(claims.count(), 2);
    EXPECT_EQ(claims.money(1, QStringLiteral("Vong_M_Befor")), baht(200));
    EXPECT_EQ(claims.money(1, QStringLiteral("M_Can_Berg")), baht(200));
    EXPECT_EQ(claims.text(1, QStringLiteral("Berg_Doc_ID")), QStringLiteral("SC2568/0000002"));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(20000));
}

TEST(ClaimRaces, CancelWaitsForASummaryAndThenFindsTheClaimGone)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), {});
    const LoginContext clerk = f.login();
    const QString no = ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(0, baht(700))})).claimNo;

    SecondWorkstation other;
    {
        Transaction tx(f.db);
        ClaimSummary::send(f.db, clerk, outpatient(), {}, {no});
        other.start(f.t, [&](Database& db) { ClaimCancel::cancel(db, clerk, outpatient(), {}, no); });
        EXPECT_TRUE(other.stillWaiting()) << "the cancellation did not wait for the summary";
        tx.commit();
    }
    other.join();
    EXPECT_EQ(other.error, kNotFound);
    EXPECT_EQ(f.claimValue(no, QStringLiteral("Berg_Doc_Status")), QStringLiteral("KV"));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(700)) << "nothing given back";
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(700));
}

TEST(ClaimRaces, SummaryWaitsForACancellationAndThenRefuses)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), {});
    const LoginContext clerk = f.login();
    const QString no = ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(0, baht(700))})).claimNo;

    SecondWorkstation other;
    {
        Transaction tx(f.db);
        ClaimCancel::cancel(f.db, clerk, outpatient(), {}, no);
        other.start(f.t, [&](Database& db) { ClaimSummary::send(db, clerk, outpatient(), {}, {no}); });
        EXPECT_TRUE(other.stillWaiting()) << "the summary did not wait for the cancellation";
        tx.commit();
    }
    other.join();
    EXPECT_EQ(other.error, QStringLiteral("ใบเบิกเลขที่ SC2568/0000001 ถูกยกเลิกแล้ว กรุณาคลิก ปุ่มแสดงผลใหม่"));
    EXPECT_EQ(f.count(QStringLiteral("T_Sent_KV_Detail")), 0);
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), Money());
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), Money());
}

TEST(ClaimRaces, TwoCopaySavesCannotBothFitIntoOneCopayRemainder)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(20000));
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = 25000, Fact_U_Copay = 24000"));
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    const LoginContext clerk = f.login();

    SecondWorkstation other;
    {
        Transaction tx(f.db);
        EXPECT_EQ(ClaimEntry::save(f.db, clerk, copay(), draft(kv, {receipt(0, baht(1000))})).payable, baht(1000));
        other.start(f.t, [&](Database& db) {
            ClaimEntry::save(db, clerk, copay(), draft(kv, {receipt(1, baht(600))}));
        });
        EXPECT_TRUE(other.stillWaiting()) << "the second save read the co-pay row while the first held it";
        tx.commit();
    }
    other.join();
    // The first took the whole remainder: the second is refused, not paid twice.
    EXPECT_EQ(other.error, copayMessages::usedUpSave);
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 1);
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_U_Copay")), baht(25000));
}
