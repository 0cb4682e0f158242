#include "FinanceFixture.h"
#include "finance/CancelService.h"
#include "finance/VoucherService.h"

#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

// What cancelling a control number gives back is what its hand-over added:
// in-patient claims their claimed total, outpatient and co-pay claims their
// payable amount; the other kinds touch no yearly row.
TEST(ControlCancel, GivesBackWhatTheHandOverAddedPerClaimKind)
{
    WELMORA_NEED_DB();
    struct Case {
        const char* type;       // Berg_Type_Code, also the control number's type
        const char* controlType;
        qint64 payable, claimed; // satang
        qint64 kvTUH, kvUCopay;  // expected used amounts after, from 9000.00 and 3000.00
    };
    const Case cases[] = {
        {"FAE", "FAE", 150050, 200000, 900000 - 150050, 300000},
        {"HPE", "FAE", 150050, 200000, 900000 - 200000, 300000},
        {"COP", "COP", 70025, 90000, 900000, 300000 - 70025},
        {"OVM", "OVM", 50000, 50000, 900000, 300000},
        {"OTH", "OTH", 50000, 50000, 900000, 300000},
        {"EDU", "EDU", 50000, 50000, 900000, 300000},
    };
    for (const Case& c : cases) {
        FinanceFixture f;
        FinanceFixture::Claim cl;
        cl.type = QString::fromLatin1(c.type);
        cl.payable = Money::fromSatang(c.payable);
        cl.claimed = Money::fromSatang(c.claimed);
        const QString claim = f.claim(cl);
        const QString control = f.control({claim}, QString::fromLatin1(c.controlType));
        ControlCancel::cancel(f.db(), test::financeClerk(), control);
        EXPECT_EQ(f.controlStatus(control), QStringLiteral("C")) << c.type;
        EXPECT_EQ(f.claimStatus(claim), QStringLiteral("FC")) << c.type;
        EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")).satang(), c.kvTUH) << c.type;
        EXPECT_EQ(f.used(QStringLiteral("Kv_U_Copay")).satang(), c.kvUCopay) << c.type;
        // The faculty side and the other year stay as they were.
        EXPECT_EQ(f.used(QStringLiteral("Fact_T_U_H")), Money::fromBaht(9000)) << c.type;
        EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H"), QStringLiteral("KV2567/000001"), QStringLiteral("2567")),
                  Money::fromBaht(9000))
            << c.type;
        EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_Sent_KV WHERE Sent_KV_Doc_ID = ?"), {control}), 1);
    }
}

TEST(ControlCancel, EachMemberLowersItsOwnYearlyRow)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString a = f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(100)));
    FinanceFixture::Claim lastYear = FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(200));
    lastYear.payYear = QStringLiteral("2567");
    const QString b = f.claim(lastYear);
    FinanceFixture::Claim second = FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("1"), Money::fromSatang(1));
    second.kvId = QStringLiteral("KV2567/000002");
    const QString c = f.claim(second);
    // An employee without a yearly row for the year: nothing to give back to.
    FinanceFixture::Claim noRow = FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(50));
    noRow.kvId = QStringLiteral("KV2567/000002");
    noRow.payYear = QStringLiteral("2569");
    const QString d = f.claim(noRow);
    const QString control = f.control({a, b, c, d});
    const auto listed = ControlCancel::claims(f.db(), control);
    ASSERT_EQ(listed.size(), 4);
    EXPECT_EQ(listed[0].claimNo, a);
    EXPECT_EQ(listed[0].name, QStringLiteral("นายสมชาย ใจดี"));
    EXPECT_EQ(listed[2].payable, Money::fromSatang(1));
    EXPECT_EQ(listed[1].payYear, QStringLiteral("2567"));

    ControlCancel::cancel(f.db(), test::financeClerk(), control);
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(8900));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H"), QStringLiteral("KV2567/000001"), QStringLiteral("2567")),
              Money::fromBaht(8800));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H"), QStringLiteral("KV2567/000002")), Money::fromSatang(899999));
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_Year_Cur_Health WHERE Pay_Year = '2569'")), 0);
    for (const QString& claim : {a, b, c, d})
        EXPECT_EQ(f.claimStatus(claim), QStringLiteral("FC"));
}

TEST(ControlCancel, OnlyAnOpenControlNumberIsCancelledAndNothingHalfDone)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString inVoucher = f.controlOf(QStringLiteral("0"), {100});
    Vouchers::make(f.db(), test::facultyClerk(), {}, {inVoucher}, {});
    const QString cancelled = f.control({f.claim({})}, QStringLiteral("FAE"), QStringLiteral("SC"),
                                        QStringLiteral("15/01/2568"), QStringLiteral("C"));
    // A member that is no longer handed over (changed by hand) stops the whole cancellation.
    const QString sent = f.claim(FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(300)));
    FinanceFixture::Claim open = FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromBaht(400));
    open.status = QStringLiteral("FC");
    const QString reopened = f.claim(open);
    const QString broken = f.control({sent, reopened});

    EXPECT_EQ(test::errorOf([&] { ControlCancel::cancel(f.db(), test::financeClerk(), inVoucher); }), kControlInVoucher.arg(inVoucher));
    EXPECT_EQ(test::errorOf([&] { ControlCancel::cancel(f.db(), test::financeClerk(), cancelled); }), kControlGone.arg(cancelled));
    EXPECT_EQ(test::errorOf([&] { ControlCancel::cancel(f.db(), test::financeClerk(), QStringLiteral("KV2568/999999SC")); }),
              kControlGone.arg(QStringLiteral("KV2568/999999SC")));
    EXPECT_EQ(test::errorOf([&] { ControlCancel::cancel(f.db(), test::financeClerk(), broken); }), kClaimNotSent.arg(reopened));
    EXPECT_EQ(f.controlStatus(inVoucher), QStringLiteral("P"));
    EXPECT_EQ(f.controlStatus(broken), QStringLiteral("A"));
    EXPECT_EQ(f.claimStatus(sent), QStringLiteral("KV"));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(9000));
}

