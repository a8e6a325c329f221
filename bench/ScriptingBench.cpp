#include "scripting/KeyEventBuilder.h"
#include "scripting/KeyNameTable.h"
#include "scripting/KeystrokeSender.h"
#include "scripting/TitleMatches.h"

#include "core/Time.h"
#include "platform/Pause.h"
#include "platform/fake/FakeClock.h"
#include "scripting/KeyPlayer.h"

#include <benchmark/benchmark.h>

using namespace velatask;

namespace {

// Counts what it is given and never waits.
class CountingPlayer : public KeyPlayer {
public:
    bool TypeText(const QString& text) override {
        m_items += text.size();
        return true;
    }
    bool PressKey(std::uint16_t code) override {
        m_items += code & 1;
        return true;
    }
    std::int64_t m_items = 0;
};

class NoPause : public Pause {
public:
    void waitUntil(std::int32_t) override {}
};

} // namespace

// Looking up every name of the table, as a bracketed name in a keystroke string is looked up.
static void BM_PressKeyNameLookup(benchmark::State& state) {
    const FakeClock clock(36000, Time::fromHms(12, 0));
    NoPause pause;
    CountingPlayer player;
    KeystrokeSender sender(player, clock, pause);
    QStringList names = KeyNameTable::instance().names();
    for (QString& name : names) {
        name = name.toLower() + "  ";
    }
    for (auto _ : state) {
        for (const QString& name : names) {
            benchmark::DoNotOptimize(sender.PressKeyName(name));
        }
    }
    state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(BM_PressKeyNameLookup);

// A full keystroke field of text and names cut into chunks.
static void BM_SendKeystrokesField(benchmark::State& state) {
    const FakeClock clock(36000, Time::fromHms(12, 0));
    NoPause pause;
    CountingPlayer player;
    KeystrokeSender sender(player, clock, pause);
    const QString field = "Dear Sir[ENTER][TAB]regards[CTRLS][ALTF4]x]y[altb ]abc[def   ";
    for (auto _ : state) {
        benchmark::DoNotOptimize(sender.SendKeystrokes(field));
    }
}
BENCHMARK(BM_SendKeystrokesField);

static void BM_KeyEventsForCodes(benchmark::State& state) {
    const std::uint16_t codes[] = {0x62E, 0x000, 0x442, 0x141, 0x042, 0x000};
    std::vector<KeyEvent> events;
    for (auto _ : state) {
        KeyEventBuilder builder(0);
        events.clear();
        for (std::uint16_t code : codes) {
            builder.append(code, events);
        }
        benchmark::DoNotOptimize(events.data());
    }
}
BENCHMARK(BM_KeyEventsForCodes);

// Matching a pattern against a long window list, as each look at the windows does.
static void BM_TitleMatchesWindowList(benchmark::State& state) {
    QStringList titles;
    for (int i = 0; i < 200; ++i) {
        titles.append(QStringLiteral("Document %1 - Some Editor").arg(i));
    }
    for (auto _ : state) {
        int matches = 0;
        for (const QString& title : titles) {
            matches += TitleMatches("*notepad", title) ? 1 : 0;
            matches += TitleMatches("Document 1*", title) ? 1 : 0;
        }
        benchmark::DoNotOptimize(matches);
    }
}
BENCHMARK(BM_TitleMatchesWindowList);

BENCHMARK_MAIN();
