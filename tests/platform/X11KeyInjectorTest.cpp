#include "PlatformTestSupport.h"
#include "XProbeWindow.h"

#include "platform/x11/VirtualKeyTable.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11KeyInjector.h"
#include "platform/x11/X11WindowSystem.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <memory>
#include <string>
#include <vector>

namespace velatask {
namespace {

using test::kAltMask;
using test::kControlMask;
using test::kLockMask;
using test::kShiftMask;
using test::ReceivedKey;
using test::XProbeWindow;

KeyEvent down(std::uint8_t vk, bool system = false) {
    return KeyEvent{vk, true, system};
}
KeyEvent up(std::uint8_t vk, bool system = false) {
    return KeyEvent{vk, false, system};
}

// The events the playback logic produces for typing one character, Caps Lock off.
void appendChar(std::vector<KeyEvent>& events, KeyForChar key) {
    if (key.shift) {
        events.push_back(down(0x10));
    }
    events.push_back(down(key.virtualKey));
    events.push_back(up(key.virtualKey));
    if (key.shift) {
        events.push_back(up(0x10));
    }
}

// A focused probe window and the injector under test, on a real X server.
class X11KeyInjectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::haveDisplay()) {
            GTEST_SKIP() << "no X display";
        }
        m_display = std::make_unique<X11Display>();
        ASSERT_TRUE(m_display->available());
        m_injector = std::make_unique<X11KeyInjector>(*m_display);
        m_windows = std::make_unique<X11WindowSystem>(*m_display);
        ASSERT_TRUE(m_injector->available());
        m_probe = std::make_unique<XProbeWindow>(XProbeWindow::Options{"Velatask key probe"});
        ASSERT_TRUE(m_probe->isOpen());
        ASSERT_TRUE(m_probe->waitViewable(test::kWaitMs));
        ASSERT_TRUE(test::waitUntil([&] {
            m_windows->FocusWindow(m_probe->id());
            return m_windows->focusedWindow() == m_probe->id();
        })) << "the probe window never got the input focus";
        ASSERT_EQ(m_injector->heldModifiers(), 0);
        ASSERT_FALSE(m_injector->capsLockOn());
    }

    void TearDown() override {
        if (m_probe && m_probe->isOpen()) {
            for (const std::uint32_t sym : {XK_Shift_L, XK_Shift_R, XK_Control_L, XK_Alt_L}) {
                if (m_probe->keyDown(sym)) {
                    m_probe->fakeKey(sym, false);
                }
            }
        }
        if (m_injector && m_injector->capsLockOn()) {
            m_injector->inject({down(0x14), up(0x14)});
        }
    }

    // Plays `events` followed by a marker key and returns what the window received before it.
    std::vector<ReceivedKey> play(std::vector<KeyEvent> events) {
        m_probe->pump();
        m_probe->keys().clear();
        events.push_back(down(0x7B)); // F12 marks the end
        events.push_back(up(0x7B));
        m_injector->inject(events);
        EXPECT_TRUE(m_probe->waitForRelease(XK_F12, test::kWaitMs));
        std::vector<ReceivedKey> received = m_probe->keys();
        while (!received.empty() && received.back().keysym == XK_F12) {
            received.pop_back();
        }
        return received;
    }

    static std::string describe(const std::vector<ReceivedKey>& keys) {
        std::string text;
        for (const ReceivedKey& key : keys) {
            text += (key.press ? "+" : "-") + std::to_string(key.keysym) + "/" +
                    std::to_string(key.state) + " ";
        }
        return text;
    }

    static void expectKeys(const std::vector<ReceivedKey>& actual,
                           const std::vector<ReceivedKey>& expected) {
        ASSERT_EQ(actual.size(), expected.size()) << describe(actual);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(actual[i].keysym, expected[i].keysym)
                << "event " << i << ": " << describe(actual);
            EXPECT_EQ(actual[i].press, expected[i].press) << "event " << i;
            EXPECT_EQ(actual[i].state & (kShiftMask | kLockMask | kControlMask | kAltMask),
                      expected[i].state)
                << "event " << i << ": " << describe(actual);
        }
    }

    std::unique_ptr<X11Display> m_display;
    std::unique_ptr<X11KeyInjector> m_injector;
    std::unique_ptr<X11WindowSystem> m_windows;
    std::unique_ptr<XProbeWindow> m_probe;
};