TEST(VoucherCancel, FreesTheControlNumbersStillInTheVoucher)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString a = f.controlOf(QStringLiteral("0"), {100});
    const QString b = f.controlOf(QStringLiteral("E"), {200}, QStringLiteral("EDU"));
    const QString pvr = Vouchers::make(f.db(), test::facultyClerk(), {}, {a, b}, {});
    // b was put right by hand since: it is no longer the voucher's to give back.
    f.db().exec(QStringLiteral("UPDATE T_Sent_KV_Detail SET Sent_Doc_Status = 'C' WHERE Sent_KV_Doc_ID = ?"), {b});

    EXPECT_EQ(VoucherCancel::cancel(f.db(), test::financeClerk(), pvr), 1);
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV WHERE Sent_Doc_Status = 'C'")), 1);
    EXPECT_EQ(f.controlStatus(a), QStringLiteral("A"));
    EXPECT_EQ(f.controlStatus(b), QStringLiteral("C"));
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV_Detail WHERE PVR_NO = ?"), {pvr}), 2);
    EXPECT_EQ(test::errorOf([&] { VoucherCancel::cancel(f.db(), test::financeClerk(), pvr); }), kVoucherGone.arg(pvr));

    // Freed, the control number is offered again and can go into a new voucher.
    const auto open = Vouchers::listOpenControls(f.db(), QStringLiteral("SC"), Period::all());
    ASSERT_EQ(open.size(), 1);
    EXPECT_EQ(open[0].controlNo, a);
    const QString again = Vouchers::make(f.db(), test::facultyClerk(), {}, {a}, {});
    EXPECT_EQ(f.controlStatus(a), QStringLiteral("P"));
    EXPECT_EQ(Vouchers::members(f.db(), again).size(), 1);
    EXPECT_EQ(Vouchers::members(f.db(), pvr).size(), 2);
}

// The finance division cancels a control number while another workstation
// is putting it into a voucher: the cancellation waits, then is refused.
TEST(CancelRaces, ControlNumberTakenIntoAVoucherMeanwhile)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString control = f.controlOf(QStringLiteral("0"), {100});
    const QString failure = test::raceAgainst(
        f.t, [&](Database& db) { Vouchers::make(db, test::financeClerk(), QStringLiteral("SC"), {control}, {}); },
        [&](Database& db) { ControlCancel::cancel(db, test::financeClerk(), control); });
    EXPECT_EQ(failure, kControlInVoucher.arg(control));
    EXPECT_EQ(f.controlStatus(control), QStringLiteral("P"));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(9000));
}

TEST(CancelRaces, SameControlNumberCancelledTwiceAtOnce)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString control = f.controlOf(QStringLiteral("0"), {100, 250});
    const QString failure = test::raceAgainst(
        f.t, [&](Database& db) { ControlCancel::cancel(db, test::financeClerk(), control); },
        [&](Database& db) { ControlCancel::cancel(db, test::financeClerk(), control); });
    EXPECT_EQ(failure, kControlGone.arg(control));
    // Given back once, not twice.
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(9000 - 350));
}

TEST(CancelRaces, SameVoucherCancelledTwiceAtOnce)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString control = f.controlOf(QStringLiteral("0"), {100});
    const QString pvr = Vouchers::make(f.db(), test::facultyClerk(), {}, {control}, {});
    int freed = -1;
    const QString failure = test::raceAgainst(
        f.t, [&](Database& db) { freed = VoucherCancel::cancel(db, test::financeClerk(), pvr); },
        [&](Database& db) { VoucherCancel::cancel(db, test::financeClerk(), pvr); });
    EXPECT_EQ(failure, kVoucherGone.arg(pvr));
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(f.controlStatus(control), QStringLiteral("A"));
}

// A control number is cancelled while its voucher is being cancelled. It
// either waits and is cancelled after the voucher (SQLite, whose writers
// queue) or is refused as still in the voucher (PostgreSQL, whose statement
// does not see a change not yet committed); either way nothing is half done.
TEST(CancelRaces, ControlNumberCancelledWhileItsVoucherIs)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString control = f.controlOf(QStringLiteral("0"), {100});
    const QString pvr = Vouchers::make(f.db(), test::facultyClerk(), {}, {control}, {});
    const QString failure = test::raceAgainst(
        f.t, [&](Database& db) { VoucherCancel::cancel(db, test::financeClerk(), pvr); },
        [&](Database& db) { ControlCancel::cancel(db, test::financeClerk(), control); });
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV WHERE Sent_Doc_Status = 'C'")), 1);
    if (failure.isEmpty()) {
        EXPECT_EQ(f.controlStatus(control), QStringLiteral("C"));
        EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(8900));
    } else {
        EXPECT_EQ(failure, kControlInVoucher.arg(control));
        EXPECT_EQ(f.controlStatus(control), QStringLiteral("A"));
        EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(9000));
        ControlCancel::cancel(f.db(), test::financeClerk(), control); // listed again, it can be cancelled now
        EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromBaht(8900));
    }
}
