#include "WelfareFixture.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimForm.h"
#include "claims/ClaimSummaryService.h"
#include "claims/SummaryDocument.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {
const QDateTime kPrinted(QDate(2024, 11, 20), QTime(9, 30, 0));
}

TEST(OverLimitGate, OpensOnlyWhenTheMedicalAndCopayLimitsAreUsedInFull)
{
    const QString noRow = QStringLiteral("ต้องเบิค่ารักษาเต็มวงเงินก่อน จึงจะสามารถเบิกเกินวงเงินได้\n"
                                         "Error 1 (Not Have A Record Data)");
    const struct {
        const char* name;
        std::optional<UsedUpFigures> row;
        QString message;
    } cases[] = {
        {"no year row", std::nullopt, noRow},
        {"used with the flexible benefit", UsedUpFigures{baht(20000), baht(19000), baht(1000), baht(25000), baht(25000)},
         {}},
        {"one satang left",
         UsedUpFigures{baht(20000), baht(18999.99), baht(1000), baht(25000), baht(25000)},
         QStringLiteral("ต้องเบิกใช้วงเงินเต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี 2568\nวงเงินค่ารักษา 20,000.00\n"
                        "วงเงินที่ใช้ไป 18,999.99")},
        {"co-pay left", UsedUpFigures{baht(20000), baht(20000), {}, baht(25000), baht(24000)},
         QStringLiteral("ต้องเบิกใช้วงเงิน CO-PAY เต็มจำนวนก่อน จึงจะสามารถเบิกเกินวงเงินได้\nปี 2568\n"
                        "วงเงิน CO-PAY 25,000.00\nวงเงิน CO-PAY ที่ใช้ไป 24,000.00")},
        {"type 1 used, no co-pay", UsedUpFigures{baht(200000), baht(200000), {}, {}, {}}, {}},
        // A flexible benefit raised after the limit was used up leaves it more
        // than used up, and a co-pay limit lowered the same way: both open.
        {"flexible benefit raised later", UsedUpFigures{baht(20000), baht(20000), baht(1500), baht(25000), baht(25000)},
         {}},
        {"co-pay limit lowered later", UsedUpFigures{baht(20000), baht(20000), {}, baht(20000), baht(25000)}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { checkLimitUsedUp(c.row, QStringLiteral("2568")); }), c.message) << c.name;
}

TEST(OverLimitSave, WholeClaimPayableYearRowUntouchedGateCheckedAgain)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("2"));
    f.addYear(kv, QStringLiteral("2568"), baht(20000), baht(19000), baht(1000));
    f.setCopay(kv, QStringLiteral("2568"), baht(25000), baht(25000));
    const LoginContext kv_ = f.login(QStringLiteral("KV"), QStringLiteral("OP"));
    const ClaimKind& k = overLimit();

    EXPECT_EQ(errorOf([&] { ClaimEntry::openEntry(f.db, k, kv, QStringLiteral("2568")); }), QString());
    EXPECT_NE(errorOf([&] { ClaimEntry::openEntry(f.db, k, kv, QStringLiteral("2567")); }), QString());

    // EN has no claim-number row yet: one is made, starting at 1.
    f.db.exec(QStringLiteral("DELETE FROM T_Berg_Runno WHERE Fact_Code = 'EN'"));
    const SavedClaim s = ClaimEntry::save(
        f.db, kv_, k, draft(kv, {receipt(0, baht(12000)), receipt(1, baht(345.50))}, QStringLiteral("2568"), QStringLiteral("en")));
    EXPECT_EQ(s.claimNo, QStringLiteral("EN2568/0000001"));
    EXPECT_EQ(f.claimValue(s.claimNo, QStringLiteral("Berg_Type_Code")), QStringLiteral("OVM"));
    EXPECT_EQ(Money::fromTyped(f.claimValue(s.claimNo, QStringLiteral("Vong_M_Befor"))), Money());
    EXPECT_EQ(Money::fromTyped(f.claimValue(s.claimNo, QStringLiteral("M_Can_Berg"))), baht(12345.50));
    EXPECT_EQ(f.claimValue(s.claimNo, QStringLiteral("Fact_Code")), QStringLiteral("EN"));
    const Rows lines = f.db.select(QStringLiteral("SELECT M_Berg, HM_Can_Berg FROM T_Pay_Health_Detail "
                                                  "WHERE Berg_Doc_ID = ? ORDER BY Emp_Folk"),
                                   {s.claimNo});
    ASSERT_EQ(lines.count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(lines.money(i, QStringLiteral("M_Berg")), lines.money(i, QStringLiteral("HM_Can_Berg")));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(19000)) << "not charged";

    // A cancellation elsewhere gave part of the limit back after the entry opened.
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_U_H = 18000"));
    const qint64 claims = f.count(QStringLiteral("T_PAY_Health"));
    EXPECT_TRUE(errorOf([&] { ClaimEntry::save(f.db, kv_, k, draft(kv, {receipt(0, baht(10))}, QStringLiteral("2568"), QStringLiteral("EN"))); })
                    .startsWith(QStringLiteral("ต้องเบิกใช้วงเงินเต็มจำนวนก่อน")));
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), claims);
    EXPECT_EQ(f.db.select(QStringLiteral("SELECT Run_No FROM T_Berg_Runno WHERE Fact_Code = 'EN'")).integer(0, QStringLiteral("Run_No")),
              2)
        << "the refused claim took no number";
}

