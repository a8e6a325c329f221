#include "scripting/KeyNameTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using velatask::KeyNameTable;

namespace {

std::uint16_t codeOf(const QString& name) {
    return KeyNameTable::instance().code(name).value_or(0xFFFF);
}

bool has(const QString& name) {
    return KeyNameTable::instance().code(name).has_value();
}

// The 86 base names with their codes, written out independently of the table's construction.
std::map<QString, std::uint16_t> baseNames() {
    std::map<QString, std::uint16_t> base;
    for (int i = 0; i <= 9; ++i) {
        base[QString::number(i)] = 0x30 + i;
        base[QStringLiteral("PAD%1").arg(i)] = 0x60 + i;
    }
    for (int i = 0; i < 26; ++i) {
        base[QString(QChar('A' + i))] = 0x41 + i;
    }
    for (int i = 1; i <= 12; ++i) {
        base[QStringLiteral("F%1").arg(i)] = 0x6F + i;
    }
    const std::pair<const char*, std::uint16_t> others[] = {
        {"AST", 0x6A},         {"PLUS", 0x6B},       {"MINUS", 0x6D},       {"DECIMAL", 0x6E},
        {"SLASH", 0x6F},       {"BS", 0x08},         {"TAB", 0x09},         {"ENTER", 0x0D},
        {"PAUSE", 0x13},       {"ESC", 0x1B},        {"SPACE", 0x20},       {"PGUP", 0x21},
        {"PGDN", 0x22},        {"END", 0x23},        {"HOME", 0x24},        {"LEFT", 0x25},
        {"UP", 0x26},          {"RIGHT", 0x27},      {"DOWN", 0x28},        {"PRINT", 0x2C},
        {"INSERT", 0x2D},      {"DELETE", 0x2E},     {"MOUSELEFT", 0x01},   {"MOUSERIGHT", 0x02},
        {"MOUSECENTER", 0x03}, {"MOUSELEFT2", 0x05}, {"MOUSERIGHT2", 0x06}, {"MOUSECENTER2", 0x07}};
    for (const auto& [name, code] : others) {
        base[QString::fromLatin1(name)] = code;
    }
    return base;
}

} // namespace

TEST(KeyNameTable, HoldsExactly623DistinctUpperCaseNames) {
    const KeyNameTable& table = KeyNameTable::instance();
    EXPECT_EQ(table.size(), 623);
    const QStringList names = table.names();
    EXPECT_EQ(std::set<QString>(names.begin(), names.end()).size(), 623u);
    for (const QString& name : names) {
        EXPECT_EQ(name, name.toUpper());
    }
    EXPECT_EQ(baseNames().size(), 86u);
}

TEST(KeyNameTable, EveryPrefixCombinesWithEveryBaseName) {
    const std::pair<const char*, std::uint16_t> prefixes[] = {
        {"SHIFT", 0x100},     {"CTRL", 0x200},     {"ALT", 0x400},
        {"CTRLSHIFT", 0x300}, {"ALTSHIFT", 0x500}, {"CTRLALT", 0x600}};
    int found = 0;
    for (const auto& [prefix, bits] : prefixes) {
        for (const auto& [base, code] : baseNames()) {
            const QString name = QString::fromLatin1(prefix) + base;
            EXPECT_EQ(codeOf(name), bits | code) << name.toStdString();
            found += has(name) ? 1 : 0;
        }
    }
    EXPECT_EQ(found, 516);
}

TEST(KeyNameTable, PlainNamesCarryNoModifiers) {
    int plain = 0;
    auto expectPlain = [&plain](const QString& name, std::uint16_t code) {
        EXPECT_EQ(codeOf(name), code) << name.toStdString();
        ++plain;
    };
    for (int i = 0; i < 26; ++i) {
        expectPlain(QChar('A' + i) + QStringLiteral("KEY"), 0x41 + i);
    }
    for (int i = 0; i <= 9; ++i) {
        expectPlain(QStringLiteral("KEY%1").arg(i), 0x30 + i);
        expectPlain(QStringLiteral("KEYPAD%1").arg(i), 0x60 + i);
    }
    const auto base = baseNames();
    QStringList withKey = {"AST",   "BS",     "DECIMAL", "DELETE", "DOWN",  "END",  "ENTER", "ESC",
                           "HOME",  "INSERT", "LEFT",    "MINUS",  "PAUSE", "PGDN", "PGUP",  "PLUS",
                           "PRINT", "RIGHT",  "SLASH",   "SPACE",  "TAB",   "UP"};
    QStringList shortForms = {"DOWN", "ENTER", "ESC", "LEFT", "RIGHT", "SPACE", "TAB", "UP"};
    for (int i = 1; i <= 12; ++i) {
        withKey.append(QStringLiteral("F%1").arg(i));
        shortForms.append(QStringLiteral("F%1").arg(i));
    }
    for (const QString& name : withKey) {
        expectPlain(name + QStringLiteral("KEY"), base.at(name));
    }
    expectPlain(QStringLiteral("CAPSLOCKKEY"), 0x14);
    for (const QString& name : shortForms) {
        expectPlain(name, base.at(name));
    }
    for (const char* mouse :
         {"MOUSELEFT", "MOUSERIGHT", "MOUSECENTER", "MOUSELEFT2", "MOUSERIGHT2", "MOUSECENTER2"}) {
        expectPlain(QString::fromLatin1(mouse), base.at(QString::fromLatin1(mouse)));
    }
    // 107 plain names and 516 with prefixes make up the whole table.
    EXPECT_EQ(plain, 107);
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
