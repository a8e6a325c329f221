// A way to try the task form by hand until the schedule list exists: the whole program, with a
// small window that calls the form to add, change or delete a task by its number, or the
// reschedule wizard on it.
//     cd <data folder> && build-test/tests/editing/velatask_task_form_harness
#include "app/Program.h"
#include "editing/SpecialEventWizard.h"
#include "editing/UpdateSchedule.h"
#include "resources/Resources.h"
#include "settings/IniFile.h"
#include "store/Store.h"

#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QWidget>

using namespace velatask;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velatask"));
    QApplication::setWindowIcon(resourceIcon(QStringLiteral("CLOCK.ICO")));
    QApplication::setQuitOnLastWindowClosed(false);
    Program program(StoreChoice(), QDir::currentPath(), IniFile::defaultPath(), {});
    program.start();
    Store& store = *program.context().store;
    store.SCH.open();

    QWidget harness;
    harness.setWindowTitle(QStringLiteral("Task form harness"));
    auto* number = new QSpinBox(&harness);
    number->setRange(1, 999999);
    auto* layout = new QFormLayout(&harness);
    layout->addRow(QStringLiteral("Task &number:"), number);
    auto* buttons = new QHBoxLayout;
    layout->addRow(buttons);
    const auto call = [&](Request request, bool reschedule) {
        if (request == Request::Insert && !reschedule) {
            store.SCH.clearBuffer();
        } else {
            store.SCH.clearBuffer();
            store.SCH.buffer().ID = number->value();
            store.SCH.watch();
            if (store.SCH.fetch(ScheduleKey::KeyID) != 0) {
                return;
            }
        }
        if (reschedule) {
            SpecialEventWizard(program.editing(), request, &harness).run();
        } else {
            UpdateSchedule(program.editing(), request, &harness).run();
        }
        number->setValue(std::max(1, store.SCH.buffer().ID));
    };
    struct Choice {
        const char* text;
        Request request;
        bool reschedule;
    };
    for (const Choice& choice :
         {Choice{"&Add", Request::Insert, false}, Choice{"&Change", Request::Change, false},
          Choice{"&Delete", Request::Delete, false},
          Choice{"&Reschedule", Request::Insert, true}}) {
        auto* button = new QPushButton(QLatin1String(choice.text), &harness);
        QObject::connect(button, &QPushButton::clicked, &harness,
                         [&call, choice] { call(choice.request, choice.reschedule); });
        buttons->addWidget(button);
    }
    harness.show();
    const int result = QApplication::exec();
    store.SCH.close();
    return result;
}
