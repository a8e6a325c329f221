#include "scripting/KeyCodesText.h"
#include "scripting/KeyNameTable.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

using namespace velatask;

// The shipped file is the generated text; after a change of the key-name table,
// `cmake --build build --target update_keycodes` writes it again.
TEST(KeyCodesText, ShippedFileIsTheGeneratedText) {
    QFile shipped(QStringLiteral(VELATASK_SHARE_DIR "/KEYCODES.TXT"));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(shipped.readAll()), KeyCodesText::generate())
        << "run the update_keycodes target";
}

// Every key name appears once at the start of a line, and nothing else does that looks like one.
TEST(KeyCodesText, ListsEveryNameOnceWithItsKeys) {
    const QStringList lines = KeyCodesText::generate().split(QLatin1Char('\n'));
    const QRegularExpression listing(QStringLiteral("^([A-Z0-9]+) +(\\S.*)$"));
    std::multiset<QString> listed;
    const qsizetype listStart = lines.indexOf(QStringLiteral("Keys without modifiers"));
    ASSERT_GT(listStart, 0);
    for (const QString& line : lines.mid(listStart)) {
        const QRegularExpressionMatch m = listing.match(line);
        if (m.hasMatch()) {
            listed.insert(m.captured(1));
            const auto code = KeyNameTable::instance().code(m.captured(1));
            ASSERT_TRUE(code.has_value()) << line.toStdString();
            EXPECT_EQ(m.captured(2), KeyCodesText::describe(*code));
        }
    }
    const QStringList names = KeyNameTable::instance().names();
    EXPECT_EQ(listed, std::multiset<QString>(names.begin(), names.end()));
    EXPECT_EQ(KeyCodesText::describe(0x324), QStringLiteral("Ctrl+Shift+Home"));
    EXPECT_EQ(KeyCodesText::describe(0x565), QStringLiteral("Alt+Shift+Num Pad 5"));
}
