#include "common/LikePattern.h"
#include "common/Limits.h"

#include <gtest/gtest.h>

using namespace wel;

TEST(LikePrefix, TypedWildcardsAndTheEscapeMatchThemselves)
{
    const struct {
        const char* typed;
        const char* pattern;
    } cases[] = {
        {"", "%"},
        {"สม", "สม%"},
        {"50%", "50!%%"},
        {"KV_1", "KV!_1%"},
        {"a!b", "a!!b%"},
        {"!%_", "!!!%!_%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(likePrefix(QString::fromUtf8(c.typed)), QString::fromUtf8(c.pattern)) << c.typed;
}

TEST(RightTypeLimits, TheTableAndTheWaysScreensFallBackOnIt)
{
    const struct {
        const char* hType;
        const char* known;     // knownOrTypeTwo(...).listText
        const char* oneOrTwo;  // typeOneOrTwo(...).listText
    } cases[] = {
        {"1", "200,000", "200,000"},
        {" 2", "20,000", "20,000"},
        {"3", "ไม่จำกัดวงเงิน", "20,000"},
        {"", "20,000", "20,000"},
        {"9", "20,000", "20,000"},
    };
    for (const auto& c : cases) {
        const QString t = QString::fromUtf8(c.hType);
        EXPECT_EQ(knownOrTypeTwo(t).listText, QString::fromUtf8(c.known)) << c.hType;
        EXPECT_EQ(typeOneOrTwo(t).listText, QString::fromUtf8(c.oneOrTwo)) << c.hType;
    }
    EXPECT_EQ(rightTypeLimit(QStringLiteral("1"))->medical, Money::fromBaht(200000));
    EXPECT_EQ(typeTwo().medical, Money::fromBaht(20000));
    EXPECT_EQ(typeTwo().copay, Money::fromBaht(25000));
    EXPECT_TRUE(rightTypeLimit(QStringLiteral("3"))->unlimited);
    EXPECT_EQ(rightTypeLimit(QStringLiteral("3"))->medical, Money::fromBaht(2000000000));
    EXPECT_EQ(rightTypeLimit(QStringLiteral("4")), nullptr);
    EXPECT_EQ(wholeBahtText(typeTwo().copay), QStringLiteral("25,000"));
    EXPECT_EQ(wholeBahtText(Money::fromSatang(150)), QStringLiteral("1.50"));
}
