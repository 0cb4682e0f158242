#include "../claims/ClaimsFixture.h"
#include "CheckSupport.h"
#include "check/IntegrityCheck.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimSummaryService.h"
#include "demo/DemoSetup.h"
#include "finance/CancelService.h"
#include "finance/DemoVouchers.h"
#include "finance/VoucherService.h"

#include <QProcess>

using namespace wel;
using namespace wel::test;

namespace {

// Whether the report names the rule with a row that mentions what.
::testing::AssertionResult reports(const check::Report& r, const QString& rule, const QString& what)
{
    for (const check::Difference& d : r.differences)
        if (d.rule == rule && (d.text + d.rows.join(QLatin1Char('\n'))).contains(what))
            return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no [" << rule.toStdString() << "] naming " << what.toStdString()
                                         << " in:\n" << check::format(r).toStdString();
}

QString firstOf(Database& db, const QString& sql, const QVariantList& params = {})
{
    const Rows r = db.select(sql, params);
    return r.isEmpty() ? QString() : r.value(0, 0).toString().trimmed();
}

} // namespace

// The demo database is made through the services the screens call, with
// open, cancelled and summarised claims, vouchers in force and cancelled.
TEST(Check, DemoDatabasePasses)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims);
    demo::loadDemoWelfareClaims(t.db());
    finance::loadDemoVouchers(t.db());
    const check::Report r = check::run(t.db());
    EXPECT_TRUE(r.consistent()) << check::format(r).toStdString();
    EXPECT_GT(r.claims, 10);
    EXPECT_GT(r.controls, 2);
    EXPECT_GT(r.vouchers, 1);
}

// A whole life cycle through the services, with every reversal, leaves
// counters the check recomputes to the satang.
TEST(Check, LifeCycleThroughTheServicesPasses)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    f.db.exec(QStringLiteral("INSERT INTO T_PVR_Runno (Sent_Year, Run_No) VALUES ('2568', 1)"));
    // The fixture's employees stand for ones added in 2560, whose counter row is ahead of them.
    f.db.exec(QStringLiteral("INSERT INTO T_Emp_RunNo (Emp_Year, Run_No) VALUES ('2560', 3)"));
    const QString a = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    const QString b = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(a, QStringLiteral("2568"), baht(20000), {});
    const LoginContext clerk = f.login();
    const auto& kind = claims::outpatient();
    using namespace claims;
    const QString c1 = ClaimEntry::save(f.db, clerk, kind, draft(a, {receipt(0, baht(15000.25)), receipt(1, baht(7000))})).claimNo; // capped
    const QString c2 = ClaimEntry::save(f.db, clerk, kind, draft(b, {receipt(0, baht(1234.56))})).claimNo; // new yearly row
    const QString c3 = ClaimEntry::save(f.db, clerk, kind, draft(b, {receipt(1, baht(99.99))})).claimNo;
    const QString c4 = ClaimEntry::save(f.db, clerk, kind, draft(b, {receipt(0, baht(10))})).claimNo;
    ClaimCancel::cancel(f.db, clerk, kind, {}, c3);
    const QString k1 = ClaimSummary::send(f.db, clerk, kind, {}, {c1, c2});
    const QString pv = finance::Vouchers::make(f.db, clerk, {}, {k1}, QStringLiteral("ผู้รับเงิน"));
    finance::VoucherCancel::cancel(f.db, clerk, pv);
    finance::ControlCancel::cancel(f.db, clerk, k1);
    const QString k2 = ClaimSummary::send(f.db, clerk, kind, {}, {c1, c4});
    finance::Vouchers::make(f.db, clerk, {}, {k2}, QStringLiteral("ผู้รับเงิน"));

    const check::Report r = check::run(f.db);
    EXPECT_TRUE(r.consistent()) << check::format(r).toStdString();
    EXPECT_EQ(r.claims, 4);
}

