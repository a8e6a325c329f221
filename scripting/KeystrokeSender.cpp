#include "scripting/KeystrokeSender.h"

#include "core/FixedText.h"
#include "core/Time.h"
#include "platform/Clock.h"
#include "platform/Pause.h"
#include "scripting/KeyNameTable.h"
#include "scripting/KeyPlayer.h"

namespace velatask {

namespace {
constexpr int kMaxLength = 255;
constexpr std::int32_t kHalfSecond = 50;
} // namespace

KeystrokeSender::KeystrokeSender(KeyPlayer& player, const Clock& clock, Pause& pause)
    : m_player(player), m_clock(clock), m_pause(pause) {}

void KeystrokeSender::pauseHalfSecond() {
    // A pause begun in the last half second before midnight would never reach its target.
    const std::int32_t target = m_clock.now() + kHalfSecond;
    if (target < Time::kDay) {
        m_pause.waitUntil(target);
    }
}

bool KeystrokeSender::SendKeystrokes(const QString& keystrokes) {
    QString remaining = FixedText::rtrim(keystrokes.left(kMaxLength));
    while (!remaining.isEmpty()) {
        pauseHalfSecond();
        const qsizetype open = remaining.indexOf(QLatin1Char('['));
        if (open < 0) {
            return m_player.TypeText(remaining);
        }
        if (open > 0) {
            if (!m_player.TypeText(remaining.left(open))) {
                return false;
            }
            remaining = remaining.mid(open);
            continue;
        }
        // Every "[" opens a name; without a "]" the rest goes out as text after another pause.
        remaining = remaining.mid(1);
        const qsizetype close = remaining.indexOf(QLatin1Char(']'));
        if (close < 0) {
            continue;
        }
        if (!PressKeyName(remaining.left(close))) {
            return false;
        }
        remaining = remaining.mid(close + 1);
    }
    return true;
}

bool KeystrokeSender::PressKeyName(const QString& name) {
    const std::optional<std::uint16_t> code =
        KeyNameTable::instance().code(FixedText::rtrim(name.toUpper()));
    if (!code) {
        return true;
    }
    return m_player.PressKey(*code);
}

} // namespace velatask
