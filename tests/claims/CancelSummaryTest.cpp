#include "ClaimsFixture.h"
#include "claims/ClaimCancelService.h"
#include "claims/ClaimSummaryService.h"

using namespace wel;
using namespace wel::claims;
using namespace wel::test;

namespace {

// Three SC claims of budget year 2568: one cut at the limit (claimed 2,500,
// payable 2,000), two within it; and one EN claim.
struct Claims : ClaimsDb {
    QString kvCut, kvOk, kvEn;
    QString cut, ok1, ok2, en;
    Claims()
    {
        kvCut = addEmployee(1, QStringLiteral("SC"), QStringLiteral("2"));
        addYear(kvCut, QStringLiteral("2568"), baht(20000), baht(18000));
        kvOk = addEmployee(2, QStringLiteral("SC"), QStringLiteral("1"));
        addYear(kvOk, QStringLiteral("2568"), baht(200000), {});
        kvEn = addEmployee(3, QStringLiteral("EN"), QStringLiteral("1"));
        addYear(kvEn, QStringLiteral("2568"), baht(200000), {});
        const ClaimKind& k = outpatient();
        cut = ClaimEntry::save(db, login(), k, draft(kvCut, {receipt(0, baht(1500)), receipt(1, baht(1000))})).claimNo;
        ok1 = ClaimEntry::save(db, login(), k, draft(kvOk, {receipt(0, baht(100.10))})).claimNo;
        ok2 = ClaimEntry::save(db, login(), k, draft(kvOk, {receipt(1, baht(200.20))})).claimNo;
        en = ClaimEntry::save(db, login(QStringLiteral("FC"), QStringLiteral("EN")), k, draft(kvEn, {receipt(0, baht(50))}))
                 .claimNo;
    }
};

QStringList numbersOf(const QVector<OpenClaimRow>& rows)
{
    QStringList l;
    for (const auto& r : rows)
        l << r.claimNo;
    return l;
}

} // namespace

