#include "ClaimsFixture.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimSummaryService.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

// A right-type "2" employee's yearly row with his medical and co-pay figures.
void copayYear(ClaimsDb& f, const QString& kv, Money medicalUsed, Money flex, Money copayUsed,
               Money copayLimit = baht(25000))
{
    f.addYear(kv, QStringLiteral("2568"), baht(20000), medicalUsed, flex);
    f.db.exec(QStringLiteral("UPDATE T_Year_Cur_Health SET Fact_T_Copay = ?, Fact_U_Copay = ?, Kv_T_Copay = ? "
                             "WHERE KV_ID = ?"),
              {copayLimit.toSql(), copayUsed.toSql(), copayLimit.toSql(), kv});
}

QString copayUsed(ClaimsDb& f, const QString& kv)
{
    return f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_U_Copay")).toDisplay();
}

} // namespace

TEST(CopayLimit, GatesInTheirOrderWithTheMessagesOfOpeningAndSaving)
{
    namespace t = copayMessages;
    auto row = [](const char* hType, Money u, Money f, Money copayUsed) {
        CopayFigures c;
        c.hType = QString::fromLatin1(hType);
        c.hasRow = true;
        c.medical = {baht(20000), u, f};
        c.limit = baht(25000);
        c.used = copayUsed;
        return c;
    };
    CopayFigures noRow;
    noRow.hType = QStringLiteral("2");
    CopayFigures typeOneNoRow;
    typeOneNoRow.hType = QStringLiteral("1");
    const struct {
        const char* name;
        CopayFigures figures;
        QString opening, saving;
    } cases[] = {
        {"right type 1 is refused before anything else", typeOneNoRow, t::typeRefused, t::typeRefused},
        {"no yearly row", noRow, t::noRowOpen, t::noRowSave},
        {"one satang of the medical limit left", row("2", baht(19999.99), {}, {}), t::medicalNotUsedUp,
         t::medicalNotUsedUp},
        {"medical limit used to the last satang", row("2", baht(20000), {}, {}), QString(), QString()},
        {"used up together with the flexible benefit", row("2", baht(17000), baht(3000), {}), QString(), QString()},
        {"cut at the limit: used is H - F", row("2", baht(18500), baht(1500), baht(24999.99)), QString(), QString()},
        {"co-pay used up", row("2", baht(20000), {}, baht(25000)), t::usedUpOpen, t::usedUpSave},
        {"co-pay used above its limit", row("2", baht(20000), {}, baht(25000.01)), t::usedUpOpen, t::usedUpSave},
    };
    const CopayGateTexts& texts = copay().limit.copay;
    for (const auto& c : cases) {
        EXPECT_EQ(copayGate(texts, c.figures, false), c.opening) << c.name;
        EXPECT_EQ(copayGate(texts, c.figures, true), c.saving) << c.name;
    }
}

TEST(CopayLimit, ChargeWithinEqualToAndAboveTheRemainder)
{
    const struct {
        Money used, total, payable, excess, newUsed;
    } cases[] = {
        {baht(20000), baht(3000), baht(3000), {}, baht(23000)},
        {baht(20000), baht(5000), baht(5000), {}, baht(25000)},          // exactly fills it
        {baht(20000), baht(5000.01), baht(5000), baht(0.01), baht(25000)},
        {baht(24999.99), baht(800), baht(0.01), baht(799.99), baht(25000)},
    };
    for (const auto& c : cases) {
        const Charge ch = chargeCopay(baht(25000), c.used, c.total);
        EXPECT_EQ(ch.before, baht(25000) - c.used);
        EXPECT_EQ(ch.payable, c.payable) << c.total.toDisplay().toStdString();
        EXPECT_EQ(ch.excess, c.excess);
        EXPECT_EQ(ch.newUsed, c.newUsed);
        EXPECT_EQ(ch.payable + ch.excess, c.total);
    }
}

TEST(CopaySave, ChargesTheCopayLimitOnlyAndRefusesOnceItIsUsedUp)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    copayYear(f, kv, baht(17000), baht(3000), baht(24000));
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 7)"));

    const SavedClaim s = ClaimEntry::save(f.db, f.login(), copay(), draft(kv, {receipt(0, baht(600)), receipt(1, baht(900))}));
    EXPECT_EQ(s.claimNo, QStringLiteral("SC2568/0000007")) << "the faculty's one claim-number series";
    EXPECT_EQ(s.before, baht(1000));
    EXPECT_EQ(s.payable, baht(1000));
    EXPECT_EQ(s.excess, baht(500));
    EXPECT_EQ(copayUsed(f, kv), QStringLiteral("25,000.00"));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(17000)) << "medical untouched";
    EXPECT_EQ(f.claimValue(s.claimNo, QStringLiteral("Berg_Type_Code")), QStringLiteral("COP"));
    // The excess comes off the last receipt's patient: lines 600 and 400.
    const Rows lines = f.db.select(QStringLiteral("SELECT HM_Can_Berg FROM T_Pay_Health_Detail WHERE Berg_Doc_ID = ? "
                                                  "ORDER BY Emp_Folk"),
                                   {s.claimNo});
    ASSERT_EQ(lines.count(), 2);
    EXPECT_EQ(lines.money(1, QStringLiteral("HM_Can_Berg")), baht(400));

    const qint64 claims = f.count(QStringLiteral("T_PAY_Health"));
    EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, f.login(), copay(), draft(kv, {receipt(0, baht(10))})); }),
              copayMessages::usedUpSave);
    EXPECT_EQ(errorOf([&] { ClaimEntry::openEntry(f.db, copay(), kv, QStringLiteral("2568")); }), copayMessages::usedUpOpen);
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), claims);
}

