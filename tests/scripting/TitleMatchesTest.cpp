#include "scripting/TitleMatches.h"

#include <gtest/gtest.h>

using velatask::TitleMatches;

TEST(TitleMatches, WholeTitleIgnoringCaseAndTrailingBlanks) {
    EXPECT_TRUE(TitleMatches("Connect To", "Connect To"));
    EXPECT_TRUE(TitleMatches("Connect To", "connect to"));
    EXPECT_TRUE(TitleMatches(QString("Connect To").leftJustified(80), "CONNECT TO  "));
    EXPECT_FALSE(TitleMatches("Connect To", "Connect To Server"));
    EXPECT_FALSE(TitleMatches("Connect To Server", "Connect To"));
}

TEST(TitleMatches, LeadingBlanksCount) {
    EXPECT_FALSE(TitleMatches(" Connect To", "Connect To"));
    EXPECT_FALSE(TitleMatches("Connect To", "  Connect To"));
}

TEST(TitleMatches, StarAfterAPrefixComparesOnlyThePrefix) {
    for (const char* title : {"Connect To", "connect to", "Connect To Server"}) {
        EXPECT_TRUE(TitleMatches("Connect To*", title)) << title;
    }
    EXPECT_FALSE(TitleMatches("Connect To*", "Connect"));
    EXPECT_FALSE(TitleMatches("Connect To*", "Reconnect To"));
    // Whatever follows the star is ignored.
    EXPECT_TRUE(TitleMatches("Connect*Server", "Connect To Nowhere"));
    // The blank before the star belongs to the prefix; a shorter title counts as blank-filled.
    EXPECT_TRUE(TitleMatches("Untitled - *", "untitled - Notepad"));
    EXPECT_TRUE(TitleMatches("Untitled - *", "Untitled -"));
    EXPECT_FALSE(TitleMatches("Untitled - *", "Untitled-Notepad"));
}

TEST(TitleMatches, LeadingStarSearchesTheWholeTitle) {
    EXPECT_TRUE(TitleMatches("*Notepad", "Untitled - Notepad"));
    EXPECT_TRUE(TitleMatches("*Notepad", "NOTEPAD help"));
    EXPECT_TRUE(TitleMatches("*Notepad  ", "my notepad files"));
    EXPECT_FALSE(TitleMatches("*Notepad", "Note pad"));
    // Inner blanks of the phrase count.
    EXPECT_FALSE(TitleMatches("* Notepad", "Notepad"));
    // The star alone finds every title.
    EXPECT_TRUE(TitleMatches("*", "Anything"));
}

TEST(TitleMatches, BlankPatternMatchesNoTitle) {
    EXPECT_FALSE(TitleMatches("", "Untitled"));
    EXPECT_FALSE(TitleMatches(QString(80, QLatin1Char(' ')), "Untitled"));
}
