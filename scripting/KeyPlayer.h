#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// Hands text and key codes to the key playback; both return at once, before the keys are played.
class KeyPlayer {
public:
    virtual ~KeyPlayer() = default;
    // False when the playback refused the keys (no keyboard to play into, or too many waiting);
    // nothing of the call is then played.
    virtual bool TypeText(const QString& text) = 0;
    virtual bool PressKey(std::uint16_t code) = 0;
};

} // namespace velatask
