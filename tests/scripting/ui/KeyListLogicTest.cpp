#include "scripting/ui/LineSearch.h"
#include "scripting/ui/TextLineLoader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace velatask;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("KEYCODES.TXT"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
}

// Loads the whole file, noting the percentage after each batch.
QStringList loadAll(TextLineLoader& loader, std::vector<int>* percents = nullptr) {
    QStringList lines;
    while (!loader.atEnd()) {
        loader.readBatch(lines);
        if (percents) {
            percents->push_back(loader.percent());
        }
    }
    return lines;
}

} // namespace

TEST(TextLineLoaderTest, ReadsInBatchesOfTwentyThousandBytes) {
    QTemporaryDir dir;
    // 50000 bytes in lines of 100 (99 characters and a line end).
    QByteArray bytes;
    for (int i = 0; i < 500; ++i) {
        bytes += QByteArray(99, char('a' + i % 26)) + '\n';
    }
    TextLineLoader loader;
    ASSERT_EQ(loader.open(writeFile(dir, bytes)), TextLineLoader::Opened::Ok);
    std::vector<int> percents;
    const QStringList lines = loadAll(loader, &percents);
    EXPECT_EQ(percents, (std::vector<int>{40, 80, 100}));
    ASSERT_EQ(lines.size(), 500);
    EXPECT_EQ(lines[499], QString(99, QLatin1Char('f')));

    EXPECT_EQ(loader.open(writeFile(dir, {})), TextLineLoader::Opened::Empty);
    EXPECT_EQ(loader.open(dir.filePath(QStringLiteral("missing.txt"))),
              TextLineLoader::Opened::CannotOpen);
    EXPECT_FALSE(loader.errorText().isEmpty());
}

TEST(TextLineLoaderTest, AnyBytesLoadAsLinesOfAtMost255Characters) {
    QTemporaryDir dir;
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) {
        binary += char((i * 7919) % 256);
    }
    const QByteArray longLine = QByteArray(100000, 'x') + "\nnext\r\n";
    const QByteArray utf8Long = QString(300, QChar(0x00E9)).toUtf8() + '\n';
    struct Case {
        const char* name;
        QByteArray bytes;
        QStringList expectedStart;
    };
    const Case cases[] = {
        {"one line of 100000 characters", longLine, {QString(255, QLatin1Char('x')), "next"}},
        {"invalid UTF-8 reads as Latin-1", "caf\xe9\n\xff\xfe\n", {"caf\u00e9", "\u00ff\u00fe"}},
        {"valid UTF-8 cut at 255 characters", utf8Long, {QString(255, QChar(0x00E9))}},
        {"tabs and controls", "a\tb\x01\n", {"a       b\uFFFD"}},
        {"binary", binary, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextLineLoader loader;
        ASSERT_EQ(loader.open(writeFile(dir, c.bytes)), TextLineLoader::Opened::Ok);
        const QStringList lines = loadAll(loader);
        EXPECT_EQ(loader.percent(), 100);
        for (int i = 0; i < c.expectedStart.size(); ++i) {
            ASSERT_GT(lines.size(), i);
            EXPECT_EQ(lines[i], c.expectedStart[i]);
        }
        for (const QString& line : lines) {
            EXPECT_LE(line.size(), TextLineLoader::kLineWidth);
        }
    }
}

TEST(LineSearchTest, FindsLineByLineAndOffersToStartAgain) {
    const QStringList lines = {"first CTRL A", "CTRLA", "middle", "ABC", "last line"};
    struct Case {
        const char* name;
        LineSearchSettings settings;
        int from;
        std::vector<bool> answers; // to "start again?"
        std::optional<int> found;
        int asked;
    };
    auto s = [](const char* text, bool down, bool whole = false, bool matchCase = false) {
        return LineSearchSettings{QString::fromLatin1(text), whole, matchCase, down};
    };
    const Case cases[] = {
        {"down to the last line", s("last", true), 0, {}, 4, 0},
        {"up to the first line", s("first", false), 4, {}, 0, 0},
        {"down past the end starts at the top", s("first", true), 2, {true}, 0, 1},
        {"up past the beginning starts at the end", s("last", false), 1, {true}, 4, 1},
        {"the highlighted line itself is found last", s("middle", true), 2, {true}, 2, 1},
        {"No stops the search", s("first", true), 2, {false}, std::nullopt, 1},
        {"nowhere: asked until No", s("zzz", true), 0, {true, true, false}, std::nullopt, 3},
        {"whole word skips CTRLA", s("ctrl", true, true), 0, {true}, 0, 1},
        {"part of a word", s("ctrl", true), 0, {}, 1, 0},
        {"AB is not a whole word of ABC", s("AB", true, true), 0, {false}, std::nullopt, 1},
        {"case matched", s("ctrla", true, false, true), -1, {false}, std::nullopt, 1},
        {"case ignored", s("ctrla", true), -1, {}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        size_t asked = 0;
        const auto found = LineSearch::find(lines, c.from, c.settings, [&](bool down) {
            EXPECT_EQ(down, c.settings.down);
            return asked < c.answers.size() ? bool(c.answers[asked++]) : false;
        });
        EXPECT_EQ(found, c.found);
        EXPECT_EQ(int(asked), c.asked);
    }
    // A later occurrence counts as a whole word when an earlier one is part of a word.
    EXPECT_TRUE(LineSearch::matches(QStringLiteral("CTRLA CTRL"), s("CTRL", true, true)));
    EXPECT_TRUE(LineSearch::matches(QStringLiteral("CTRL   "), s("CTRL", true, true)));
}
