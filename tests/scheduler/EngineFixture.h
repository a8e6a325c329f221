#pragma once

#include "core/Date.h"
#include "core/Time.h"
#include "platform/Tray.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/fake/RecordingDdeClient.h"
#include "platform/fake/RecordingKeyInjector.h"
#include "platform/fake/RecordingPause.h"
#include "platform/fake/RecordingProgramStarter.h"
#include "platform/fake/RecordingSound.h"
#include "platform/fake/ScriptedUi.h"
#include "scheduler/AppContext.h"
#include "scheduler/Frame.h"
#include "scheduler/MessageWindowOpener.h"
#include "scheduler/SchedulerTick.h"
#include "scripting/DeliveryScheduler.h"
#include "scripting/KeyPlayback.h"
#include "scripting/KeystrokeSender.h"
#include "scripting/ScriptQueue.h"
#include "scripting/ScriptRunner.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "store/Store.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velatask {

// A log of what the engine did to the world, in order.
using EventLog = QStringList;

class FakeTray : public Tray {
public:
    explicit FakeTray(EventLog& log) : m_log(log) {}
    bool add(const QString& tip) override {
        m_log << QStringLiteral("tray add");
        tipText = tip;
        installed = accept;
        return accept;
    }
    bool modify(const QString& tip) override {
        ++modifies;
        tipText = tip;
        return installed;
    }
    bool remove() override {
        m_log << QStringLiteral("tray remove");
        if (!acceptRemove || !installed) {
            return false;
        }
        installed = false;
        return true;
    }
    QString tip() const override { return tipText; }
    bool accept = true;
    bool acceptRemove = true;
    int modifies = 0;
    bool installed = false;
    QString tipText;

private:
    EventLog& m_log;
};

class FakeFrame : public Frame {
public:
    explicit FakeFrame(EventLog& log) : m_log(log), m_tray(log) {}
    QString applicationTitle() const override { return QStringLiteral("Velatask"); }
    QString caption() const override { return m_caption; }
    void setCaption(const QString& caption) override {
        ++captionWrites;
        m_caption = caption;
    }
    bool isIconised() const override { return iconised; }
    void unIconise() override {
        m_log << QStringLiteral("un-iconise");
        iconised = false;
    }
    void showNormally() override {
        m_log << QStringLiteral("show");
        visible = true;
    }
    void bringToForeground() override { m_log << QStringLiteral("foreground"); }
    Tray& tray() override { return m_tray; }
    FakeTray& fakeTray() { return m_tray; }
    bool inTray() const override { return m_inTray; }
    void setInTray(bool inTray) override { m_inTray = inTray; }

    bool iconised = false;
    bool visible = true;
    int captionWrites = 0;

private:
    EventLog& m_log;
    FakeTray m_tray;
    QString m_caption;
    bool m_inTray = false;
};

class RecordingMessageWindows : public MessageWindowOpener {
public:
    RecordingMessageWindows(AppContext& ctx, EventLog& log) : m_ctx(ctx), m_log(log) {}
    void openMessageWindow() override {
        m_log << QStringLiteral("message window: ") + m_ctx.PendingMessage;
        opened << m_ctx.PendingMessage;
        ++m_ctx.OpenMessageWindows;
    }
    QStringList opened;

private:
    AppContext& m_ctx;
    EventLog& m_log;
};

// Delivers posted key playback at once, as an idle event loop would.
class ImmediateDelivery : public DeliveryScheduler {
public:
    void post(std::function<void()> work) override { work(); }
};

// A complete scheduler over a real data file in a temporary folder, with recording fakes for
// everything the OS would do.
class EngineFixture : public ::testing::Test {
protected:
    EngineFixture() {
        ctx.ini = &ini;
        ctx.settings = &settings;
        ctx.clock = &clock;
        ctx.ui = &ui;
        ctx.store = store.get();
        ctx.sound = &sound;
        ctx.programs = &programs;
        ctx.scriptQueue = &queue;
        ctx.scriptRunner = &runner;
        ctx.frame = &frame;
        ctx.messageWindows = &messageWindows;
        sound.setListener([this](const QString& f) { log << QStringLiteral("alarm ") + f; });
        EXPECT_EQ(store->HIS.open(), 0);
        EXPECT_EQ(store->SCH1.open(), 0);
        EXPECT_EQ(store->SCR.open(), 0);
        EXPECT_EQ(store->SCH.open(), 0);
    }

    // Adds a task through SCH; returns its ID.
    std::int32_t addTask(ScheduleRecord r) {
        if (r.ID == 0) {
            r.ID = ++m_lastId;
        }
        store->SCH.buffer() = r;
        EXPECT_EQ(store->SCH.add(), 0);
        return r.ID;
    }
    void addStep(std::int32_t taskId, std::int32_t sequence, const char* action,
                 const char* text = "", int seconds = 0) {
        ScriptingRecord s;
        s.ID = taskId;
        s.Sequence = sequence;
        s.Action = QString::fromLatin1(action);
        s.Keystrokes = QString::fromLatin1(text);
        s.FocusOnWindow = QString::fromLatin1(text);
        s.WaitForWindow = QString::fromLatin1(text);
        s.SecondsToWait = seconds;
        store->SCR.buffer() = s;
        EXPECT_EQ(store->SCR.add(), 0);
    }
    // Every Schedule record in ID order.
    std::vector<ScheduleRecord> allTasks() {
        std::vector<ScheduleRecord> all;
        store->SCH.setStart(ScheduleKey::KeyID);
        while (store->SCH.next() == 0) {
            all.push_back(store->SCH.buffer());
        }
        return all;
    }
    std::optional<ScheduleRecord> task(std::int32_t id) {
        store->SCH.clearBuffer();
        store->SCH.buffer().ID = id;
        if (store->SCH.fetch(ScheduleKey::KeyID) != 0) {
            return std::nullopt;
        }
        return store->SCH.buffer();
    }
    void setNow(int y, int m, int d, int h, int mi, int s = 0, int hs = 0) {
        clock.set(Date::fromYmd(y, m, d), Time::fromHms(h, mi, s, hs));
    }

    QTemporaryDir dir;
    IniFile ini{dir.filePath(QStringLiteral("Vela.INI"))};
    Settings settings;
    FakeClock clock;
    ScriptedUi ui;
    std::unique_ptr<Store> store = std::make_unique<Store>(dir.path(), ui);
    EventLog log;
    RecordingSound sound;
    RecordingProgramStarter programs;
    FakeFrame frame{log};
    AppContext ctx;
    RecordingMessageWindows messageWindows{ctx, log};
    ScriptQueue queue;
    RecordingKeyInjector keys;
    FakeWindowSystem windows;
    RecordingDdeClient dde;
    ImmediateDelivery delivery;
    KeyPlayback playback{keys, delivery};
    RecordingPause pause{&clock};
    KeystrokeSender sender{playback, clock, pause};
    ScriptRunner runner{ScriptRunner::Services{queue, clock, ui, windows, dde, keys, sender}};
    SchedulerTick ticker{ctx};

private:
    std::int32_t m_lastId = 0;
};

} // namespace velatask
