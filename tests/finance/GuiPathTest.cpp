#include "FinanceFixture.h"
#include "MessageLog.h"
#include "PreviewRecorder.h"
#include "ScreenFixture.h"
#include "common/widgets/ReportPreview.h"
#include "common/widgets/ScreenRegistry.h"
#include "finance/CancelService.h"
#include "finance/VoucherService.h"
#include "shell/UMain_Welmora.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

// The finance division's day, through the program's own menus: a faculty's
// control numbers into a voucher, the voucher printed, then the voucher
// cancelled and one of its control numbers with it.
TEST(FinanceGuiPath, FromControlNumbersToAPrintedVoucherAndBack)
{
    WELMORA_NEED_DB();
    FinanceFixture f(test::TestDb::Demo);
    f.t.setToday(2025, 1, 20);
    // Demo employees of SC and the last budget year they have a yearly row for.
    const Rows staff = f.db().select(QStringLiteral("SELECT e.KV_ID, MAX(y.Pay_Year) AS Pay_Year "
                                                    "FROM T_Emp_Gov_Histry e JOIN T_Year_Cur_Health y ON y.KV_ID = e.KV_ID "
                                                    "WHERE e.Fact_code = 'SC' GROUP BY e.KV_ID ORDER BY e.KV_ID"));
    ASSERT_GE(staff.count(), 3);
    auto claimOf = [&](const char* type, const char* inOut, qint64 baht, int who) {
        FinanceFixture::Claim c = FinanceFixture::of(QString::fromLatin1(type), QString::fromLatin1(inOut),
                                                     Money::fromBaht(baht));
        c.kvId = staff.text(who, QStringLiteral("KV_ID"));
        c.payYear = staff.text(who, QStringLiteral("Pay_Year"));
        return f.claim(c);
    };
    const QString firstYear = staff.text(0, QStringLiteral("Pay_Year"));
    const QString medicalClaim = claimOf("FAE", "0", 1500, 0);
    const QString medical = f.control({medicalClaim, claimOf("FAE", "1", 2500, 1)});
    const QString education = f.control({claimOf("EDU", "E", 4000, 2)}, QStringLiteral("EDU"));
    const Money usedBefore = f.used(QStringLiteral("KV_T_U_H"), staff.text(0, QStringLiteral("KV_ID")), firstYear);

    registerAllScreens();
    TfrmMain_Welmora main(f.db());
    main.resize(1280, 800);
    ASSERT_TRUE(main.FormCreate());
    main.show();
    test::type(&main, "edtUser_Name", QStringLiteral("finance"));
    test::type(&main, "edtPassword", QStringLiteral("finance"));
    test::press(&main, "btnOK");
    ASSERT_TRUE(main.isLoggedIn());
    test::MessageLog messages;
    QStringList vouchers;
    const test::PreviewRecorder recorder([&](const Report& r) {
        QString number, total, words;
        for (const PlacedItem& it : r.pages()[0].items) {
            if (it.name == QLatin1String("dbPVR_NO"))
                number = it.text;
            if (it.name == QLatin1String("lblTotal"))
                total = it.text;
            if (it.name == QLatin1String("lblBahtText"))
                words = it.text;
        }
        vouchers << number + QLatin1Char(' ') + total + QLatin1Char(' ') + words;
    });

    // 6.1: the finance division summarises faculty SC's control numbers.
    QWidget* sum = main.runMenuCommand(QStringLiteral("d1"));
    ASSERT_NE(sum, nullptr);
    test::type(sum, "edtFact_Code", QStringLiteral("sc"));
    test::press(sum, "btnShow");
    ASSERT_EQ(test::rowsIn(sum, "StringGrid1"), 2);
    test::press(sum, "btnSelect_All");
    EXPECT_EQ(test::textOf(sum, "edtSum_Select"), QStringLiteral("8,000.00"));
    test::type(sum, "edtPay_For_Per", QStringLiteral("นายสมชาย ใจดี"));
    test::press(sum, "btnSent_KV");
    const QString pvr = QStringLiteral("PVR2568/00001SC");
    ASSERT_EQ(vouchers, QStringList{pvr + QStringLiteral(" 8,000.00 [ แปดพันบาทถ้วน ]")});
    EXPECT_EQ(f.controlStatus(medical), QStringLiteral("P"));

    // 1.3: a control number inside a voucher is no longer offered for cancelling.
    QWidget* cancelControl = main.runMenuCommand(QStringLiteral("N51"));
    ASSERT_NE(cancelControl, nullptr);
    test::control<QAbstractButton>(cancelControl, "rdoSel_Year")->click();
    test::press(cancelControl, "btnShow");
    EXPECT_EQ(messages.texts.last(), kNotFound);

    // 1.4: the voucher is cancelled; its control numbers are open again.
    QWidget* cancelVoucher = main.runMenuCommand(QStringLiteral("N141"));
    ASSERT_NE(cancelVoucher, nullptr);
    test::type(cancelVoucher, "edtFact_Code", QStringLiteral("SC"));
    test::press(cancelVoucher, "btnShow_data");
    test::press(cancelVoucher, "btnDetail");
    test::press(cancelVoucher, "btnCancel_PV");
    EXPECT_TRUE(messages.texts.contains(voucherCancelledText(pvr)));
    EXPECT_EQ(f.controlStatus(medical), QStringLiteral("A"));
    EXPECT_EQ(f.controlStatus(education), QStringLiteral("A"));

    // 1.3 again: the medical control number is cancelled, its claims back at the faculty.
    test::press(cancelControl, "btnShow");
    ASSERT_EQ(test::rowsIn(cancelControl, "StringGrid1"), 2);
    test::chooseRow(cancelControl, "StringGrid1", 0);
    ASSERT_EQ(test::cell(cancelControl, "StringGrid1", 0, 1), medical);
    test::press(cancelControl, "btnDetail");
    test::press(cancelControl, "btnCancel_Doc");
    EXPECT_EQ(f.controlStatus(medical), QStringLiteral("C"));
    EXPECT_EQ(f.claimStatus(medicalClaim), QStringLiteral("FC"));
    EXPECT_EQ(f.used(QStringLiteral("KV_T_U_H"), staff.text(0, QStringLiteral("KV_ID")), firstYear),
              usedBefore - Money::fromBaht(1500));

    // 6.1 again: only the education control number is left to gather.
    test::press(sum, "btnShow");
    ASSERT_EQ(test::rowsIn(sum, "StringGrid1"), 1);
    EXPECT_EQ(test::cell(sum, "StringGrid1", 0, 2), education);
}
