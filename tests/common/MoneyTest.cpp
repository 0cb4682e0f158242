#include "common/AppError.h"
#include "common/Money.h"

#include <gtest/gtest.h>

using wel::Money;

TEST(Money, ParsesAndFormatsExactly)
{
    struct Case { const char* text; qint64 satang; const char* display; };
    const Case cases[] = {
        {"1234.5", 123450, "1,234.50"},
        {"1,234.50", 123450, "1,234.50"},
        {"0", 0, "0.00"},
        {" 7 ", 700, "7.00"},
        {"-0.25", -25, "-0.25"},
        {"2000000000", 200000000000LL, "2,000,000,000.00"},
        {"0.005", 1, "0.01"},
        {".5", 50, "0.50"},
        {"999999.994", 99999999, "999,999.99"},
    };
    for (const Case& c : cases) {
        Money m;
        ASSERT_TRUE(Money::parse(QString::fromUtf8(c.text), &m)) << c.text;
        EXPECT_EQ(m.satang(), c.satang) << c.text;
        EXPECT_EQ(m.toDisplay(), QString::fromUtf8(c.display)) << c.text;
    }
}

TEST(Money, RefusesWhatIsNotAnAmount)
{
    for (const char* bad : {"", "abc", "12a", "1.2.3", "-", "."}) {
        Money m;
        EXPECT_FALSE(Money::parse(QString::fromUtf8(bad), &m)) << bad;
    }
    EXPECT_THROW(Money::fromTyped(QStringLiteral("12x")), wel::AppError);
    EXPECT_EQ(Money::fromTyped(QString()).satang(), 0);
    EXPECT_EQ(Money::fromTyped(QStringLiteral(",,")).satang(), 0);
}

TEST(Money, ReadsDatabaseValuesToTheSatang)
{
    EXPECT_EQ(Money::fromVariant(QVariant(0.1 + 0.2)).satang(), 30);
    EXPECT_EQ(Money::fromVariant(QVariant(QStringLiteral("1234.50"))).satang(), 123450);
    EXPECT_EQ(Money::fromVariant(QVariant(qlonglong(5))).satang(), 500);
    EXPECT_EQ(Money::fromVariant(QVariant()).satang(), 0);
    EXPECT_EQ(Money::fromSatang(123450).toPlain(), QStringLiteral("1234.50"));
    EXPECT_EQ(Money::fromSatang(-5).toPlain(), QStringLiteral("-0.05"));
}