// Each corruption, made inside a transaction that is rolled back afterwards,
// is reported under its rule with the rows involved.
TEST(Check, EverySeededCorruptionIsReported)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims);
    finance::loadDemoVouchers(t.db());
    Database& db = t.db();
    ASSERT_TRUE(check::run(db).consistent());

    const QString open = firstOf(db, QStringLiteral("SELECT Berg_Doc_ID FROM T_PAY_Health WHERE Berg_Doc_Status = 'FC' "
                                                    "AND M_Can_Berg > 0 ORDER BY Berg_Doc_ID"));
    const QString sent = firstOf(db, QStringLiteral("SELECT h.Berg_Doc_ID FROM T_PAY_Health h JOIN T_Sent_KV m ON "
                                                    "m.Berg_Doc_ID = h.Berg_Doc_ID JOIN T_Sent_KV_Detail c ON "
                                                    "c.Sent_KV_Doc_ID = m.Sent_KV_Doc_ID WHERE c.Sent_Doc_Status = 'A' "
                                                    "ORDER BY h.Berg_Doc_ID"));
    const QString controlA = firstOf(db, QStringLiteral("SELECT Sent_KV_Doc_ID FROM T_Sent_KV_Detail "
                                                        "WHERE Sent_Doc_Status = 'A' ORDER BY Sent_KV_Doc_ID"));
    const QString pvr = firstOf(db, QStringLiteral("SELECT PVR_NO FROM T_PV WHERE Sent_Doc_Status = 'A' ORDER BY PVR_NO"));
    const QString controlP = firstOf(db, QStringLiteral("SELECT Sent_KV_Doc_ID FROM T_PV_Detail WHERE PVR_NO = ? "
                                                        "ORDER BY Order_No"), {pvr});
    const QString kvOfOpen = firstOf(db, QStringLiteral("SELECT KV_ID FROM T_PAY_Health WHERE Berg_Doc_ID = ?"), {open});
    const QString emptyYear = firstOf(db, QStringLiteral("SELECT y.KV_ID FROM T_Year_Cur_Health y WHERE NOT EXISTS "
                                                         "(SELECT 1 FROM T_PAY_Health h WHERE h.KV_ID = y.KV_ID) ORDER BY y.KV_ID"));
    ASSERT_FALSE(open.isEmpty() || sent.isEmpty() || controlA.isEmpty() || controlP.isEmpty() || pvr.isEmpty()
                 || emptyYear.isEmpty());

    struct Case {
        const char* name;
        QVector<std::pair<QString, QVariantList>> sql;
        QString rule, names;
    };
    const QString yearOf = QStringLiteral("(SELECT Pay_Year FROM T_PAY_Health WHERE Berg_Doc_ID = ?)");
    const QVector<Case> cases = {
        {"a lost update of the used amount",
         {{QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_U_H = Fact_T_U_H - 0.01 WHERE KV_ID = ? AND Pay_Year = ")
               + yearOf,
           {kvOfOpen, open}}},
         QStringLiteral("usage"), kvOfOpen},
        {"finance-side usage off",
         {{QStringLiteral("UPDATE T_Year_Cur_Health SET KV_T_U_H = KV_T_U_H + 5 WHERE KV_ID = ?"), {kvOfOpen}}},
         QStringLiteral("usage"), kvOfOpen},
        {"co-pay used without co-pay claims",
         {{QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_U_Copay = 100 WHERE KV_ID = ?"), {emptyYear}}},
         QStringLiteral("usage"), emptyYear},
        {"finance co-pay used without claims",
         {{QStringLiteral("UPDATE T_Year_Cur_Health SET Kv_U_Copay = 1 WHERE KV_ID = ?"), {emptyYear}}},
         QStringLiteral("usage"), emptyYear},
        {"the yearly row of a charged claim gone",
         {{QStringLiteral("DELETE FROM T_Year_Cur_Health WHERE KV_ID = ?"), {kvOfOpen}}},
         QStringLiteral("no-year-row"), open},
        {"a claim handed over without a control number",
         {{QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'KV' WHERE Berg_Doc_ID = ?"), {open}}},
         QStringLiteral("sent-claim-without-control"), open},
        {"a claim under two control numbers in force",
         {{QStringLiteral("INSERT INTO T_Sent_KV (Berg_Doc_ID, Sent_KV_Doc_ID, Order_No) "
                          "SELECT ?, Sent_KV_Doc_ID, 9 FROM T_Sent_KV_Detail WHERE Sent_KV_Doc_ID = ?"),
           {sent, controlP}}},
         QStringLiteral("claim-in-two-controls"), sent},
        {"an open claim under a control number in force",
         {{QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'FC' WHERE Berg_Doc_ID = ?"), {sent}}},
         QStringLiteral("open-claim-in-control"), sent},
        {"a control number in \"P\" outside any voucher",
         {{QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'P' WHERE Sent_KV_Doc_ID = ?"), {controlA}}},
         QStringLiteral("paid-control-without-voucher"), controlA},
        {"a voucher cancelled without freeing its control numbers",
         {{QStringLiteral("UPDATE T_PV SET Sent_Doc_Status = 'C' WHERE PVR_NO = ?"), {pvr}}},
         QStringLiteral("paid-control-without-voucher"), controlP},
        {"an open control number in a voucher in force",
         {{QStringLiteral("INSERT INTO T_PV_Detail (PVR_NO, Sent_KV_Doc_ID, Order_No) VALUES (?, ?, 9)"), {pvr, controlA}}},
         QStringLiteral("open-control-in-voucher"), controlA},
        {"a line that does not add up",
         {{QStringLiteral("UPDATE T_Pay_Health_Detail SET HM_Can_Berg = HM_Can_Berg + 1 WHERE Berg_Doc_ID = ?"), {open}}},
         QStringLiteral("lines"), open},
        {"a receipt that does not add up",
         {{QStringLiteral("UPDATE T_Reciept SET P_money = P_money + 0.01 WHERE Berg_Doc_ID = ? AND Order_Doc = 1"), {open}}},
         QStringLiteral("receipts"), open},
        {"a claim number twice (letter case aside)",
         {{QStringLiteral("INSERT INTO T_PAY_Health (Berg_Doc_ID, KV_ID, Pay_Year, T_M_Berg, M_Can_Berg, Berg_Doc_Status, "
                          "Berg_Type_Code) SELECT LOWER(Berg_Doc_ID), KV_ID, Pay_Year, 0, 0, 'NO', Berg_Type_Code "
                          "FROM T_PAY_Health WHERE Berg_Doc_ID = ?"),
           {open}}},
         QStringLiteral("duplicate"), open.toUpper()},
        {"a claim counter behind its numbers",
         {{QStringLiteral("UPDATE T_Berg_Runno SET Run_No = 1"), {}}},
         QStringLiteral("running-number"), QStringLiteral("T_Berg_Runno")},
        {"a control-number counter row gone",
         {{QStringLiteral("DELETE FROM T_Sent_KV_RunNo"), {}}},
         QStringLiteral("running-number"), QStringLiteral("T_Sent_KV_RunNo")},
        {"a voucher counter behind its numbers",
         {{QStringLiteral("UPDATE T_PVR_Runno SET Run_No = 0"), {}}},
         QStringLiteral("running-number"), QStringLiteral("T_PVR_Runno")},
        {"a claim of a type no kind describes",
         {{QStringLiteral("UPDATE T_PAY_Health SET Berg_Type_Code = 'ZZZ' WHERE Berg_Doc_ID = ?"), {open}}},
         QStringLiteral("unknown-kind"), open},
        {"an unknown claim status",
         {{QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'XX' WHERE Berg_Doc_ID = ?"), {open}}},
         QStringLiteral("status"), open},
        {"a member row of a claim that does not exist",
         {{QStringLiteral("INSERT INTO T_Sent_KV (Berg_Doc_ID, Sent_KV_Doc_ID, Order_No) VALUES ('ZZ2568/0000001', ?, 9)"),
           {controlA}}},
         QStringLiteral("orphan"), QStringLiteral("ZZ2568/0000001")},
        {"a claim under a control number of another faculty",
         {{QStringLiteral("UPDATE T_PAY_Health SET Fact_Code = 'AG' WHERE Berg_Doc_ID = ?"), {sent}}},
         QStringLiteral("wrong-member"), sent},
        {"a voucher total that disagrees with its claims",
         {{QStringLiteral("UPDATE T_PV SET He_Out_Money = He_Out_Money + 0.01 WHERE PVR_NO = ?"), {pvr}}},
         QStringLiteral("voucher-totals"), QStringLiteral("He_Out_Money")},
        {"a voucher count that disagrees with its claims",
         {{QStringLiteral("UPDATE T_PV SET EDU_Count = EDU_Count + 1 WHERE PVR_NO = ?"), {pvr}}},
         QStringLiteral("voucher-totals"), pvr},
        {"a claim paying more than it claims",
         {{QStringLiteral("UPDATE T_PAY_Health SET M_Can_Berg = T_M_Berg + 0.01 WHERE Berg_Doc_ID = ?"), {open}}},
         QStringLiteral("payable-above-claimed"), open},
        {"a limit lowered below what is used",
         {{QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_H_Money = 0.01 WHERE KV_ID = ? AND Pay_Year = ") + yearOf,
           {kvOfOpen, open}}},
         QStringLiteral("over-limit"), kvOfOpen},
        {"a flexible benefit taken out of a limit already used",
         {{QStringLiteral("UPDATE T_Year_Cur_Health SET M_Flexben = Fact_T_H_Money WHERE KV_ID = ? AND Pay_Year = ") + yearOf,
           {kvOfOpen, open}}},
         QStringLiteral("over-limit"), QStringLiteral("less M_Flexben")},
        // Old data, from before the unique indexes: the index is dropped here
        // to plant the pair, as such a database has none.
        {"a staff number of two active employees",
         {{QStringLiteral("DROP INDEX ax_t_emp_gov_histry_emp_id"), {}},
          {QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_F_Name, Emp_Status) "
                          "SELECT 'OLD-1', EMP_ID, '9999999999999', Emp_F_Name, 'A' FROM T_Emp_Gov_Histry WHERE KV_ID = ?"),
           {kvOfOpen}}},
         QStringLiteral("duplicate-person"), QStringLiteral("KV_ID=OLD-1 EMP_ID=")},
        {"an identity number of two active employees",
         {{QStringLiteral("DROP INDEX ax_t_emp_gov_histry_emp_ssn"), {}},
          {QStringLiteral("INSERT INTO T_Emp_Gov_Histry (KV_ID, EMP_ID, Emp_SSN, Emp_F_Name, Emp_Status) "
                          "SELECT 'OLD-2', 'ZZ99', Emp_SSN, Emp_F_Name, 'A' FROM T_Emp_Gov_Histry WHERE KV_ID = ?"),
           {kvOfOpen}}},
         QStringLiteral("duplicate-person"), QStringLiteral("KV_ID=OLD-2 Emp_SSN=")},
        {"a control number in force without claims",
         {{QStringLiteral("DELETE FROM T_Sent_KV WHERE Sent_KV_Doc_ID = ?"), {controlA}},
          {QStringLiteral("UPDATE T_PAY_Health SET Berg_Doc_Status = 'FC' WHERE Berg_Doc_Status = 'KV'"), {}}},
         QStringLiteral("empty-control"), controlA},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transaction tx(db);
        for (const auto& [sql, params] : c.sql)
            db.exec(sql, params);
        EXPECT_TRUE(reports(check::run(db), c.rule, c.names));
        // tx rolls back
    }
    EXPECT_TRUE(check::run(db).consistent());
}

// The command reads only, prints each difference with its rows and tells
// the outcome by its exit status.
TEST(Check, AdminCommandExitStatusAndListing)
{
    WELMORA_NEED_DB();
    TestDb t(TestDb::DemoWithClaims);
    auto run = [&](QString* output) {
        QProcess p;
        p.start(QStringLiteral(WELMORA_ADMIN), {QStringLiteral("check"), QStringLiteral("--db"), urlText(t.url())});
        EXPECT_TRUE(p.waitForFinished(120000));
        *output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitCode();
    };
    QString out;
    EXPECT_EQ(run(&out), 0) << out.toStdString();
    EXPECT_TRUE(out.startsWith(QStringLiteral("consistent:"))) << out.toStdString();

    const QString claimNo = firstOf(t.db(), QStringLiteral("SELECT Berg_Doc_ID FROM T_PAY_Health WHERE Berg_Doc_Status = 'FC' "
                                                           "ORDER BY Berg_Doc_ID"));
    t.db().exec(QStringLiteral("UPDATE T_Reciept SET P_money = P_money + 1 WHERE Berg_Doc_ID = ?"), {claimNo});
    const qint64 before = t.db().select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Reciept")).integer(0, QStringLiteral("n"));
    EXPECT_EQ(run(&out), 1) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("[receipts]"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("T_PAY_Health Berg_Doc_ID=") + claimNo)) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("INCONSISTENT:"))) << out.toStdString();
    EXPECT_EQ(t.db().select(QStringLiteral("SELECT COUNT(*) AS n FROM T_Reciept")).integer(0, QStringLiteral("n")), before);
}
