#include "scripting/KeyCodesText.h"

#include "scripting/KeyCode.h"
#include "scripting/KeyNameTable.h"

#include <QStringList>

#include <algorithm>
#include <utility>
#include <vector>

namespace velatask {

namespace {

// Key names longer than this still get one blank before their meaning.
constexpr int kNameColumn = 18;

QString keyLabel(std::uint8_t vk) {
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) {
        return QString(QChar(vk));
    }
    if (vk >= 0x60 && vk <= 0x69) {
        return QStringLiteral("Num Pad %1").arg(vk - 0x60);
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return QStringLiteral("F%1").arg(vk - 0x6F);
    }
    switch (vk) {
    case 0x01:
        return QStringLiteral("Left Mouse Button");
    case 0x02:
        return QStringLiteral("Right Mouse Button");
    case 0x03:
        return QStringLiteral("Middle Mouse Button");
    case 0x05:
        return QStringLiteral("Left Mouse Button Double Click");
    case 0x06:
        return QStringLiteral("Right Mouse Button Double Click");
    case 0x07:
        return QStringLiteral("Middle Mouse Button Double Click");
    case 0x08:
        return QStringLiteral("Backspace");
    case 0x09:
        return QStringLiteral("Tab");
    case 0x0D:
        return QStringLiteral("Enter");
    case 0x13:
        return QStringLiteral("Pause");
    case KeyCode::kVkCapsLock:
        return QStringLiteral("Caps Lock");
    case 0x1B:
        return QStringLiteral("Esc");
    case 0x20:
        return QStringLiteral("Space Bar");
    case 0x21:
        return QStringLiteral("Page Up");
    case 0x22:
        return QStringLiteral("Page Down");
    case 0x23:
        return QStringLiteral("End");
    case 0x24:
        return QStringLiteral("Home");
    case 0x25:
        return QStringLiteral("Left Arrow");
    case 0x26:
        return QStringLiteral("Up Arrow");
    case 0x27:
        return QStringLiteral("Right Arrow");
    case 0x28:
        return QStringLiteral("Down Arrow");
    case 0x2C:
        return QStringLiteral("Print Screen");
    case 0x2D:
        return QStringLiteral("Insert");
    case 0x2E:
        return QStringLiteral("Delete");
    case 0x6A:
        return QStringLiteral("Num Pad *");
    case 0x6B:
        return QStringLiteral("Num Pad +");
    case 0x6D:
        return QStringLiteral("Num Pad -");
    case 0x6E:
        return QStringLiteral("Num Pad .");
    case 0x6F:
        return QStringLiteral("Num Pad /");
    default:
        return QStringLiteral("Key %1").arg(vk, 2, 16, QLatin1Char('0')).toUpper();
    }
}

// The groups of the list, in the order a reader looks for them.
struct Group {
    std::uint16_t modifiers;
    const char* heading;
};
constexpr Group kGroups[] = {
    {0, "Keys without modifiers"},
    {KeyCode::kShift, "Shift with a key"},
    {KeyCode::kCtrl, "Ctrl with a key"},
    {KeyCode::kAlt, "Alt with a key"},
    {KeyCode::kCtrl | KeyCode::kShift, "Ctrl and Shift with a key"},
    {KeyCode::kAlt | KeyCode::kShift, "Alt and Shift with a key"},
    {KeyCode::kCtrl | KeyCode::kAlt, "Ctrl and Alt with a key"},
};

const char* const kIntroduction =
    "Velatask key abbreviations\n"
    "==========================\n"
    "\n"
    "A \"Send Keystrokes\" script step types its text into the window that has the\n"
    "keyboard focus. A name in square brackets presses one key, with its modifiers:\n"
    "\n"
    "    Hello[ENTER]World     types Hello, presses Enter, types World\n"
    "    [AltF4]               presses Alt+F4\n"
    "    [CTRLSHIFTHOME]       presses Ctrl+Shift+Home\n"
    "\n"
    "Names are not case sensitive, but a blank inside the brackets before the name\n"
    "makes it unknown. Every piece of text and every bracketed name is preceded by\n"
    "a pause of half a second. A \"[\" always opens a name, so it cannot be typed\n"
    "as text. Letters, digits and the number pad have no plain name of their own:\n"
    "type them as text, or use AKEY, KEY0 or KEYPAD0.\n"
    "\n"
    "Below is every name the program knows, followed by the keys it presses.\n";

} // namespace

QString KeyCodesText::describe(std::uint16_t code) {
    QString text;
    if (code & KeyCode::kCtrl) {
        text += QStringLiteral("Ctrl+");
    }
    if (code & KeyCode::kAlt) {
        text += QStringLiteral("Alt+");
    }
    if (code & KeyCode::kShift) {
        text += QStringLiteral("Shift+");
    }
    return text + keyLabel(KeyCode::virtualKey(code));
}

QString KeyCodesText::generate() {
    const KeyNameTable& table = KeyNameTable::instance();
    std::vector<std::pair<std::uint16_t, QString>> entries;
    for (const QString& name : table.names()) {
        entries.emplace_back(*table.code(name), name);
    }
    std::sort(entries.begin(), entries.end());

    QString text = QString::fromLatin1(kIntroduction);
    for (const Group& group : kGroups) {
        const QString heading = QString::fromLatin1(group.heading);
        text += QLatin1Char('\n') + heading + QLatin1Char('\n') +
                QString(heading.size(), QLatin1Char('-')) + QLatin1Char('\n');
        for (const auto& [code, name] : entries) {
            if (KeyCode::modifiers(code) != group.modifiers) {
                continue;
            }
            text += name.leftJustified(kNameColumn - 1) + QLatin1Char(' ') + describe(code) +
                    QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace velatask
