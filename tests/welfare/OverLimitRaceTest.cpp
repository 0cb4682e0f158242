#include "SecondWorkstation.h"
#include "WelfareFixture.h"
#include "check/IntegrityCheck.h"
#include "claims/ClaimCancelService.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

// The above-limit gate (the year's limit used in full) read on one
// workstation while another changes the yearly row: the above-limit save must
// wait for the other's transaction and decide on the row as it left it.
TEST(OverLimitRaces, TheGateIsDecidedOnTheYearlyRowAsTheOtherWorkstationLeftIt)
{
    WELMORA_NEED_DB();
    const QString gateClosed = QStringLiteral("ต้องเบิกใช้วงเงินเต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี 2568\n"
                                              "วงเงินค่ารักษา 200,000.00\nวงเงินที่ใช้ไป 199,000.00");
    const struct {
        const char* name;
        bool lastClaimSaved;                 // before the race: the limit used in full
        std::function<void(Database&, const LoginContext&, const QString& kv)> first;
        QString refused;                     // the above-limit save's message, "" when it passes
        Money usedAfter;
    } cases[] = {
        {"a cancellation gives part of the limit back", true,
         [](Database& db, const LoginContext& clerk, const QString&) {
             ClaimCancel::cancel(db, clerk, outpatient(), {}, QStringLiteral("SC2568/0000002"));
         },
         gateClosed, baht(199000)},
        {"a claim uses the rest of the limit", false,
         [](Database& db, const LoginContext& clerk, const QString& kv) {
             ClaimEntry::save(db, clerk, outpatient(), draft(kv, {receipt(0, baht(1000))}));
         },
         {}, baht(200000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WelfareDb f;
        const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("1"));
        f.db.exec(QStringLiteral("INSERT INTO T_Emp_RunNo (Emp_Year, Run_No) VALUES ('2560', 2)")); // past KV2560/000001
        const LoginContext clerk = f.login();
        const LoginContext finance = f.login(QStringLiteral("KV"), QStringLiteral("OP"));
        // The usage comes from claims, so that the integrity check can bear it out.
        ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(0, baht(199000))}));
        if (c.lastClaimSaved)
            ClaimEntry::save(f.db, clerk, outpatient(), draft(kv, {receipt(1, baht(1000))}));

        SecondWorkstation other;
        {
            Transaction tx(f.db);
            c.first(f.db, clerk, kv);
            other.start(f.t, [&](Database& db) {
                ClaimEntry::save(db, finance, overLimit(), draft(kv, {receipt(0, baht(5000))}, QStringLiteral("2568"),
                                                                 QStringLiteral("SC")));
            });
            EXPECT_TRUE(other.stillWaiting()) << "the above-limit save read the yearly row while the other held it";
            tx.commit();
        }
        other.join();
        EXPECT_EQ(other.error.toStdString(), c.refused.toStdString());
        const Rows ovm = f.db.select(QStringLiteral("SELECT T_M_Berg, M_Can_Berg FROM T_PAY_Health WHERE Berg_Type_Code = 'OVM'"));
        ASSERT_EQ(ovm.count(), c.refused.isEmpty() ? 1 : 0) << "nothing written by a refused save";
        if (!ovm.isEmpty())
            EXPECT_EQ(ovm.money(0, QStringLiteral("M_Can_Berg")), baht(5000));
        EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), c.usedAfter);
        const check::Report report = check::run(f.db);
        EXPECT_TRUE(report.consistent()) << check::format(report).toStdString();
    }
}
