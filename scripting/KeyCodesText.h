#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// The text of the shipped key abbreviations file: every name of the key-name table on a line of
// its own, followed by the keys it presses. Written from the table, so the list the user reads
// can never disagree with what a keystroke string accepts.
class KeyCodesText {
public:
    static QString generate();

    // How a key code reads to a person: "Ctrl+Shift+Home", "Num Pad 5", "Left Mouse Button".
    static QString describe(std::uint16_t code);
};

} // namespace velatask
