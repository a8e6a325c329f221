#include "platform/qt/CommandLine.h"

#include <gtest/gtest.h>

namespace velatask {
namespace {

QStringList words(const char* line) {
    const auto split = CommandLine::split(QString::fromUtf8(line));
    EXPECT_TRUE(split) << line;
    return split.value_or(QStringList{QStringLiteral("<unbalanced>")});
}

TEST(CommandLineTest, SplitsWordsAsAShellDoes) {
    EXPECT_EQ(words("  gedit   notes.txt "), (QStringList{"gedit", "notes.txt"}));
    EXPECT_EQ(words("sh -c 'pwd > out.txt'"), (QStringList{"sh", "-c", "pwd > out.txt"}));
    EXPECT_EQ(words("\"/opt/My App/run\" --x"), (QStringList{"/opt/My App/run", "--x"}));
    EXPECT_EQ(words("a\\ b c"), (QStringList{"a b", "c"}));
    EXPECT_EQ(words("pre'mid dle'post"), (QStringList{"premid dlepost"}));
    EXPECT_EQ(words("\"say \\\"hi\\\" \\n\""), (QStringList{"say \"hi\" \\n"}));
    EXPECT_EQ(words("'it''s' ''"), (QStringList{"its", ""}));
    EXPECT_EQ(words("'a\\b'"), (QStringList{"a\\b"}));
    EXPECT_EQ(words("echo $HOME ~ *"), (QStringList{"echo", "$HOME", "~", "*"}));
    EXPECT_EQ(words("\ttab\tseparated"), (QStringList{"tab", "separated"}));
    EXPECT_TRUE(words("   ").isEmpty());
}

TEST(CommandLineTest, UnterminatedQuotesAreRejected) {
    EXPECT_FALSE(CommandLine::split(QStringLiteral("prog 'open")));
    EXPECT_FALSE(CommandLine::split(QStringLiteral("prog \"open")));
    EXPECT_FALSE(CommandLine::split(QStringLiteral("prog \"ends in escape\\\"")));
}

} // namespace
} // namespace velatask
