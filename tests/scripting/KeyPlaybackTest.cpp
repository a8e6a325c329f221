#include "scripting/KeyPlayback.h"
#include "scripting/KeyEventBuilder.h"
#include "scripting/QtDeliveryScheduler.h"

#include "platform/fake/RecordingKeyInjector.h"
#include "support/ManualDeliveryScheduler.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

constexpr std::uint8_t kShiftKey = 0x10;
constexpr std::uint8_t kCtrlKey = 0x11;
constexpr std::uint8_t kAltKey = 0x12;

KeyEvent down(std::uint8_t vk, bool system = false) {
    return {vk, true, system};
}
KeyEvent up(std::uint8_t vk, bool system = false) {
    return {vk, false, system};
}

std::string describe(const std::vector<KeyEvent>& events) {
    std::string text;
    for (const KeyEvent& e : events) {
        text += QStringLiteral("%1%2%3 ")
                    .arg(e.virtualKey, 2, 16, QLatin1Char('0'))
                    .arg(e.down ? "v" : "^")
                    .arg(e.systemKey ? "s" : "")
                    .toStdString();
    }
    return text;
}

#define EXPECT_EVENTS(actual, ...)                                                                 \
    do {                                                                                           \
        const std::vector<KeyEvent> expected_ = {__VA_ARGS__};                                     \
        EXPECT_EQ(describe(actual), describe(expected_));                                          \
    } while (0)

} // namespace

// The order and kind of events for single codes, without any buffering.
TEST(KeyEventBuilder, CtrlAltDeleteIsPlayedAsNormalKeys) {
    KeyEventBuilder builder(0);
    std::vector<KeyEvent> events;
    builder.append(0x62E, events);
    builder.append(0x000, events); // restore: nothing held by the user
    EXPECT_EVENTS(events, down(kCtrlKey), down(kAltKey), down(0x2E), up(0x2E), up(kCtrlKey),
                  up(kAltKey));
    EXPECT_EQ(builder.pressedModifiers(), 0);
}

TEST(KeyEventBuilder, AltLetterIsPlayedAsSystemKeys) {
    KeyEventBuilder builder(0);
    std::vector<KeyEvent> events;
    builder.append(0x442, events);
    builder.append(0x000, events);
    EXPECT_EVENTS(events, down(kAltKey, true), down(0x42, true), up(0x42, true), up(kAltKey, true));
}

TEST(KeyEventBuilder, ModifiersChangeLowestBitFirstAndPlainKeysAfterAltAreNormal) {
    KeyEventBuilder builder(0);
    std::vector<KeyEvent> events;
    builder.append(0x541, events); // Alt+Shift+A: Shift goes down before Alt
    builder.append(0x042, events); // plain B
    EXPECT_EVENTS(events, down(kShiftKey), down(kAltKey, true), down(0x41, true), up(0x41, true),
                  up(kShiftKey, true), up(kAltKey, true), down(0x42), up(0x42));
    events.clear();
    builder.append(0x141, events); // Shift after an Alt combination is an ordinary key again
    EXPECT_EVENTS(events, down(kShiftKey), down(0x41), up(0x41));
}

TEST(KeyEventBuilder, MouseCodesArePlayedAsKeys) {
    KeyEventBuilder builder(0);
    EXPECT_EVENTS(builder.eventsFor(0x005), down(0x05), up(0x05));
}

class KeyPlaybackTest : public ::testing::Test {
protected:
    RecordingKeyInjector injector;
    ManualDeliveryScheduler scheduler;
    KeyPlayback playback{injector, scheduler};
};

TEST_F(KeyPlaybackTest, PressKeyReturnsAtOnceAndPlaysWhenTheLoopTurns) {
    ASSERT_TRUE(playback.PressKey(0x442));
    EXPECT_TRUE(injector.events().empty());
    EXPECT_TRUE(playback.isPlaying());
    EXPECT_EQ(playback.pending().size(), 2);

    EXPECT_EQ(scheduler.runAll(), 2); // one code per turn: the key, then its restore entry
    EXPECT_EVENTS(injector.events(), down(kAltKey, true), down(0x42, true), up(0x42, true),
                  up(kAltKey, true));
    EXPECT_FALSE(playback.isPlaying());
    EXPECT_TRUE(playback.pending().isEmpty());
}