TEST(ClaimCancel, GivesBackTheStoredPayableOnlyWhileTheClaimIsOpen)
{
    WELMORA_NEED_DB();
    Claims f;
    const ClaimKind& k = outpatient();
    const LoginContext fc = f.login();

    // Search modes; another faculty's claim is not listed for a faculty clerk.
    EXPECT_EQ(numbersOf(ClaimCancel::search(f.db, fc, k, QStringLiteral("EN"), ClaimSearchBy::ClaimNo, {})),
              (QStringList{f.cut, f.ok1, f.ok2}));
    EXPECT_EQ(numbersOf(ClaimCancel::search(f.db, fc, k, {}, ClaimSearchBy::ClaimNo, QStringLiteral("sc2568/0000001"))),
              (QStringList{f.cut}));
    EXPECT_EQ(numbersOf(ClaimCancel::search(f.db, fc, k, {}, ClaimSearchBy::Name, QStringLiteral("สมชาย2"))),
              (QStringList{f.ok1, f.ok2}));
    EXPECT_EQ(numbersOf(ClaimCancel::search(f.db, fc, k, {}, ClaimSearchBy::EmpId, QStringLiteral("600001"))),
              (QStringList{f.cut}));
    EXPECT_EQ(numbersOf(ClaimCancel::search(f.db, f.login(QStringLiteral("KV"), QStringLiteral("OP")), k,
                                            QStringLiteral("EN"), ClaimSearchBy::ClaimNo, {})),
              (QStringList{f.en}));

    const OpenClaim c = ClaimCancel::load(f.db, fc, k, {}, f.cut);
    EXPECT_EQ(c.payable, baht(2000));
    ASSERT_EQ(c.lines.size(), 2);
    EXPECT_EQ(c.lines[1].claimed, baht(1000));

    EXPECT_EQ(f.yearValue(f.kvCut, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(20000));
    ClaimCancel::cancel(f.db, fc, k, {}, f.cut);
    EXPECT_EQ(f.claimValue(f.cut, QStringLiteral("Berg_Doc_Status")), QStringLiteral("NO"));
    EXPECT_EQ(f.yearValue(f.kvCut, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(18000))
        << "the payable amount (2,000), not the claimed 2,500, is given back";
    EXPECT_EQ(f.count(QStringLiteral("T_Reciept")), 5) << "lines and receipts stay";

    // Cancelled, summarised or another faculty's claim: refused, nothing changes.
    ClaimSummary::send(f.db, fc, k, {}, {f.ok1});
    for (const QString& no : {f.cut, f.ok1, f.en}) {
        EXPECT_EQ(errorOf([&] { ClaimCancel::load(f.db, fc, k, {}, no); }), kNotFound) << no.toStdString();
        EXPECT_EQ(errorOf([&] { ClaimCancel::cancel(f.db, fc, k, {}, no); }), kNotFound) << no.toStdString();
    }
    EXPECT_EQ(f.yearValue(f.kvCut, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(18000));
    EXPECT_EQ(f.yearValue(f.kvOk, QStringLiteral("2568"), QStringLiteral("Fact_T_U_H")), baht(300.30));
    EXPECT_EQ(f.claimValue(f.en, QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));
    EXPECT_EQ(ClaimCancel::confirmText(f.ok2), QStringLiteral("ยืนยันการบันทึก การยกเลิกใบเบิก เลขที่ ((SC2568/0000003))"));
    EXPECT_EQ(ClaimCancel::doneText(f.ok2), QStringLiteral("ทำการยกเลิกใบเบิกเลขที่ SC2568/0000003  เรียบร้อยแล้วครับ"));
}

TEST(ClaimSummary, GathersOpenClaimsUnderOneControlNumber)
{
    WELMORA_NEED_DB();
    Claims f;
    const ClaimKind& k = outpatient();
    const LoginContext fc = f.login();

    const auto open = ClaimSummary::listOpen(f.db, fc, k, {}, QStringLiteral("2568"), QStringLiteral("0"));
    ASSERT_EQ(open.size(), 3);
    EXPECT_EQ(open[0].claimNo, f.cut);
    EXPECT_EQ(open[0].payable, baht(2000));
    EXPECT_EQ(open[0].claimed, baht(2500));
    EXPECT_TRUE(ClaimSummary::listOpen(f.db, fc, k, {}, QStringLiteral("2568"), QStringLiteral("1")).isEmpty());
    EXPECT_TRUE(ClaimSummary::listOpen(f.db, fc, k, {}, QStringLiteral("2567"), QStringLiteral("0")).isEmpty());

    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, fc, k, {}, {}); }), ClaimSummary::kNothingMarked);
    const QString no = ClaimSummary::send(f.db, fc, k, {}, {f.cut, f.ok2});
    EXPECT_EQ(no, QStringLiteral("KV2568/000001SC"));
    for (const QString& c : {f.cut, f.ok2})
        EXPECT_EQ(f.claimValue(c, QStringLiteral("Berg_Doc_Status")), QStringLiteral("KV"));
    EXPECT_EQ(f.claimValue(f.ok1, QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));
    const Rows members = f.db.select(QStringLiteral("SELECT Berg_Doc_ID, Order_No FROM T_Sent_KV WHERE Sent_KV_Doc_ID = ? "
                                                    "ORDER BY Order_No"),
                                     {no});
    ASSERT_EQ(members.count(), 2);
    EXPECT_EQ(members.text(0, QStringLiteral("Berg_Doc_ID")), f.cut);
    EXPECT_EQ(members.text(1, QStringLiteral("Berg_Doc_ID")), f.ok2);
    EXPECT_EQ(members.integer(1, QStringLiteral("Order_No")), 2);
    const Rows head = f.db.select(QStringLiteral("SELECT * FROM T_Sent_KV_Detail WHERE Sent_KV_Doc_ID = ?"), {no});
    EXPECT_EQ(head.text(0, QStringLiteral("Sent_Doc_Status")), QStringLiteral("A"));
    EXPECT_EQ(head.text(0, QStringLiteral("Sent_Doc_Type")), QStringLiteral("FAE"));
    EXPECT_EQ(head.text(0, QStringLiteral("Sent_Date")), QStringLiteral("15/11/2567"));
    EXPECT_EQ(head.text(0, QStringLiteral("Fact_Code")), QStringLiteral("SC"));
    EXPECT_EQ(head.text(0, QStringLiteral("Sent_User")), QStringLiteral("clerk"));
    EXPECT_EQ(f.yearValue(f.kvCut, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(2000))
        << "the stored payable amount, not the claimed total";
    EXPECT_EQ(f.yearValue(f.kvOk, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), baht(200.20));

    // Sent again, cancelled meanwhile, another faculty's: refused, nothing written.
    ClaimCancel::cancel(f.db, fc, k, {}, f.ok1);
    const struct {
        QStringList claims;
        QString message;
    } refused[] = {
        {{f.ok2}, ClaimSummary::kAlreadySent},
        {{f.ok1}, QStringLiteral("ใบเบิกเลขที่ SC2568/0000002 ถูกยกเลิกแล้ว กรุณาคลิก ปุ่มแสดงผลใหม่")},
        {{f.en}, QStringLiteral("ไม่พบข้อมูลที่ต้องการ (EN2568/0000001)")},
    };
    for (const auto& r : refused)
        EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, fc, k, {}, r.claims); }), r.message);
    EXPECT_EQ(f.count(QStringLiteral("T_Sent_KV_Detail")), 1);
    EXPECT_EQ(f.db.select(QStringLiteral("SELECT Run_No FROM T_Sent_KV_RunNo")).integer(0, QStringLiteral("Run_No")), 2);

    // The finance division summarises for another faculty: its code ends the number.
    const QString enNo = ClaimSummary::send(f.db, f.login(QStringLiteral("KV"), QStringLiteral("OP")), k,
                                            QStringLiteral("en"), {f.en});
    EXPECT_EQ(enNo, QStringLiteral("KV2568/000002EN"));
}