TEST(CopaySave, RefusalsLeaveNothingWritten)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString noRow = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    const QString typeOne = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
    f.addYear(typeOne, QStringLiteral("2568"), baht(200000), baht(200000));
    const QString medicalLeft = f.addEmployee(3, QStringLiteral("SC"), QStringLiteral("2"));
    copayYear(f, medicalLeft, baht(19000), {}, {});
    const QString noNumber = f.addEmployee(4, QStringLiteral("SC"), QStringLiteral("2"));
    copayYear(f, noNumber, baht(20000), {}, {});
    // No T_Berg_Runno row: the co-pay entry never creates one.
    const struct {
        QString kv, message;
    } cases[] = {
        {noRow, copayMessages::noRowSave},
        {typeOne, copayMessages::typeRefused},
        {medicalLeft, copayMessages::medicalNotUsedUp},
        {noNumber, QStringLiteral("ไม่พบข้อมูล ในตารางใบเบิก \rเกิดความผิดพลาดในระบบ กรุณาแจ้งผู้ดูแลระบบครับ")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { ClaimEntry::save(f.db, f.login(), copay(), draft(c.kv, {receipt(0, baht(100))})); }),
                  c.message);
    }
    EXPECT_EQ(f.count(QStringLiteral("T_PAY_Health")), 0);
    EXPECT_EQ(f.count(QStringLiteral("T_Berg_Runno")), 0);
    EXPECT_EQ(copayUsed(f, noNumber), QStringLiteral("0.00")) << "the usage is not raised without a number";
    EXPECT_EQ(f.yearValue(noRow, QStringLiteral("2568"), QStringLiteral("Fact_U_Copay")), Money::fromSatang(-1))
        << "no yearly row is created";

    const auto shown = ClaimEntry::remainingLimit(f.db, copay(), noRow, QStringLiteral("2568"), QStringLiteral("2"));
    EXPECT_FALSE(shown.hasRow);
    EXPECT_EQ(shown.entitled, baht(25000));
    EXPECT_EQ(shown.remaining, baht(25000));
}

TEST(CopayCancelAndSummary, FollowTheEmployeesPresentFacultyAndMoveTheCopayUsage)
{
    WELMORA_NEED_DB();
    ClaimsDb f;
    const QString kv = f.addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
    copayYear(f, kv, baht(20000), {}, {});
    f.db.exec(QStringLiteral("INSERT INTO T_Berg_Runno (Fact_Code, Berg_Year, Run_No) VALUES ('SC', '2568', 1)"));
    const LoginContext sc = f.login();
    const QString a = ClaimEntry::save(f.db, sc, copay(), draft(kv, {receipt(0, baht(1200))})).claimNo;
    const QString b = ClaimEntry::save(f.db, sc, copay(), draft(kv, {receipt(0, baht(800))})).claimNo;
    const QString c = ClaimEntry::save(f.db, sc, copay(), draft(kv, {receipt(0, baht(300))})).claimNo;
    const QString fae = [&] {
        const QString other = f.addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
        return ClaimEntry::save(f.db, sc, outpatient(), draft(other, {receipt(0, baht(50))})).claimNo;
    }();
    EXPECT_EQ(copayUsed(f, kv), QStringLiteral("2,300.00"));

    // The employee moves to EN: his claims are listed there, no longer at SC.
    f.db.exec(QStringLiteral("UPDATE T_Emp_Gov_Histry SET Fact_code = 'EN' WHERE KV_ID = ?"), {kv});
    EXPECT_TRUE(ClaimCancel::search(f.db, sc, copay(), QStringLiteral("SC"), ClaimSearchBy::ClaimNo, {}).isEmpty());
    EXPECT_TRUE(ClaimSummary::listOpen(f.db, sc, copay(), {}, QStringLiteral("2568"), QStringLiteral("0")).isEmpty());
    const LoginContext en = f.login(QStringLiteral("FC"), QStringLiteral("EN"));
    const auto listed = ClaimCancel::search(f.db, en, copay(), {}, ClaimSearchBy::ClaimNo, {});
    ASSERT_EQ(listed.size(), 3) << "co-pay claims only, not the outpatient " << fae.toStdString();
    EXPECT_EQ(errorOf([&] { ClaimCancel::cancel(f.db, sc, copay(), {}, b); }), kNotFound);

    ClaimCancel::cancel(f.db, en, copay(), {}, b);
    EXPECT_EQ(copayUsed(f, kv), QStringLiteral("1,500.00")) << "its payable amount given back";
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(20000));

    EXPECT_EQ(ClaimSummary::listOpen(f.db, en, copay(), {}, QStringLiteral("2568"), QStringLiteral("0")).size(), 2);
    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, sc, copay(), {}, {a, c}); }),
              kNotFound + QStringLiteral(" (") + a + QLatin1Char(')'));
    const QString control = ClaimSummary::send(f.db, en, copay(), {}, {a, c});
    EXPECT_EQ(control, QStringLiteral("KV2568/000001EN"));
    EXPECT_EQ(f.db.select(QStringLiteral("SELECT Sent_Doc_Type FROM T_Sent_KV_Detail WHERE Sent_KV_Doc_ID = ?"), {control})
                  .text(0, QStringLiteral("Sent_Doc_Type")),
              QStringLiteral("COP"));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("Kv_U_Copay")), baht(1500));
    EXPECT_EQ(f.yearValue(kv, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), Money());
}