TEST_F(KeyPlaybackTest, TypeTextWithCapsLockOffAndOn) {
    ASSERT_TRUE(playback.TypeText("Ab"));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), down(kShiftKey), down(0x41), up(0x41), up(kShiftKey),
                  down(0x42), up(0x42));

    injector.clearEvents();
    injector.setCapsLockOn(true);
    ASSERT_TRUE(playback.TypeText("Ab"));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), down(0x41), up(0x41), down(kShiftKey), down(0x42), up(0x42),
                  up(kShiftKey));
}

TEST_F(KeyPlaybackTest, CapsLockOnlyInvertsShiftForLetters) {
    injector.setCapsLockOn(true);
    ASSERT_TRUE(playback.TypeText("1!"));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), down(0x31), up(0x31), down(kShiftKey), down(0x31), up(0x31),
                  up(kShiftKey));
}

TEST_F(KeyPlaybackTest, PendingCapsLockPressIsTakenIntoAccount) {
    // Caps Lock is off, but a press of it waits in the buffer: the letter after it must be
    // typed with Shift so that it still arrives in lower case.
    ASSERT_TRUE(playback.PressKey(0x14));
    EXPECT_TRUE(playback.capsLockPending());
    ASSERT_TRUE(playback.TypeText("a"));
    scheduler.runAll();
    EXPECT_FALSE(playback.capsLockPending());
    EXPECT_EVENTS(injector.events(), down(0x14), up(0x14), down(kShiftKey), down(0x41), up(0x41),
                  up(kShiftKey));
}

TEST_F(KeyPlaybackTest, UserHeldModifiersAreReleasedAndPressedAgain) {
    injector.setHeldModifiers(0x100);
    ASSERT_TRUE(playback.PressKey(0x0D));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), up(kShiftKey), down(0x0D), up(0x0D), down(kShiftKey));

    injector.clearEvents();
    injector.setHeldModifiers(0x400);
    ASSERT_TRUE(playback.PressKey(0x0D));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), up(kAltKey, true), down(0x0D), up(0x0D), down(kAltKey, true));
}

TEST_F(KeyPlaybackTest, ModifiersAreReadAgainWhenPlaybackStartsAgain) {
    ASSERT_TRUE(playback.PressKey(0x0D));
    scheduler.runAll();
    injector.clearEvents();
    // The user now holds Ctrl; the restore entry and the start of playback both see it.
    injector.setHeldModifiers(0x200);
    ASSERT_TRUE(playback.PressKey(0x0D));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), up(kCtrlKey), down(0x0D), up(0x0D), down(kCtrlKey));
}

TEST_F(KeyPlaybackTest, CharactersTheLayoutCannotProduceAreLeftOut) {
    injector.removeChar(U'b');
    injector.setKeyForChar(U'c', {0, true}); // a layout answer without a key
    injector.setKeyForChar(U'd', {0x43, false});
    ASSERT_TRUE(playback.TypeText(QString::fromUtf8("ab\u00e9cd")));
    scheduler.runAll();
    EXPECT_EVENTS(injector.events(), down(0x41), up(0x41), down(0x43), up(0x43));
}

TEST_F(KeyPlaybackTest, NothingIsAcceptedWithoutAKeyboardToPlayInto) {
    injector.setAvailable(false);
    EXPECT_FALSE(playback.PressKey(0x0D));
    EXPECT_FALSE(playback.TypeText("abc"));
    EXPECT_EQ(scheduler.runAll(), 0);
    EXPECT_TRUE(injector.events().empty());
}

TEST_F(KeyPlaybackTest, BufferDoublesUpTo1024AndThenRefusesWholeCalls) {
    EXPECT_EQ(playback.pending().capacity(), 16);
    std::vector<int> capacities;
    for (int i = 0; i < 512; ++i) {
        ASSERT_TRUE(playback.PressKey(0x41)) << i;
        const int room = playback.pending().capacity();
        if (capacities.empty() || capacities.back() != room) {
            capacities.push_back(room);
        }
    }
    EXPECT_EQ(capacities, (std::vector<int>{16, 32, 64, 128, 256, 512, 1024}));
    EXPECT_EQ(playback.pending().size(), 1024);

    // Full: a call is refused as a whole, never cut off before its restore entry.
    EXPECT_FALSE(playback.PressKey(0x42));
    EXPECT_FALSE(playback.TypeText("b"));
    EXPECT_EQ(playback.pending().size(), 1024);

    // Playing one key and its restore entry makes room for one more call.
    scheduler.runOne();
    scheduler.runOne();
    EXPECT_TRUE(playback.PressKey(0x43));
    scheduler.runAll();
    EXPECT_EQ(injector.events().size(), 513u * 2);
    EXPECT_EQ(injector.events().back(), up(0x43));
}

