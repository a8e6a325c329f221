#include "scripting/KeyNameTable.h"

#include "core/Time.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingPause.h"
#include "scripting/KeyCode.h"
#include "scripting/KeyCodesText.h"
#include "scripting/KeystrokeSender.h"
#include "support/RecordingKeyPlayer.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>
#include <set>

using namespace velatask;

namespace {

std::uint16_t codeOf(const QString& name) {
    return KeyNameTable::instance().code(name).value_or(0xFFFF);
}

bool has(const QString& name) {
    return KeyNameTable::instance().code(name).has_value();
}

// The modifier prefixes of the notation, longest first so that "CTRLSHIFT" is not read as "CTRL".
struct Prefix {
    const char* text;
    std::uint16_t bits;
};
const Prefix kPrefixes[] = {{"CTRLSHIFT", KeyCode::kCtrl | KeyCode::kShift},
                            {"ALTSHIFT", KeyCode::kAlt | KeyCode::kShift},
                            {"CTRLALT", KeyCode::kCtrl | KeyCode::kAlt},
                            {"SHIFT", KeyCode::kShift},
                            {"CTRL", KeyCode::kCtrl},
                            {"ALT", KeyCode::kAlt}};

// A name split into its modifier prefix (none: 0) and the key after it.
struct Split {
    std::uint16_t bits = 0;
    QString key;
};

Split split(const QString& name) {
    for (const Prefix& p : kPrefixes) {
        const QString prefix = QString::fromLatin1(p.text);
        if (name.startsWith(prefix) && name.size() > prefix.size()) {
            return {p.bits, name.mid(prefix.size())};
        }
    }
    return {0, name};
}

// The table read back: each key that takes prefixes with the code of every prefixed name, and
// the plain names.
struct Layout {
    std::map<QString, std::map<std::uint16_t, std::uint16_t>> prefixed; // key -> bits -> code
    std::map<QString, std::uint16_t> plain;
};

Layout layout() {
    Layout l;
    for (const QString& name : KeyNameTable::instance().names()) {
        const Split s = split(name);
        if (s.bits != 0) {
            l.prefixed[s.key][s.bits] = codeOf(name);
        } else {
            l.plain[name] = codeOf(name);
        }
    }
    return l;
}

} // namespace

TEST(KeyNameTable, NamesAreCapitalsAndUniqueInAnyCase) {
    const KeyNameTable& table = KeyNameTable::instance();
    EXPECT_EQ(table.size(), 623);
    std::set<QString> folded;
    for (const QString& name : table.names()) {
        EXPECT_EQ(name, name.toUpper());
        EXPECT_FALSE(name.isEmpty());
        folded.insert(name.toCaseFolded());
    }
    EXPECT_EQ(folded.size(), size_t(table.size()));
}

// Every key that takes a prefix takes all six, each adding its own modifiers to one key.
TEST(KeyNameTable, EveryPrefixCombinesWithEveryKeyThatTakesOne) {
    const Layout l = layout();
    EXPECT_EQ(l.prefixed.size(), 86u);
    std::set<std::uint8_t> keys;
    for (const auto& [key, byBits] : l.prefixed) {
        ASSERT_EQ(byBits.size(), std::size(kPrefixes)) << key.toStdString();
        const std::uint16_t first = byBits.begin()->second;
        for (const auto& [bits, code] : byBits) {
            EXPECT_EQ(KeyCode::modifiers(code), bits) << key.toStdString();
            EXPECT_EQ(KeyCode::virtualKey(code), KeyCode::virtualKey(first)) << key.toStdString();
        }
        keys.insert(KeyCode::virtualKey(first));
    }
    // No two of them press the same key.
    EXPECT_EQ(keys.size(), l.prefixed.size());
}

// Plain names press a key without modifiers, and every key that takes a prefix can also be
// pressed alone: by its own name, with "KEY" after it, or with "KEY" before it (letters, digits
// and the pad, whose single characters are typed as text). Caps Lock is the one plain key that
// takes no prefix.
TEST(KeyNameTable, EveryKeyHasAPlainNameWithoutModifiers) {
    const Layout l = layout();
    std::set<std::uint16_t> plainCodes;
    for (const auto& [name, code] : l.plain) {
        EXPECT_EQ(KeyCode::modifiers(code), 0) << name.toStdString();
        plainCodes.insert(code);
    }
    std::set<std::uint16_t> prefixedKeys;
    for (const auto& [key, byBits] : l.prefixed) {
        const std::uint16_t vk = KeyCode::virtualKey(byBits.begin()->second);
        prefixedKeys.insert(vk);
        std::optional<std::uint16_t> alone;
        for (const QString& name :
             {key, key + QStringLiteral("KEY"), QStringLiteral("KEY") + key}) {
            if (!alone) {
                alone = KeyNameTable::instance().code(name);
            }
        }
        ASSERT_TRUE(alone.has_value()) << key.toStdString();
        EXPECT_EQ(*alone, vk) << key.toStdString();
    }
    std::set<std::uint16_t> onlyPlain;
    std::set_difference(plainCodes.begin(), plainCodes.end(), prefixedKeys.begin(),
                        prefixedKeys.end(), std::inserter(onlyPlain, onlyPlain.end()));
    EXPECT_EQ(onlyPlain, std::set<std::uint16_t>{KeyCode::kVkCapsLock});
    EXPECT_EQ(l.plain.size(), 107u);
}