TEST_F(X11KeyInjectorTest, CtrlAltDeleteArrivesInPlaybackOrder) {
    const auto received = play({down(0x11), down(0x12), down(0x2E), up(0x2E), up(0x11), up(0x12)});
    expectKeys(received, {{XK_Control_L, true, 0, ""},
                          {XK_Alt_L, true, kControlMask, ""},
                          {XK_Delete, true, kControlMask | kAltMask, ""},
                          {XK_Delete, false, kControlMask | kAltMask, ""},
                          {XK_Control_L, false, kControlMask | kAltMask, ""},
                          {XK_Alt_L, false, kAltMask, ""}});
    EXPECT_EQ(m_injector->heldModifiers(), 0);
}

TEST_F(X11KeyInjectorTest, AltBArrivesWithAltHeld) {
    const auto received =
        play({down(0x12, true), down(0x42, true), up(0x42, true), up(0x12, true)});
    expectKeys(received, {{XK_Alt_L, true, 0, ""},
                          {XK_b, true, kAltMask, ""},
                          {XK_b, false, kAltMask, ""},
                          {XK_Alt_L, false, kAltMask, ""}});
}

TEST_F(X11KeyInjectorTest, TypeTextAbWithCapsLockOff) {
    const auto a = m_injector->keyForChar(U'A');
    const auto b = m_injector->keyForChar(U'b');
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->virtualKey, 0x41);
    EXPECT_TRUE(a->shift);
    EXPECT_EQ(b->virtualKey, 0x42);
    EXPECT_FALSE(b->shift);
    const auto received = play({down(0x10), down(0x41), up(0x41), up(0x10), down(0x42), up(0x42)});
    expectKeys(received, {{XK_Shift_L, true, 0, ""},
                          {XK_a, true, kShiftMask, "A"},
                          {XK_a, false, kShiftMask, ""},
                          {XK_Shift_L, false, kShiftMask, ""},
                          {XK_b, true, 0, "b"},
                          {XK_b, false, 0, ""}});
    EXPECT_EQ(m_probe->typedText(), "Ab");
}

TEST_F(X11KeyInjectorTest, TypeTextAbWithCapsLockOn) {
    m_injector->inject({down(0x14), up(0x14)});
    ASSERT_TRUE(test::waitUntil([&] { return m_injector->capsLockOn(); }));
    const auto received = play({down(0x41), up(0x41), down(0x10), down(0x42), up(0x42), up(0x10)});
    expectKeys(received, {{XK_a, true, kLockMask, "A"},
                          {XK_a, false, kLockMask, ""},
                          {XK_Shift_L, true, kLockMask, ""},
                          {XK_b, true, kLockMask | kShiftMask, "b"},
                          {XK_b, false, kLockMask | kShiftMask, ""},
                          {XK_Shift_L, false, kLockMask | kShiftMask, ""}});
    EXPECT_EQ(m_probe->typedText(), "Ab");
}

TEST_F(X11KeyInjectorTest, HeldShiftIsReleasedAndPressedAgainOnTheSameKey) {
    m_probe->fakeKey(XK_Shift_R, true);
    ASSERT_EQ(m_injector->heldModifiers(), 0x100);
    const auto received = play({up(0x10), down(0x41), up(0x41), down(0x10)});
    expectKeys(received, {{XK_Shift_R, false, kShiftMask, ""},
                          {XK_a, true, 0, "a"},
                          {XK_a, false, 0, ""},
                          {XK_Shift_R, true, 0, ""}});
    // The user's own key is held again, so lifting it leaves no modifier stuck.
    EXPECT_TRUE(m_probe->keyDown(XK_Shift_R));
    EXPECT_FALSE(m_probe->keyDown(XK_Shift_L));
    EXPECT_EQ(m_injector->heldModifiers(), 0x100);
}

TEST_F(X11KeyInjectorTest, TextWithEnterArrivesAsTyped) {
    std::vector<KeyEvent> events;
    for (const char32_t ch : std::u32string(U"Hello")) {
        const auto key = m_injector->keyForChar(ch);
        ASSERT_TRUE(key);
        appendChar(events, *key);
    }
    events.push_back(down(0x0D));
    events.push_back(up(0x0D));
    for (const char32_t ch : std::u32string(U"World")) {
        const auto key = m_injector->keyForChar(ch);
        ASSERT_TRUE(key);
        appendChar(events, *key);
    }
    play(events);
    EXPECT_EQ(m_probe->typedText(), "Hello\rWorld");
}