TEST(OverLimitCancelSummary, StateRulesWithoutAnyUsage)
{
    WELMORA_NEED_DB();
    WelfareDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("EN"), QStringLiteral("1"));
    f.addYear(kv, QStringLiteral("2568"), baht(200000), baht(200000));
    const LoginContext fin = f.login(QStringLiteral("KV"), QStringLiteral("OP"));
    const ClaimKind& k = overLimit();
    auto save = [&](const QString& inOut) {
        ClaimDraft d = draft(kv, {receipt(0, baht(700))}, QStringLiteral("2568"), QStringLiteral("EN"));
        d.inOut = inOut;
        return ClaimEntry::save(f.db, fin, k, d).claimNo;
    };
    const QString a = save(QStringLiteral("0")), b = save(QStringLiteral("0")), c = save(QStringLiteral("1"));
    // An outpatient claim of the same faculty is not listed here.
    f.addYear(f.addEmployee(2, QStringLiteral("EN"), QStringLiteral("1")), QStringLiteral("2568"), baht(200000), {});
    ClaimEntry::save(f.db, fin, outpatient(),
                     draft(QStringLiteral("KV2560/000002"), {receipt(0, baht(5))}, QStringLiteral("2568"), QStringLiteral("EN")));

    EXPECT_EQ(ClaimCancel::search(f.db, fin, k, QStringLiteral("EN"), ClaimSearchBy::ClaimNo, {}).size(), 3);
    EXPECT_TRUE(ClaimCancel::search(f.db, f.login(QStringLiteral("FC"), QStringLiteral("SC")), k, QStringLiteral("EN"),
                                    ClaimSearchBy::ClaimNo, {})
                    .isEmpty())
        << "outside mode KV only the clerk's own faculty";
    ClaimCancel::cancel(f.db, fin, k, QStringLiteral("EN"), b);
    EXPECT_EQ(f.claimValue(b, QStringLiteral("Berg_Doc_Status")), QStringLiteral("NO"));
    EXPECT_EQ(errorOf([&] { ClaimCancel::cancel(f.db, fin, k, QStringLiteral("EN"), b); }), kNotFound);

    const auto open = ClaimSummary::listOpen(f.db, fin, k, QStringLiteral("EN"), QStringLiteral("2568"), QStringLiteral("0"));
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0].claimNo, a);
    const QString no = ClaimSummary::send(f.db, fin, k, QStringLiteral("EN"), {a});
    EXPECT_EQ(no, QStringLiteral("KV2568/000001EN"));
    EXPECT_EQ(f.db.select(QStringLiteral("SELECT Sent_Doc_Type FROM T_Sent_KV_Detail")).text(0, QStringLiteral("Sent_Doc_Type")),
              QStringLiteral("OVM"));
    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, fin, k, QStringLiteral("EN"), {a}); }), ClaimSummary::kAlreadySent);
    EXPECT_EQ(errorOf([&] { ClaimCancel::cancel(f.db, fin, k, QStringLiteral("EN"), a); }), kNotFound);
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(200000));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), Money()) << "nothing raised";

    // The claim form and the summary document of the kind.
    const Report form = claimForm(f.db, c, FormOccasion::Reprint, kPrinted);
    EXPECT_EQ(placedOnce(form, QStringLiteral("QRLabelTitle")),
              QStringLiteral("ใบเบิกสวัสดิการค่ารักษาพยาบาลกรณีเกินวงเงิน (ไม่ตัดวงเงิน)"));
    EXPECT_EQ(placedOnce(form, QStringLiteral("QRLabelRePrint")), QStringLiteral("Re-Print"));
    EXPECT_EQ(placedOnce(form, QStringLiteral("QRLabelMPay")), QStringLiteral("200,000"));
    EXPECT_EQ(placedOnce(form, QStringLiteral("QRLabelFootHead")), QStringLiteral("สรุปการเบิกค่ารักษาพยาบาล"));
    QStringList lines;
    for (int i = 1; i <= 4; ++i)
        lines << placedOnce(form, QStringLiteral("QRLabelLine%1").arg(i));
    EXPECT_EQ(lines, (QStringList{QStringLiteral("ไม่ตัดวงเงิน"), QStringLiteral("700.00"), QStringLiteral("ไม่ตัดวงเงิน"),
                                  QStringLiteral("0.00")}));
    EXPECT_TRUE(placed(form, QStringLiteral("QRLabelFlex")).isEmpty()) << "no flexible-benefit line";
    EXPECT_EQ(placedOnce(form, QStringLiteral("QRLabelInOut")), QStringLiteral("คนไข้ใน"));
    f.db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Emp_H_Type = '3'"));
    EXPECT_EQ(placedOnce(claimForm(f.db, c, FormOccasion::AfterSave, kPrinted), QStringLiteral("QRLabelMPay")),
              QStringLiteral("ไม่จำกัดวงเงิน"));

    const Report doc = summaryDocument(f.db, no, QStringLiteral("0"), kPrinted);
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabelTitle")),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล(เกินวงเงิน)-คนไข้นอก"));
    EXPECT_EQ(placedOnce(summaryDocument(f.db, no, std::nullopt, kPrinted), QStringLiteral("QRLabelTitle")),
              QStringLiteral("สรุปใบเบิกสวัสดิการค่ารักษาพยาบาล(เกินวงเงิน) -คนไข้นอก"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRLabelFact")), QStringLiteral("คณะวิศวกรรมศาสตร์(EN)"));
    EXPECT_EQ(placedOnce(doc, QStringLiteral("QRExpr3")), QStringLiteral("700.00"));
}