TEST_F(KeyPlaybackTest, TextLongerThanTheBufferIsRefused) {
    EXPECT_FALSE(playback.TypeText(QString(1024, QLatin1Char('a'))));
    EXPECT_TRUE(playback.pending().isEmpty());
    EXPECT_TRUE(playback.TypeText(QString(1023, QLatin1Char('a'))));
    EXPECT_EQ(playback.pending().size(), 1024);
}

TEST_F(KeyPlaybackTest, RingKeepsOrderWhileWrappingAndGrowing) {
    // Interleave playing and appending so the ring wraps before it grows.
    ASSERT_TRUE(playback.TypeText("abcdefg")); // 8 codes
    for (int i = 0; i < 6; ++i) {
        scheduler.runOne();
    }
    ASSERT_TRUE(playback.TypeText("hijklmnopqrstuvwxyz")); // 20 codes, wraps and grows
    scheduler.runAll();
    QString typed;
    for (const KeyEvent& e : injector.events()) {
        if (e.down && e.virtualKey >= 0x41) {
            typed += QChar(e.virtualKey);
        }
    }
    EXPECT_EQ(typed, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

// Two spare numbers for a whole alphabet: each character gets its key when it is played, so a
// text with more distinct characters than spare numbers still arrives as written, also when
// it is appended while earlier text is still waiting.
TEST_F(KeyPlaybackTest, CharactersOfAnotherLayoutKeepTheirOwnKeysPastTheSpareNumbers) {
    const std::u32string greek = U"\u03b1\u03b2\u03b3\u03b4\u03b5\u03b6\u03b7";
    injector.lendSpareKeys(greek, {0x88, 0x89});
    const QString first = QString::fromUtf8("\u03b1\u03b2\u03b3 \u0391\u03b4");
    const QString second = QString::fromUtf8("\u03b5x\u03b6\u03b7\u03b1");
    ASSERT_TRUE(playback.TypeText(first));
    scheduler.runOne();
    scheduler.runOne();
    ASSERT_TRUE(playback.TypeText(second));
    scheduler.runAll();
    QString typed = first + second;
    typed.remove(QLatin1Char(' ')).remove(QLatin1Char('x'));
    EXPECT_EQ(QString::fromStdU32String(injector.typedWithBorrowedKeys()), typed);
    EXPECT_EQ(injector.heldModifiers(), 0);
}

// A call appended while playback holds a modifier must not take that modifier for one the user
// holds: the restore entry brings back the user's keys and no others.
TEST_F(KeyPlaybackTest, RestoreEntryCountsOnlyTheUsersModifiers) {
    const struct {
        std::uint16_t userHeld;
        std::uint16_t first;
    } cases[] = {
        {0x000, 0x141}, // playback holds Shift for Shift+A
        {0x000, 0x642}, // Ctrl and Alt for Ctrl+Alt+B
        {0x100, 0x041}, // the user holds Shift, playback let it go for a plain A
        {0x200, 0x441}, // the user holds Ctrl, playback swapped it for Alt
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        injector.setHeldModifiers(c.userHeld);
        ASSERT_TRUE(playback.PressKey(c.first));
        scheduler.runOne(); // the key is played, its modifiers still as it needed them
        ASSERT_TRUE(playback.PressKey(0x0D));
        ASSERT_TRUE(playback.TypeText("z"));
        scheduler.runAll();
        EXPECT_EQ(injector.heldModifiers(), c.userHeld);
    }
}

TEST(KeyPlaybackLifetime, DeliveryAfterThePlaybackIsGoneDoesNothing) {
    RecordingKeyInjector injector;
    ManualDeliveryScheduler scheduler;
    {
        KeyPlayback playback(injector, scheduler);
        ASSERT_TRUE(playback.PressKey(0x41));
    }
    EXPECT_EQ(scheduler.runAll(), 1);
    EXPECT_TRUE(injector.events().empty());
}

TEST(KeyPlaybackQt, KeysArePlayedByTheEventLoop) {
    RecordingKeyInjector injector;
    QtDeliveryScheduler scheduler;
    KeyPlayback playback(injector, scheduler);
    ASSERT_TRUE(playback.TypeText("hi"));
    EXPECT_TRUE(injector.events().empty());
    QDeadlineTimer deadline(5000);
    while (playback.isPlaying() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(playback.isPlaying());
    EXPECT_EVENTS(injector.events(), down(0x48), up(0x48), down(0x49), up(0x49));
}
