#include "FinanceFixture.h"
#include "finance/CancelService.h"
#include "finance/DocNumberService.h"
#include "finance/VoucherService.h"

#include <gtest/gtest.h>

using namespace wel;
using namespace wel::finance;
using wel::test::FinanceFixture;

namespace {

QStringList numbers(const QVector<VoucherDocs>& list)
{
    QStringList l;
    for (const VoucherDocs& d : list)
        l << d.pvrNo;
    return l;
}

} // namespace

TEST(DocNumbers, ListsTheFacultysSummariesByEachChoice)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    QStringList pvr;
    for (int i = 0; i < 3; ++i)
        pvr << Vouchers::make(f.db(), test::facultyClerk(), {}, {f.controlOf(QStringLiteral("0"), {100 + i})}, {});
    f.db().exec(QStringLiteral("UPDATE T_PV SET Sent_Date = '05/12/2567' WHERE PVR_NO = ?"), {pvr[2]});
    VoucherCancel::cancel(f.db(), test::financeClerk(), pvr[1]);
    DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr[1], QStringLiteral("ว.12/2568"), QStringLiteral("กค.99"), QStringLiteral("21/01/2568"));
    Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("EN"),
                   {f.controlOf(QStringLiteral("0"), {5}, QStringLiteral("FAE"), QStringLiteral("EN"))}, {});

    struct Case {
        DocFilter filter;
        QStringList expected;
    };
    const QVector<Case> cases = {
        {{DocFilter::All, {}}, pvr},
        {{DocFilter::SentMonth, QStringLiteral("01/2568")}, {pvr[0], pvr[1]}},
        {{DocFilter::SentYear, QStringLiteral("2567")}, {pvr[2]}},
        {{DocFilter::PvrPrefix, QStringLiteral("pvr2568/0000")}, pvr},
        {{DocFilter::PvrPrefix, QStringLiteral("PVR2568/00002")}, {pvr[1]}},
        {{DocFilter::PvrPrefix, QStringLiteral("PVR2568/%3")}, {}},
        {{DocFilter::PvrPrefix, QStringLiteral("PVR2568_0")}, {}},
        {{DocFilter::SubUnitNo, QStringLiteral("ว.12/2568")}, {pvr[1]}},
        {{DocFilter::FinanceNo, QStringLiteral("กค.99")}, {pvr[1]}},
        {{DocFilter::FinanceNo, QStringLiteral("กค.9")}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(numbers(DocNumbers::list(f.db(), QStringLiteral("sc"), c.filter)), c.expected) << c.filter.value.toStdString();
}

TEST(DocNumbers, RecordsTheTwoStepsOnOneSummary)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString a = f.controlOf(QStringLiteral("0"), {1000, 500});
    const QString b = f.controlOf(QStringLiteral("E"), {250}, QStringLiteral("EDU"));
    const QString pvr = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"), {a, b}, {});
    const QString other = Vouchers::make(f.db(), test::financeClerk(), QStringLiteral("SC"),
                                         {f.controlOf(QStringLiteral("0"), {1})}, {});

    EXPECT_EQ(test::errorOf([&] { DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QStringLiteral(" "), QStringLiteral("1"), {}); }),
              kNeedSubUnitNo);
    EXPECT_EQ(test::errorOf([&] { DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QStringLiteral("1"), {}, {}); }), kNeedFinanceNo);
    EXPECT_EQ(test::errorOf([&] { DocNumbers::savePayment(f.db(), test::financeClerk(), pvr, {}, {}); }), kNeedPaymentNo);
    EXPECT_EQ(test::errorOf([&] { DocNumbers::savePayment(f.db(), test::financeClerk(), QStringLiteral("PVR2568/09999SC"), QStringLiteral("1"), {}); }),
              voucherNotFoundText(QStringLiteral("PVR2568/09999SC")));

    DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QStringLiteral("SC 0012/2568"), QStringLiteral("กค 77"), QStringLiteral("22/01/2568"));
    DocNumbers::savePayment(f.db(), test::financeClerk(), pvr, QStringLiteral("PV-555"), {});
    DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QStringLiteral("SC 0013/2568"), QStringLiteral("กค 78"), QStringLiteral("23/01/2568"));

    const VoucherDocs d = DocNumbers::read(f.db(), pvr);
    EXPECT_EQ(d.subUnitNo, QStringLiteral("SC 0013/2568"));
    EXPECT_EQ(d.financeNo, QStringLiteral("กค 78"));
    EXPECT_EQ(d.financeDate, QStringLiteral("23/01/2568"));
    EXPECT_EQ(d.paymentNo, QStringLiteral("PV-555"));
    EXPECT_EQ(d.paymentDate, QString());
    EXPECT_EQ(d.factName, QStringLiteral("คณะวิทยาศาสตร์"));
    EXPECT_EQ(d.outCount, 2);
    EXPECT_EQ(d.eduCount, 1);
    EXPECT_EQ(d.total(), Money::fromBaht(1750));
    const VoucherDocs untouched = DocNumbers::read(f.db(), other);
    EXPECT_EQ(untouched.subUnitNo, QString());
    EXPECT_EQ(untouched.paymentNo, QString());
    EXPECT_EQ(test::errorOf([&] { DocNumbers::read(f.db(), QStringLiteral("PVR2568/09999SC")); }),
              QStringLiteral("ไม่พบข้อมูลที่เลือก ==>PVR2568/09999SC<=="));
}

TEST(DocNumbers, DatesAreEmptyOrCalendarDates)
{
    WELMORA_NEED_DB();
    FinanceFixture f;
    const QString pvr = Vouchers::make(f.db(), test::facultyClerk(), {}, {f.controlOf(QStringLiteral("0"), {1})}, {});
    for (const char* bad : {"12/  /    ", "31/04/2568", "1/1/2568"}) {
        EXPECT_EQ(test::errorOf([&] { DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QStringLiteral("1"), QStringLiteral("2"),
                                                                QString::fromLatin1(bad)); }),
                  kBadDate)
            << bad;
        EXPECT_EQ(test::errorOf([&] { DocNumbers::savePayment(f.db(), test::financeClerk(), pvr, QStringLiteral("1"), QString::fromLatin1(bad)); }),
                  kBadDate)
            << bad;
    }
    DocNumbers::saveSubUnit(f.db(), test::financeClerk(), pvr, QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("  /  /    "));
    DocNumbers::savePayment(f.db(), test::financeClerk(), pvr, QStringLiteral("3"), QStringLiteral("29/02/2567"));
    const VoucherDocs d = DocNumbers::read(f.db(), pvr);
    EXPECT_EQ(d.financeDate, QString());
    EXPECT_EQ(d.paymentDate, QStringLiteral("29/02/2567"));
}
