#include "../platform/XProbeWindow.h"
#include "../support/WaitFor.h"

#include "app/Program.h"
#include "editing/CategoryAndDescription.h"
#include "editing/CommandGroup.h"
#include "editing/MessageEditor.h"
#include "editing/ScheduleTypeGroup.h"
#include "editing/UpdateSchedule.h"
#include "scripting/ui/AddScripting.h"
#include "scripting/ui/UpdateScripting.h"
#include "ui/BrowseList.h"
#include "ui/OptionGroup.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <X11/keysym.h>

using namespace velatask;

namespace {

const QString kTarget = QStringLiteral("velatask probe target");

// Runs `action` on the window of type W once it is the modal window on top (it may sit inside
// the dialog that hosts a called browse).
template <class W> void whenModal(std::function<void(W*)> action) {
    QTimer::singleShot(0, [action] {
        W* window = nullptr;
        const bool shown = waitFor(
            [&] {
                QWidget* top = QApplication::activeModalWidget();
                window = qobject_cast<W*>(top);
                if (!window && top) {
                    window = top->findChild<W*>();
                }
                return window != nullptr && window->isVisible();
            },
            10000);
        ASSERT_TRUE(shown);
        action(window);
    });
}

// Adds a step through the script list and the step form.
void addStep(AddScripting* list, const std::function<void(UpdateScripting*)>& fill) {
    whenModal<UpdateScripting>([fill](UpdateScripting* form) {
        fill(form);
        form->okButton()->click();
    });
    list->button(QStringLiteral("&Add"))->click();
}

} // namespace

// A user adds a "Both" task in the task form of the running program, with a script of a wait, a
// focus step and keystrokes; the task falls due at once and the keystrokes reach a real window.
TEST(EditingEndToEnd, ATaskAddedInTheFormTypesItsScriptIntoAWindow) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        GTEST_SKIP() << "needs the test display";
    }
    QTemporaryDir data;
    test::XProbeWindow target({kTarget.toStdString()});
    ASSERT_TRUE(target.waitViewable(10000));

    Program program(StoreChoice(), data.path(),
                    QDir(data.path()).filePath(QStringLiteral("Vela.INI")), {});
    program.start();
    Store& store = *program.context().store;
    store.SCH.clearBuffer();
    UpdateSchedule form(program.editing(), Request::Insert, &program.frame());
    QTimer::singleShot(0, &form, [&] {
        ASSERT_TRUE(waitFor([&] { return form.isVisible(); }));
        form.category()->description()->setText(QStringLiteral("Fill in the form"));
        form.message()->text()->setPlainText(QStringLiteral("The script types now"));
        form.command()->command()->setText(QStringLiteral("true"));
        form.schedule()->scheduleType()->button(QStringLiteral("Once"))->click();
        whenModal<AddScripting>([](AddScripting* list) {
            addStep(list, [](UpdateScripting* step) {
                step->action()->button(QStringLiteral("Wait"))->click();
                step->secondsToWait()->setValue(1);
            });
            addStep(list, [](UpdateScripting* step) {
                step->action()->button(QStringLiteral("Set Focus"))->click();
                step->focusOnWindow()->setText(kTarget);
            });
            addStep(list, [](UpdateScripting* step) {
                step->keystrokes()->setText(QStringLiteral("typed by the script[ENTER]"));
            });
            EXPECT_EQ(list->list()->model().rowCount(), 3);
            list->button(QStringLiteral("Cl&ose"))->click();
        });
        form.command()->scriptingButton()->click();
        form.okButton()->click();
    });
    EXPECT_EQ(form.run(), Response::Completed);

    const auto enterReleased = [&] {
        for (const test::ReceivedKey& key : target.keys()) {
            if (key.keysym == XK_Return && !key.press) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(waitFor(
        [&] {
            target.pump();
            return enterReleased();
        },
        30000));
    EXPECT_EQ(target.typedText(), "typed by the script\r");
}
