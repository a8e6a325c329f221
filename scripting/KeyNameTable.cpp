#include "scripting/KeyNameTable.h"

#include "scripting/KeyCode.h"

#include <vector>

namespace velatask {

namespace {

struct NamedKey {
    QString name;
    std::uint16_t code;
};

// The base keys that the modifier prefixes combine with.
std::vector<NamedKey> baseKeys() {
    std::vector<NamedKey> keys;
    for (int i = 0; i <= 9; ++i) {
        keys.push_back({QString::number(i), static_cast<std::uint16_t>(0x30 + i)});
    }
    for (char c = 'A'; c <= 'Z'; ++c) {
        keys.push_back({QString(QChar(c)), static_cast<std::uint16_t>(c)});
    }
    for (int i = 1; i <= 12; ++i) {
        keys.push_back({QStringLiteral("F%1").arg(i), static_cast<std::uint16_t>(0x6F + i)});
    }
    for (int i = 0; i <= 9; ++i) {
        keys.push_back({QStringLiteral("PAD%1").arg(i), static_cast<std::uint16_t>(0x60 + i)});
    }
    const NamedKey others[] = {
        {"AST", 0x6A},         {"PLUS", 0x6B},       {"MINUS", 0x6D},       {"DECIMAL", 0x6E},
        {"SLASH", 0x6F},       {"BS", 0x08},         {"TAB", 0x09},         {"ENTER", 0x0D},
        {"PAUSE", 0x13},       {"ESC", 0x1B},        {"SPACE", 0x20},       {"PGUP", 0x21},
        {"PGDN", 0x22},        {"END", 0x23},        {"HOME", 0x24},        {"LEFT", 0x25},
        {"UP", 0x26},          {"RIGHT", 0x27},      {"DOWN", 0x28},        {"PRINT", 0x2C},
        {"INSERT", 0x2D},      {"DELETE", 0x2E},     {"MOUSELEFT", 0x01},   {"MOUSERIGHT", 0x02},
        {"MOUSECENTER", 0x03}, {"MOUSELEFT2", 0x05}, {"MOUSERIGHT2", 0x06}, {"MOUSECENTER2", 0x07}};
    keys.insert(keys.end(), std::begin(others), std::end(others));
    return keys;
}

} // namespace

const KeyNameTable& KeyNameTable::instance() {
    static const KeyNameTable table;
    return table;
}

KeyNameTable::KeyNameTable() {
    const std::vector<NamedKey> base = baseKeys();
    auto baseCode = [&base](const QString& name) {
        for (const NamedKey& k : base) {
            if (k.name == name) {
                return k.code;
            }
        }
        return std::uint16_t{0};
    };

    // Every base key under each of the six modifier prefixes.
    const NamedKey prefixes[] = {{"SHIFT", KeyCode::kShift},
                                 {"CTRL", KeyCode::kCtrl},
                                 {"ALT", KeyCode::kAlt},
                                 {"CTRLSHIFT", KeyCode::kCtrl | KeyCode::kShift},
                                 {"ALTSHIFT", KeyCode::kAlt | KeyCode::kShift},
                                 {"CTRLALT", KeyCode::kCtrl | KeyCode::kAlt}};
    for (const NamedKey& prefix : prefixes) {
        for (const NamedKey& key : base) {
            add(prefix.name + key.name, static_cast<std::uint16_t>(prefix.code | key.code));
        }
    }

    // Plain keys: letters, digits and pad digits only with "KEY" attached.
    for (char c = 'A'; c <= 'Z'; ++c) {
        add(QChar(c) + QStringLiteral("KEY"), static_cast<std::uint16_t>(c));
    }
    for (int i = 0; i <= 9; ++i) {
        add(QStringLiteral("KEY%1").arg(i), static_cast<std::uint16_t>(0x30 + i));
        add(QStringLiteral("KEYPAD%1").arg(i), static_cast<std::uint16_t>(0x60 + i));
    }
    QStringList withKey = {"AST",   "BS",     "DECIMAL", "DELETE", "DOWN",  "END",  "ENTER", "ESC",
                           "HOME",  "INSERT", "LEFT",    "MINUS",  "PAUSE", "PGDN", "PGUP",  "PLUS",
                           "PRINT", "RIGHT",  "SLASH",   "SPACE",  "TAB",   "UP"};
    QStringList shortForms = {"DOWN", "ENTER", "ESC", "LEFT", "RIGHT", "SPACE", "TAB", "UP"};
    for (int i = 1; i <= 12; ++i) {
        withKey.append(QStringLiteral("F%1").arg(i));
        shortForms.append(QStringLiteral("F%1").arg(i));
    }
    for (const QString& name : withKey) {
        add(name + QStringLiteral("KEY"), baseCode(name));
    }
    add(QStringLiteral("CAPSLOCKKEY"), KeyCode::kVkCapsLock);
    for (const QString& name : shortForms) {
        add(name, baseCode(name));
    }
    const QStringList mouse = {"MOUSELEFT",  "MOUSERIGHT",  "MOUSECENTER",
                               "MOUSELEFT2", "MOUSERIGHT2", "MOUSECENTER2"};
    for (const QString& name : mouse) {
        add(name, baseCode(name));
    }
}

void KeyNameTable::add(const QString& name, std::uint16_t code) {
    m_codes.insert(name, code);
}

std::optional<std::uint16_t> KeyNameTable::code(const QString& name) const {
    const auto it = m_codes.constFind(name);
    if (it == m_codes.constEnd()) {
        return std::nullopt;
    }
    return it.value();
}

} // namespace velatask