TEST(ClaimSummary, StopsWithoutAYearlyRowAndWritesNothing)
{
    WELMORA_NEED_DB();
    Claims f;
    f.db.exec(QStringLiteral("DELETE FROM T_Year_Cur_Health WHERE KV_ID = ?"), {f.kvOk});
    EXPECT_EQ(errorOf([&] { ClaimSummary::send(f.db, f.login(), outpatient(), {}, {f.cut, f.ok1}); }), kNoYearRow);
    EXPECT_EQ(f.claimValue(f.cut, QStringLiteral("Berg_Doc_Status")), QStringLiteral("FC"));
    EXPECT_EQ(f.yearValue(f.kvCut, QStringLiteral("2568"), QStringLiteral("KV_T_U_H")), Money());
    EXPECT_EQ(f.count(QStringLiteral("T_Sent_KV")), 0);
}

TEST(ClaimListings, DayMonthAndYearOfTheStoredDateText)
{
    WELMORA_NEED_DB();
    Claims f;
    const ClaimKind& k = outpatient();
    // Entry and summary dates spread over two months and two years.
    f.db.exec(QStringLiteral("UPDATE T_PAY_Health SET Date_Ent = '03/12/2567' WHERE Berg_Doc_ID = ?"), {f.ok1});
    f.db.exec(QStringLiteral("UPDATE T_PAY_Health SET Date_Ent = '15/11/2566' WHERE Berg_Doc_ID = ?"), {f.ok2});
    ClaimCancel::cancel(f.db, f.login(), k, {}, f.cut);
    const LoginContext fc = f.login();
    auto numbers = [&](DateFilter::Kind kind, const QString& v) {
        QStringList l;
        for (const auto& r : ClaimListings::claimsForReprint(f.db, fc, k, {}, {kind, v}))
            l << r.claimNo;
        return l;
    };
    EXPECT_EQ(numbers(DateFilter::Day, QStringLiteral("03/12/2567")), (QStringList{f.ok1}));
    EXPECT_EQ(numbers(DateFilter::Month, QStringLiteral("11/2567")), QStringList()) << "the cancelled claim is left out";
    EXPECT_EQ(numbers(DateFilter::Month, QStringLiteral("11/2566")), (QStringList{f.ok2}));
    EXPECT_EQ(numbers(DateFilter::Year, QStringLiteral("2567")), (QStringList{f.ok1}));
    EXPECT_EQ(numbers(DateFilter::Year, QStringLiteral("2568")), QStringList());
    const auto row = ClaimListings::claimsForReprint(f.db, fc, k, {}, {DateFilter::Day, QStringLiteral("03/12/2567")});
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row[0].name, QStringLiteral("นายสมชาย2  ใจดี"));
    EXPECT_EQ(row[0].payable, baht(100.10));

    const QString a = ClaimSummary::send(f.db, fc, k, {}, {f.ok1});
    const QString b = ClaimSummary::send(f.db, fc, k, {}, {f.ok2});
    f.db.exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Date = '01/01/2568', Sent_Doc_Status = 'C' "
                             "WHERE Sent_KV_Doc_ID = ?"),
              {b});
    auto controls = [&](DateFilter::Kind kind, const QString& v) {
        QStringList l;
        for (const auto& r : ClaimListings::controlNumbers(f.db, fc, k, {}, {kind, v}))
            l << r.controlNo;
        return l;
    };
    EXPECT_EQ(controls(DateFilter::Day, QStringLiteral("15/11/2567")), (QStringList{a}));
    EXPECT_EQ(controls(DateFilter::Month, QStringLiteral("01/2568")), (QStringList{b})) << "cancelled ones are listed";
    EXPECT_EQ(controls(DateFilter::Year, QStringLiteral("2568")), (QStringList{b}));
    EXPECT_TRUE(ClaimListings::controlNumbers(f.db, f.login(QStringLiteral("KV"), QStringLiteral("OP")), k,
                                              QStringLiteral("EN"), {DateFilter::Year, QStringLiteral("2567")})
                    .isEmpty());
    const auto members = ClaimListings::claimsOfControl(f.db, a);
    ASSERT_EQ(members.size(), 1);
    EXPECT_EQ(members[0].claimNo, f.ok1);
    EXPECT_EQ(members[0].payYear, QStringLiteral("2568"));
}
