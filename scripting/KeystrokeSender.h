#pragma once

#include <QString>

namespace velatask {

class Clock;
class KeyPlayer;
class Pause;

// Plays a keystroke string: plain text mixed with key names in square brackets, each chunk
// after a pause of half a second.
class KeystrokeSender {
public:
    KeystrokeSender(KeyPlayer& player, const Clock& clock, Pause& pause);

    // Returns when the last chunk has been handed to the playback; false when the playback
    // refused a chunk, in which case the rest of the string is dropped.
    bool SendKeystrokes(const QString& keystrokes);
    // Presses the key of a name of the key-name table (any case, trailing blanks ignored); a
    // name not in the table does nothing.
    bool PressKeyName(const QString& name);

private:
    void pauseHalfSecond();

    KeyPlayer& m_player;
    const Clock& m_clock;
    Pause& m_pause;
};

} // namespace velatask
