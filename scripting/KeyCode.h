#pragma once

#include <cstdint>

namespace velatask {

// Key codes: the virtual-key number in the low byte, modifier bits above it.
namespace KeyCode {

constexpr std::uint16_t kShift = 0x100;
constexpr std::uint16_t kCtrl = 0x200;
constexpr std::uint16_t kAlt = 0x400;
constexpr std::uint16_t kModifiers = kShift | kCtrl | kAlt;

// Virtual keys of the modifiers and of Caps Lock.
constexpr std::uint8_t kVkShift = 0x10;
constexpr std::uint8_t kVkControl = 0x11;
constexpr std::uint8_t kVkAlt = 0x12;
constexpr std::uint8_t kVkCapsLock = 0x14;

constexpr std::uint8_t virtualKey(std::uint16_t code) {
    return static_cast<std::uint8_t>(code & 0xFF);
}
constexpr std::uint16_t modifiers(std::uint16_t code) {
    return code & kModifiers;
}

} // namespace KeyCode
} // namespace velatask
