#include "FinanceFixture.h"
#include "MessageLog.h"
#include "ScreenFixture.h"
#include "finance/CancelService.h"
#include "finance/UCancel_Sent_KV_Doc.h"
#include "finance/VoucherService.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

TEST(CancelSentKVScreen, CancelsAControlNumberChosenByDateAndFaculty)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    FinanceFixture::Claim a = FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("0"), Money::fromSatang(120050));
    FinanceFixture::Claim b = FinanceFixture::of(QStringLiteral("FAE"), QStringLiteral("1"), Money::fromBaht(300));
    b.kvId = QStringLiteral("KV2567/000002");
    b.payYear = QStringLiteral("2567");
    const QString claimA = f.claim(a), claimB = f.claim(b);
    const QString medical = f.control({claimA, claimB});
    const QString other = f.controlOf(QStringLiteral("M"), {5000}, QStringLiteral("OTH"));
    const QString engineering = f.controlOf(QStringLiteral("0"), {10}, QStringLiteral("COP"), QStringLiteral("EN"));
    test::MessageLog messages;

    TfrmCancel_Sent_KV_Doc screen(ScreenContext{f.db(), test::financeClerk()});
    screen.resize(1280, 760);
    screen.show();
    EXPECT_FALSE(test::control<QLineEdit>(&screen, "edtFact_Code")->isEnabled());
    EXPECT_EQ(test::textOf(&screen, "edtSel_date"), QStringLiteral("20/01/2568"));
    test::press(&screen, "btnShow");
    EXPECT_EQ(messages.texts, QStringList{kNotFound});

    test::control<QAbstractButton>(&screen, "rdoSel_month")->click();
    test::press(&screen, "btnShow");
    ASSERT_EQ(test::rowsIn(&screen, "StringGrid1"), 3);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 1), other);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 4), QStringLiteral("ค่ารักษา"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 1, 7), QStringLiteral("OTH"));
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 2, 4), QStringLiteral("CO-PAY"));
    test::control<QAbstractButton>(&screen, "rdoOne_Fact")->click();
    test::type(&screen, "edtFact_Code", QStringLiteral("sc"));
    test::press(&screen, "btnShow");
    ASSERT_EQ(test::rowsIn(&screen, "StringGrid1"), 2);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 0, 1), medical);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 0, 5), QStringLiteral("1,500.50"));

    test::chooseRow(&screen, "StringGrid1", 0);
    test::press(&screen, "btnDetail");
    ASSERT_TRUE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    EXPECT_EQ(test::textOf(&screen, "edtSent_KV_Doc_ID"), medical);
    EXPECT_EQ(test::textOf(&screen, "edtSent_Date"), QStringLiteral("15/01/2568"));
    EXPECT_EQ(test::textOf(&screen, "edtType_Code"), QStringLiteral("FAE"));
    EXPECT_EQ(test::cell(&screen, "StringGrid2", 0, 2), claimA);
    EXPECT_EQ(test::cell(&screen, "StringGrid2", 0, 4), QStringLiteral("1,200.50"));
    EXPECT_EQ(test::cell(&screen, "StringGrid2", 0, 6), QStringLiteral("นายสมชาย ใจดี"));
    EXPECT_EQ(test::cell(&screen, "StringGrid2", 1, 8), QStringLiteral("2567"));
    EXPECT_EQ(test::textOf(&screen, "edtSum"), QStringLiteral("1,500.50"));

    messages.ok = false;
    test::press(&screen, "btnCancel_Doc");
    EXPECT_EQ(messages.texts.last(), kConfirmCancelControl + medical);
    EXPECT_EQ(f.controlStatus(medical), QStringLiteral("A"));
    messages.ok = true;
    test::press(&screen, "btnCancel_Doc");
    EXPECT_EQ(messages.texts.last(), controlCancelledText(medical));
    EXPECT_EQ(f.controlStatus(medical), QStringLiteral("C"));
    EXPECT_EQ(f.claimStatus(claimA), QStringLiteral("FC"));
    EXPECT_EQ(f.claimStatus(claimB), QStringLiteral("FC"));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H")), Money::fromSatang(900000 - 120050));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H"), QStringLiteral("KV2567/000002"), QStringLiteral("2567")),
              Money::fromBaht(8700));
    // Listed again without it.
    EXPECT_FALSE(test::control<QWidget>(&screen, "Panel2")->isVisible());
    ASSERT_EQ(test::rowsIn(&screen, "StringGrid1"), 1);
    EXPECT_EQ(test::cell(&screen, "StringGrid1", 0, 1), other);

    // Meanwhile another workstation puts the other one into a voucher.
    test::press(&screen, "btnDetail");
    auto station = f.t.connectAgain();
    Vouchers::make(*station, test::facultyClerk(), {}, {other}, {});
    test::press(&screen, "btnCancel_Doc");
    EXPECT_EQ(messages.texts.last(), kControlInVoucher.arg(other));
    EXPECT_EQ(f.controlStatus(other), QStringLiteral("P"));
    EXPECT_EQ(f.controlStatus(engineering), QStringLiteral("A"));
}
