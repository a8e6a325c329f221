#pragma once

#include "../ui/WindowFixture.h"

#include "EditingFakes.h"
#include "core/Date.h"
#include "core/Time.h"
#include "editing/EditingContext.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/RecordingProgramStarter.h"
#include "platform/fake/RecordingSound.h"
#include "scheduler/AppContext.h"
#include "settings/Settings.h"

#include <vector>

namespace velatask {

// The window fixture with the program's context around it, as the task windows need it: a clock
// set to Wednesday 6 January 1999, 12:00.
class TaskFormFixture : public WindowFixture {
protected:
    TaskFormFixture() {
        clock.set(Date::fromYmd(1999, 1, 6), Time::fromHms(12, 0));
        app.ini = &ini;
        app.settings = &settings;
        app.clock = &clock;
        app.ui = &ui;
        app.store = &store;
        app.sound = &sound;
        app.programs = &programs;
        EXPECT_EQ(store.SCH.open(), 0);
        EXPECT_EQ(store.SCR.open(), 0);
    }
    ~TaskFormFixture() override {
        store.SCR.close();
        store.SCH.close();
    }

    // Adds a task as another window would; its position.
    QString addTask(ScheduleRecord task) {
        store.SCH.buffer() = task;
        EXPECT_EQ(store.SCH.add(), 0);
        return store.SCH.position();
    }
    // Puts the task into the Schedule buffer as a browse hands it to the form.
    void loadTask(const QString& position) {
        store.SCH.watch();
        ASSERT_EQ(store.SCH.reget(position), 0);
    }
    void addStep(std::int32_t task, std::int32_t sequence, const QString& keys) {
        store.SCR.clearBuffer();
        store.SCR.buffer().ID = task;
        store.SCR.buffer().Sequence = sequence;
        store.SCR.buffer().Action = QStringLiteral("Send Keystrokes");
        store.SCR.buffer().Keystrokes = keys;
        ASSERT_EQ(store.SCR.add(), 0);
    }
    // Every stored task and step, read by another station.
    std::vector<ScheduleRecord> storedTasks() {
        Store& reader = otherStation();
        std::vector<ScheduleRecord> all;
        EXPECT_EQ(reader.SCH.open(), 0);
        reader.SCH.setStart(ScheduleKey::KeyID);
        while (reader.SCH.next() == 0) {
            all.push_back(reader.SCH.buffer());
        }
        reader.SCH.close();
        return all;
    }
    std::vector<ScriptingRecord> storedSteps() {
        Store& reader = otherStation();
        std::vector<ScriptingRecord> all;
        EXPECT_EQ(reader.SCR.open(), 0);
        reader.SCR.setStart(ScriptingKey::KeyID);
        while (reader.SCR.next() == 0) {
            all.push_back(reader.SCR.buffer());
        }
        reader.SCR.close();
        return all;
    }

    Settings settings;
    FakeClock clock;
    RecordingSound sound;
    RecordingProgramStarter programs;
    AppContext app;
    FakeDatePicker calendar;
    FakeFileChooser files;
    EditingContext services{app, calendar, files};
};

} // namespace velatask