TEST_F(X11KeyInjectorTest, EveryPrintableAsciiCharacterTypesItself) {
    std::vector<KeyEvent> events;
    std::string expected;
    for (char32_t ch = 0x20; ch <= 0x7E; ++ch) {
        const auto key = m_injector->keyForChar(ch);
        ASSERT_TRUE(key) << "no key for " << static_cast<int>(ch);
        EXPECT_NE(m_injector->keycodeFor(key->virtualKey), 0) << static_cast<int>(ch);
        appendChar(events, *key);
        expected += static_cast<char>(ch);
    }
    play(events);
    EXPECT_EQ(m_probe->typedText(), expected);
}

TEST_F(X11KeyInjectorTest, PunctuationUsesTheUsOemKeys) {
    const std::vector<std::pair<char32_t, KeyForChar>> cases = {
        {U';', {0xBA, false}}, {U':', {0xBA, true}},   {U'=', {0xBB, false}},
        {U'+', {0xBB, true}},  {U',', {0xBC, false}},  {U'-', {0xBD, false}},
        {U'.', {0xBE, false}}, {U'/', {0xBF, false}},  {U'?', {0xBF, true}},
        {U'`', {0xC0, false}}, {U'[', {0xDB, false}},  {U'\\', {0xDC, false}},
        {U']', {0xDD, false}}, {U'\'', {0xDE, false}}, {U'"', {0xDE, true}},
        {U'7', {0x37, false}}, {U'&', {0x37, true}},   {U' ', {0x20, false}},
    };
    for (const auto& [ch, want] : cases) {
        const auto key = m_injector->keyForChar(ch);
        ASSERT_TRUE(key) << static_cast<int>(ch);
        EXPECT_EQ(key->virtualKey, want.virtualKey) << static_cast<int>(ch);
        EXPECT_EQ(key->shift, want.shift) << static_cast<int>(ch);
    }
}

TEST_F(X11KeyInjectorTest, CharactersOfOtherLayoutsBorrowSpareVirtualKeys) {
    // A layout that names its letters by legacy keysyms, as Cyrillic maps do.
    const int keycode = m_probe->bindSpareKeycode(XK_Cyrillic_a, XK_Cyrillic_A);
    ASSERT_NE(keycode, 0) << "no free keycode";
    struct Unbind {
        XProbeWindow& probe;
        int keycode;
        ~Unbind() { probe.unbindKeycode(keycode); }
    } unbind{*m_probe, keycode};
    const auto small = m_injector->keyForChar(U'\u0430');
    const auto capital = m_injector->keyForChar(U'\u0410');
    ASSERT_TRUE(small && capital);
    EXPECT_FALSE(small->shift);
    EXPECT_TRUE(capital->shift);
    EXPECT_EQ(small->virtualKey, capital->virtualKey);
    EXPECT_EQ(VirtualKeyTable::keysymFor(small->virtualKey), 0u) << "not a spare number";
    EXPECT_EQ(m_injector->keycodeFor(small->virtualKey), keycode);
    // Ordinary keys keep their own numbers.
    EXPECT_EQ(m_injector->keyForChar(U'q')->virtualKey, 0x51);
    const auto received = play({down(small->virtualKey), up(small->virtualKey)});
    expectKeys(received, {{XK_Cyrillic_a, true, 0, ""}, {XK_Cyrillic_a, false, 0, ""}});
}

TEST_F(X11KeyInjectorTest, CharacterWithoutKeyTypesNothing) {
    EXPECT_FALSE(m_injector->keyForChar(U'\u4E2D'));
    EXPECT_FALSE(m_injector->keyForChar(U'\x01'));
    // Keys absent from the map and mouse codes are skipped, the rest still arrives.
    const auto received = play({down(0x01), up(0x01), down(0x7F), up(0x7F), down(0x58), up(0x58)});
    expectKeys(received, {{XK_x, true, 0, "x"}, {XK_x, false, 0, ""}});
}

} // namespace
} // namespace velatask
