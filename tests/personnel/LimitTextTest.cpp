#include "personnel/PersonnelCommon.h"

#include <gtest/gtest.h>

// The family and leaving screens once showed a 20,000 baht limit for right
// type "3", which has no limit at all.
TEST(LimitText, UnlimitedRightTypeShowsNoLimit)
{
    const struct { const char* type; const char* shown; } cases[] = {
        {"1", "200,000"}, {"2", "20,000"}, {"3", "ไม่จำกัดวงเงิน"}, {"", "20,000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wel::personnel::limitTextOf(QString::fromUtf8(c.type)), QString::fromUtf8(c.shown)) << c.type;
}
