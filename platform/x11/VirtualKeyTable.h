#pragma once

#include <cstdint>
#include <optional>

namespace velatask {

// Translation between Windows virtual-key numbers (the key codes of scripts) and X keysyms. Letters
// map to their lower-case keysym, punctuation to the US-layout character of that OEM key.
namespace VirtualKeyTable {

// The keysym a virtual key stands for, or 0 when it has none (mouse buttons, unassigned numbers).
std::uint32_t keysymFor(std::uint8_t virtualKey);

// The virtual key whose keysym is `keysym` (either case for letters), or nullopt.
std::optional<std::uint8_t> virtualKeyFor(std::uint32_t keysym);

// The keysym that types `ch`: Latin-1 characters are their own keysym, other characters use the
// Unicode keysym range; tab, return, newline, backspace and escape name their keys. 0 for other
// control characters.
std::uint32_t keysymForChar(char32_t ch);

// Virtual-key numbers that Windows leaves unassigned; characters of other layouts borrow them.
inline constexpr std::uint8_t kSpareVirtualKeys[] = {0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E,
                                                     0x8F, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C,
                                                     0x9D, 0x9E, 0x9F, 0xD8, 0xD9, 0xDA, 0xE8};

} // namespace VirtualKeyTable

} // namespace velatask