// Letters, digits, pad digits and function keys press the virtual key their spelling gives.
TEST(KeyNameTable, RegularKeysFollowTheirSpelling) {
    int checked = 0;
    for (const auto& [key, byBits] : layout().prefixed) {
        const std::uint16_t vk = KeyCode::virtualKey(byBits.begin()->second);
        const auto numberAfter = [&key](int length) {
            bool ok = false;
            const int n = key.mid(length).toInt(&ok);
            return ok ? n : -1;
        };
        if (key.size() == 1) { // a letter or a digit: its own character code
            EXPECT_EQ(vk, key.at(0).unicode()) << key.toStdString();
        } else if (key.startsWith(QStringLiteral("PAD")) && numberAfter(3) >= 0) {
            EXPECT_EQ(vk, 0x60 + numberAfter(3)) << key.toStdString();
        } else if (key.startsWith(QLatin1Char('F')) && numberAfter(1) > 0) {
            EXPECT_EQ(vk, 0x6F + numberAfter(1)) << key.toStdString();
        } else {
            continue;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 26 + 10 + 10 + 12);
}

// The other keys press the key their name abbreviates, as the key list describes it to the
// user: every letter of the name is in the key's description ("PGDN", "Page Down"). The pad's
// signs are named by the sign, the mouse buttons by their place.
TEST(KeyNameTable, OtherKeysPressWhatTheirNameSays) {
    const auto letters = [](const QString& text) {
        std::multiset<QChar> out;
        for (const QChar c : text.toUpper()) {
            if (c.isLetter()) {
                out.insert(c);
            }
        }
        return out;
    };
    const std::map<QString, QString> signs = {
        {"AST", "*"}, {"PLUS", "+"}, {"MINUS", "-"}, {"DECIMAL", "."}, {"SLASH", "/"}};
    const std::map<QString, QString> buttons = {
        {"LEFT", "Left"}, {"RIGHT", "Right"}, {"CENTER", "Middle"}};
    int checked = 0;
    for (const auto& [key, byBits] : layout().prefixed) {
        const QString label = KeyCodesText::describe(KeyCode::virtualKey(byBits.begin()->second));
        if (key.size() == 1 || label.startsWith(QLatin1Char('F')) ||
            label.contains(QRegularExpression(QStringLiteral("^Num Pad \\d$")))) {
            continue; // spelt out above
        }
        if (signs.count(key) != 0) {
            EXPECT_EQ(label, QStringLiteral("Num Pad ") + signs.at(key));
        } else if (key.startsWith(QStringLiteral("MOUSE"))) {
            const bool twice = key.endsWith(QLatin1Char('2'));
            const QString place = key.mid(5, key.size() - 5 - (twice ? 1 : 0));
            ASSERT_EQ(buttons.count(place), 1u) << key.toStdString();
            EXPECT_EQ(label, buttons.at(place) + QStringLiteral(" Mouse Button") +
                                 (twice ? QStringLiteral(" Double Click") : QString()));
        } else {
            const std::multiset<QChar> have = letters(label);
            const std::multiset<QChar> want = letters(key);
            EXPECT_TRUE(std::includes(have.begin(), have.end(), want.begin(), want.end()))
                << key.toStdString() << " presses " << label.toStdString();
        }
        ++checked;
    }
    EXPECT_EQ(checked, 86 - 36 - 10 - 12);
}

// Any name, in any case and with blanks after it, presses its key through a keystroke string.
TEST(KeyNameTable, EveryNameWorksInAKeystrokeString) {
    FakeClock clock{36000, Time::fromHms(12, 0)};
    RecordingPause pause{&clock};
    RecordingKeyPlayer player;
    KeystrokeSender sender{player, clock, pause};
    const QStringList names = KeyNameTable::instance().names();
    for (const QString& name : names) {
        for (const QString& written : {name, name.toLower()}) {
            ASSERT_TRUE(sender.SendKeystrokes(QLatin1Char('[') + written + QLatin1Char(']')));
            const QString pressed =
                QStringLiteral("key:0x") +
                QString::number(codeOf(name), 16).toUpper().rightJustified(3, QLatin1Char('0'));
            ASSERT_FALSE(player.log().isEmpty());
            EXPECT_EQ(player.log().back(), pressed) << written.toStdString();
        }
        EXPECT_TRUE(sender.PressKeyName(name.toLower() + QStringLiteral("   ")));
        EXPECT_EQ(player.log().back().mid(6).toUInt(nullptr, 16), codeOf(name));
    }
    EXPECT_EQ(player.log().size(), names.size() * 3);
}

TEST(KeyNameTable, NamesThatDoNotExist) {
    for (const char* name : {"A",
                             "0",
                             "PAD0",
                             "HOME",
                             "END",
                             "PGUP",
                             "PGDN",
                             "INSERT",
                             "DELETE",
                             "BS",
                             "CAPSLOCK",
                             "SHIFTCTRLA",
                             "SHIFTALTA",
                             "ALTCTRLDELETE",
                             "CTRLALTSHIFTA",
                             "SHIFTCAPSLOCKKEY",
                             "CTRLCAPSLOCK",
                             "PAD5",
                             "AST",
                             "altb",
                             "ALTB ",
                             " ALTB",
                             "",
                             "KEY",
                             "F13",
                             "ALTF13"}) {
        EXPECT_FALSE(has(QString::fromLatin1(name))) << name;
    }
}

TEST(KeyNameTable, DocumentedExamples) {
    EXPECT_EQ(codeOf("SHIFTTAB"), 0x109);
    EXPECT_EQ(codeOf("CTRLF1"), 0x270);
    EXPECT_EQ(codeOf("ALTF4"), 0x473);
    EXPECT_EQ(codeOf("CTRLSHIFTHOME"), 0x324);
    EXPECT_EQ(codeOf("ALTSHIFTA"), 0x541);
    EXPECT_EQ(codeOf("CTRLALTDELETE"), 0x62E);
    EXPECT_EQ(codeOf("ALTB"), 0x442);
    EXPECT_EQ(codeOf("CTRLS"), 0x253);
}
