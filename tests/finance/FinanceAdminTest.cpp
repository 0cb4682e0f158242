#include "FinanceFixture.h"
#include "AdminRun.h"
#include "finance/DemoVouchers.h"
#include "finance/VoucherService.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::AdminRun;
using wel::test::admin;
using wel::test::FinanceFixture;

TEST(FinanceAdmin, PrintsAVoucherWithoutAWindow)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                       {f.controlOf(QStringLiteral("0"), {100})}, {});
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("voucher.pdf"));
    const QString url = f.t.url().display();
    const AdminRun ok = admin({QStringLiteral("print"), QStringLiteral("voucher"), pvr, QStringLiteral("--db"), url,
                          QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(ok.code, 0) << ok.output.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");

    const AdminRun unknown = admin({QStringLiteral("print"), QStringLiteral("voucher"), QStringLiteral("PVR2568/09999SC"),
                               QStringLiteral("--db"), url, QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_TRUE(unknown.output.contains(kNotFound + QStringLiteral(" : ใบสำคัญจ่ายเลขที่ PVR2568/09999SC")))
        << unknown.output.toStdString();
    const AdminRun missing = admin({QStringLiteral("print"), QStringLiteral("voucher"), QStringLiteral("--db"), url,
                               QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(missing.code, 2);
}

// The demonstration's vouchers are made over whatever control numbers it has.
TEST(DemoVouchers, OneInForceOneWithNumbersOneCancelledAndSomeLeftOpen)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    f.t.setToday(2025, 1, 20);
    finance::loadDemoVouchers(f.db()); // nothing to gather yet
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 0);

    for (int i = 0; i < 4; ++i)
        f.controlOf(QStringLiteral("0"), {100 + i}, i % 2 ? QStringLiteral("COP") : QStringLiteral("FAE"));
    for (int i = 0; i < 2; ++i) {
        f.controlOf(QStringLiteral("E"), {10 + i}, QStringLiteral("EDU"), QStringLiteral("EN"));
        f.controlOf(QStringLiteral("M"), {20 + i}, QStringLiteral("OTH"), QStringLiteral("OP"));
    }
    finance::loadDemoVouchers(f.db());
    // The finance division's office first, then the demo clerk's faculty.
    const Rows pv = f.db().select(QStringLiteral("SELECT PVR_NO, Sent_Doc_Status, Dep_Sub_Doc_No, PV_Doc_No, Sent_Date "
                                                 "FROM T_PV ORDER BY PVR_NO"));
    ASSERT_EQ(pv.count(), 3);
    EXPECT_EQ(pv.text(0, QStringLiteral("PVR_NO")), QStringLiteral("PVR2568/00001OP"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Sent_Doc_Status")), QStringLiteral("A"));
    EXPECT_EQ(pv.text(0, QStringLiteral("Dep_Sub_Doc_No")), QString());
    EXPECT_EQ(pv.text(0, QStringLiteral("Sent_Date")), QStringLiteral("20/01/2568"));
    EXPECT_EQ(pv.text(1, QStringLiteral("PVR_NO")), QStringLiteral("PVR2568/00002SC"));
    EXPECT_EQ(pv.text(1, QStringLiteral("Sent_Doc_Status")), QStringLiteral("A"));
    EXPECT_FALSE(pv.text(1, QStringLiteral("Dep_Sub_Doc_No")).isEmpty());
    EXPECT_FALSE(pv.text(1, QStringLiteral("PV_Doc_No")).isEmpty());
    EXPECT_EQ(pv.text(2, QStringLiteral("Sent_Doc_Status")), QStringLiteral("C"));
    // Each faculty keeps open control numbers; every number in a voucher in force is in "P".
    EXPECT_EQ(Vouchers::listOpenControls(f.db(), QStringLiteral("OP"), Period::all()).size(), 1);
    EXPECT_EQ(Vouchers::listOpenControls(f.db(), QStringLiteral("SC"), Period::all()).size(), 3);
    EXPECT_EQ(Vouchers::listOpenControls(f.db(), QStringLiteral("EN"), Period::all()).size(), 2);
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_Sent_KV_Detail WHERE Sent_Doc_Status = 'P'")), 2);
    finance::loadDemoVouchers(f.db()); // once only
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV")), 3);
    EXPECT_EQ(f.count(QStringLiteral("SELECT COUNT(*) FROM T_PV_Detail d JOIN T_PV p ON p.PVR_NO = d.PVR_NO "
                                     "JOIN T_Sent_KV_Detail c ON c.Sent_KV_Doc_ID = d.Sent_KV_Doc_ID "
                                     "WHERE p.Sent_Doc_Status = 'A' AND c.Sent_Doc_Status <> 'P'")),
              0);
}
