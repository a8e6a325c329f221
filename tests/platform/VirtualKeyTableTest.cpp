#include "platform/x11/VirtualKeyTable.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

namespace velatask {
namespace {

TEST(VirtualKeyTableTest, KeysOfTheKeyNamesHaveKeysyms) {
    const std::pair<std::uint8_t, std::uint32_t> cases[] = {
        {0x41, XK_a},           {0x5A, XK_z},      {0x30, XK_0},           {0x39, XK_9},
        {0x70, XK_F1},          {0x7B, XK_F12},    {0x60, XK_KP_0},        {0x69, XK_KP_9},
        {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add}, {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal},
        {0x6F, XK_KP_Divide},   {0x0D, XK_Return}, {0x09, XK_Tab},         {0x1B, XK_Escape},
        {0x08, XK_BackSpace},   {0x20, XK_space},  {0x2D, XK_Insert},      {0x2E, XK_Delete},
        {0x2C, XK_Print},       {0x13, XK_Pause},  {0x14, XK_Caps_Lock},   {0x21, XK_Prior},
        {0x22, XK_Next},        {0x23, XK_End},    {0x24, XK_Home},        {0x25, XK_Left},
        {0x26, XK_Up},          {0x27, XK_Right},  {0x28, XK_Down},        {0x10, XK_Shift_L},
        {0x11, XK_Control_L},   {0x12, XK_Alt_L},  {0x90, XK_Num_Lock},    {0x91, XK_Scroll_Lock},
    };
    for (const auto& [vk, keysym] : cases) {
        EXPECT_EQ(VirtualKeyTable::keysymFor(vk), keysym) << int(vk);
        EXPECT_EQ(VirtualKeyTable::virtualKeyFor(keysym), vk) << int(vk);
    }
}

TEST(VirtualKeyTableTest, UsPunctuationMapsToTheOemKeys) {
    const std::pair<char, std::uint8_t> cases[] = {
        {';', 0xBA}, {'=', 0xBB}, {',', 0xBC},  {'-', 0xBD}, {'.', 0xBE},  {'/', 0xBF},
        {'`', 0xC0}, {'[', 0xDB}, {'\\', 0xDC}, {']', 0xDD}, {'\'', 0xDE},
    };
    for (const auto& [ch, vk] : cases) {
        const std::uint32_t keysym = VirtualKeyTable::keysymForChar(static_cast<char32_t>(ch));
        EXPECT_EQ(VirtualKeyTable::virtualKeyFor(keysym), vk) << ch;
        EXPECT_EQ(VirtualKeyTable::keysymFor(vk), keysym) << ch;
    }
}

TEST(VirtualKeyTableTest, UnassignedNumbersHaveNoKeysym) {
    EXPECT_EQ(VirtualKeyTable::keysymFor(0x01), 0u); // mouse buttons
    EXPECT_EQ(VirtualKeyTable::keysymFor(0x07), 0u);
    EXPECT_EQ(VirtualKeyTable::keysymFor(0x00), 0u);
    for (const std::uint8_t spare : VirtualKeyTable::kSpareVirtualKeys) {
        EXPECT_EQ(VirtualKeyTable::keysymFor(spare), 0u) << int(spare);
    }
    EXPECT_FALSE(VirtualKeyTable::virtualKeyFor(XK_EuroSign));
    // Upper-case letters and the right-hand modifiers still find their keys.
    EXPECT_EQ(VirtualKeyTable::virtualKeyFor(XK_Q), 0x51);
    EXPECT_EQ(VirtualKeyTable::virtualKeyFor(XK_Shift_R), 0xA1);
}

TEST(VirtualKeyTableTest, CharactersBecomeKeysyms) {
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'a'), static_cast<std::uint32_t>(XK_a));
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'~'), static_cast<std::uint32_t>(XK_asciitilde));
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\u00E9'), static_cast<std::uint32_t>(XK_eacute));
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\u20AC'), 0x010020ACu);
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\r'), static_cast<std::uint32_t>(XK_Return));
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\n'), static_cast<std::uint32_t>(XK_Return));
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\t'), static_cast<std::uint32_t>(XK_Tab));
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\x01'), 0u);
    EXPECT_EQ(VirtualKeyTable::keysymForChar(U'\x7F'), 0u);
    EXPECT_EQ(VirtualKeyTable::keysymForChar(static_cast<char32_t>(0xD800)), 0u);
}

} // namespace
} // namespace velatask
