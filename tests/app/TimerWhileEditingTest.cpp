#include "../editing/EditingFakes.h"
#include "../scheduler/EngineFixture.h"
#include "../support/WaitFor.h"

#include "app/MainFrame.h"
#include "editing/EditingContext.h"
#include "editing/NextDateEntry.h"
#include "editing/ScheduleTypeGroup.h"
#include "editing/UpdateSchedule.h"
#include "scripting/ui/UpdateScripting.h"
#include "scripting/ui/ViewScriptKeys.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

using namespace velatask;

namespace {

// Message boxes that stay open, in an event loop of their own as the desktop's do, until the
// test lets them go.
class LingeringUi : public ScriptedUi {
public:
    std::function<bool()> until = [] { return true; };
    int messageBox(const MessageBoxSpec& box) override {
        waitFor(until, 10000);
        return ScriptedUi::messageBox(box);
    }
};

class TimerWhileEditingTest : public EngineFixture {
protected:
    TimerWhileEditingTest() {
        // A hundredth past the second: the timer ticks only once a second has begun.
        setNow(1999, 1, 4, 12, 0, 0, 1);
        ctx.ui = &lingering;
        frame.tickTimer().clockSet();
    }
    // A message task due a minute ago, added by another station so that the open window's
    // buffers stay untouched; true once the frame's timer has shown its message. The timer
    // follows the clock, so asking lets a second pass.
    std::function<bool()> dueTask(const QString& message) {
        ScheduleRecord task;
        task.ID = 1000 + 10 * m_added++; // clear of the numbers the program gives out
        task.TaskType = QStringLiteral("Display Message");
        task.ScheduleType = QStringLiteral("Once");
        task.Date = clock.today();
        task.Time = clock.now() - Time::kMinute;
        task.Message = message;
        ScriptedUi otherUi;
        Store other(dir.path(), otherUi);
        EXPECT_EQ(other.SCH.open(), 0);
        other.SCH.buffer() = task;
        EXPECT_EQ(other.SCH.add(), 0);
        other.SCH.close();
        return [this, message] {
            clock.advance(Time::kSecond);
            return messageWindows.opened.contains(message);
        };
    }
    // Runs the modal window; `whileOpen` runs once it shows, then the window is closed.
    static void whileShown(QDialog& window, std::function<void()> whileOpen) {
        QTimer::singleShot(0, &window, [&window, whileOpen] {
            whileOpen();
            window.reject();
        });
    }

    LingeringUi lingering;
    MainFrame frame{ctx, ticker};
    FakeDatePicker calendar;
    FakeFileChooser files;
    EditingContext services{ctx, calendar, files};

private:
    int m_added = 0;
};

} // namespace

TEST_F(TimerWhileEditingTest, TasksFallDueWhileTheEditingWindowsAndTheirBoxesAreOpen) {
    const auto formDue = dueTask(QStringLiteral("during the task form"));
    store->SCH.clearBuffer();
    UpdateSchedule form(services, Request::Insert);
    whileShown(form, [&] {
        EXPECT_TRUE(waitFor(formDue));
        // A box of the form: the date warning stays up until the next task was performed.
        const auto boxDue = dueTask(QStringLiteral("during a box"));
        lingering.until = boxDue;
        for (QCheckBox* day : form.schedule()->weekdays()) {
            day->setChecked(day->text() == QLatin1String("Monday"));
        }
        QLineEdit* date = form.nextDate()->dateEdit();
        date->setText(QStringLiteral("Jan 3, 1999")); // a Sunday
        date->setModified(true);
        emit date->editingFinished();
        EXPECT_EQ(lingering.boxes().size(), 1u);
        EXPECT_TRUE(boxDue());
    });
    form.run();

    const auto stepDue = dueTask(QStringLiteral("during the step form"));
    store->SCH.buffer().ID = 1;
    store->SCR.clearBuffer();
    UpdateScripting step(ctx, Request::Insert);
    whileShown(step, [&] { EXPECT_TRUE(waitFor(stepDue)); });
    step.run();

    const auto viewerDue = dueTask(QStringLiteral("during the viewer"));
    ViewScriptKeys viewer(ctx, nullptr, QStringLiteral(VELATASK_SHARE_DIR "/KEYCODES.TXT"));
    whileShown(viewer, [&] { EXPECT_TRUE(waitFor(viewerDue)); });
    viewer.exec();
    EXPECT_GT(viewer.lines().size(), 0);
}
