#include "core/FixedText.h"

#include <gtest/gtest.h>

using namespace velatask;

TEST(FixedText, TrailingBlanksAreNotSignificantButCaseIs) {
    EXPECT_EQ(FixedText::rtrim(QStringLiteral("  abc  ")), QStringLiteral("  abc"));
    EXPECT_EQ(FixedText::fit(QStringLiteral("abcdef   "), 4), QStringLiteral("abcd"));
    EXPECT_EQ(FixedText::fit(QStringLiteral("ab  cd"), 4), QStringLiteral("ab"));
    EXPECT_TRUE(FixedText::equal(QStringLiteral("Once"), QStringLiteral("Once    ")));
    EXPECT_FALSE(FixedText::equal(QStringLiteral("Once"), QStringLiteral(" Once")));
    EXPECT_FALSE(FixedText::equal(QStringLiteral("Once"), QStringLiteral("once")));
    EXPECT_TRUE(FixedText::isBlank(QStringLiteral("   ")));
    EXPECT_FALSE(FixedText::isBlank(QStringLiteral(" x ")));
}
