#include "editing/UpdateSchedule.h"

#include "core/Picture.h"
#include "editing/AdvanceWarningEntry.h"
#include "editing/AlarmGroup.h"
#include "editing/CategoryAndDescription.h"
#include "editing/CommandGroup.h"
#include "editing/EditingContext.h"
#include "editing/LastPerformedEntry.h"
#include "editing/MessageEditor.h"
#include "editing/NewTaskDefaults.h"
#include "editing/NextDateEntry.h"
#include "editing/ScheduleFormRecord.h"
#include "editing/ScheduleTypeGroup.h"
#include "editing/TaskOptions.h"
#include "editing/TaskTypeGroup.h"
#include "editing/TaskVisibility.h"
#include "resources/Resources.h"
#include "scheduler/AppContext.h"
#include "store/Store.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace velatask {

namespace {

FormDeclaration declaration() {
    FormDeclaration d;
    d.section = QStringLiteral("UpdateSchedule");
    d.title = QStringLiteral("Update the Schedule");
    d.insertText = QStringLiteral("Adding a Schedule Task");
    d.changeText = QStringLiteral("Changing a Schedule Task");
    return d;
}

QLabel* picture(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(resourceIcon(QLatin1String(name)).pixmap(64, 64));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The rows of a tab stay at its top when another tab makes the window taller.
void addRoomBelow(QFormLayout* tab) {
    auto* room = new QWidget(tab->parentWidget());
    room->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    tab->addRow(room);
}

} // namespace

UpdateSchedule::UpdateSchedule(EditingContext& services, Request request, QWidget* parent)
    : FormWindow(*services.app.store, *services.app.ini,
                 std::make_unique<ScheduleFormRecord>(services.app), request, declaration(),
                 parent),
      m_controls(services, services.app.store->SCH.buffer(), fields(), this) {
    buildTaskTab();
    buildCommandTab();
    buildMessageTab();
    buildWhenTab();
    buildAdvancedTab();
    ScheduleRecord& task = m_controls.task();
    fields().custom(
        tabs(), [this, &task] { showTabsFor(task.TaskType); }, [] { return true; });
    connect(m_category, &CategoryAndDescription::failed, this,
            [this] { QTimer::singleShot(0, this, &UpdateSchedule::reject); });
}

UpdateSchedule::~UpdateSchedule() = default;

void UpdateSchedule::buildTaskTab() {
    QFormLayout* tab = addTab(QStringLiteral("&Task"));
    QWidget* page = tab->parentWidget();
    auto* top = new QHBoxLayout;
    top->addWidget(picture("TIMEPC_L.GIF", page));
    m_taskType = new TaskTypeGroup(m_controls, page);
    top->addWidget(m_taskType);
    top->addStretch();
    tab->addRow(top);
    m_category = new CategoryAndDescription(m_controls, page);
    tab->addRow(m_category);
    addRoomBelow(tab);
}

void UpdateSchedule::buildCommandTab() {
    QFormLayout* tab = addTab(QStringLiteral("&Command"));
    m_command = new CommandGroup(m_controls, tab->parentWidget());
    tab->addRow(m_command);
    addRoomBelow(tab);
}

void UpdateSchedule::buildMessageTab() {
    QFormLayout* tab = addTab(QStringLiteral("&Message"));
    QWidget* page = tab->parentWidget();
    auto* row = new QHBoxLayout;
    row->addWidget(picture("WRITE.GIF", page), 0, Qt::AlignTop);
    m_message = new MessageEditor(m_controls, page);
    row->addWidget(m_message, 1);
    tab->addRow(row);
}

void UpdateSchedule::buildWhenTab() {
    QFormLayout* tab = addTab(QStringLiteral("&When"));
    QWidget* page = tab->parentWidget();
    m_schedule = new ScheduleTypeGroup(m_controls, page);
    tab->addRow(m_schedule);
    m_nextDate = new NextDateEntry(m_controls, page);
    tab->addRow(m_nextDate);

    ScheduleRecord& task = m_controls.task();
    // Its time stands under the other times, which follow a calendar button.
    auto* lastRun =
        new LastPerformedEntry(m_nextDate->calendarButton()->sizeHint().width() +
                                   m_nextDate->layout()->spacing() + DateTimeEntry::kTimeGap,
                               page);
    m_lastRunDate = lastRun->dateEdit();
    m_lastRunTime = lastRun->timeEdit();
    tab->addRow(lastRun);
    fields().custom(
        lastRun, [lastRun, &task] { lastRun->showRun(task.LastRunDate, task.LastRunTime); },
        [] { return true; });

    m_skip = SkipNextTimeBox(m_controls, QStringLiteral("&Skip Next Time"), page);
    tab->addRow(m_skip);
    m_advance = new AdvanceWarningEntry(m_controls, page);
    tab->addRow(m_advance);

    // The three dates line up under each other.
    DateTimeEntry::lineUp({m_nextDate->dateLabel(), lastRun->dateLabel(), m_advance->dateLabel()});
}

void UpdateSchedule::buildAdvancedTab() {
    QFormLayout* tab = addTab(QStringLiteral("&Advanced"));
    QWidget* page = tab->parentWidget();
    tab->addRow(picture("TIMEPC_L.GIF", page));
    m_alarm = new AlarmGroup(m_controls, page);
    tab->addRow(m_alarm);
    m_options = new TaskOptions(m_controls, page);
    tab->addRow(m_options);
    addRoomBelow(tab);
}

void UpdateSchedule::showTabsFor(const QString& taskType) {
    const TaskVisibility::ByTaskType shown = TaskVisibility::forTaskType(taskType);
    tabs()->setTabVisible(CommandTab, shown.command);
    tabs()->setTabVisible(MessageTab, shown.message);
}

void UpdateSchedule::opened() {
    auto& record = static_cast<ScheduleFormRecord&>(this->record());
    if (request() == Request::Insert && record.defaultsApplied()) {
        NewTaskDefaults::applyRepetition(m_controls.task());
    }
    tabs()->setCurrentIndex(TaskTab);
}

} // namespace velatask
