#pragma once

#include "editing/TaskControls.h"
#include "ui/FormWindow.h"

#include <memory>

class QLineEdit;

namespace velatask {

class AdvanceWarningEntry;
class AlarmGroup;
class CategoryAndDescription;
class CommandGroup;
class MessageEditor;
class NextDateEntry;
class ScheduleFormRecord;
class ScheduleTypeGroup;
class TaskOptions;
class TaskTypeGroup;
struct EditingContext;

// The task form: every field of the task in the Schedule buffer on five tabs. Called to add,
// change or delete the task (a delete shows no window). A new task is reserved under its number
// while the form is open; "Cancel" removes it again with any script steps it was given.
class UpdateSchedule : public FormWindow {
    Q_OBJECT
public:
    // The tabs, in order.
    enum Tab { TaskTab, CommandTab, MessageTab, WhenTab, AdvancedTab };

    UpdateSchedule(EditingContext& services, Request request, QWidget* parent = nullptr);
    ~UpdateSchedule() override;

    TaskTypeGroup* taskType() const { return m_taskType; }
    CategoryAndDescription* category() const { return m_category; }
    CommandGroup* command() const { return m_command; }
    MessageEditor* message() const { return m_message; }
    ScheduleTypeGroup* schedule() const { return m_schedule; }
    NextDateEntry* nextDate() const { return m_nextDate; }
    QLineEdit* lastRunDate() const { return m_lastRunDate; }
    QLineEdit* lastRunTime() const { return m_lastRunTime; }
    QCheckBox* skipNextTime() const { return m_skip; }
    AdvanceWarningEntry* advanceWarning() const { return m_advance; }
    AlarmGroup* alarm() const { return m_alarm; }
    TaskOptions* options() const { return m_options; }

protected:
    void opened() override;

private:
    void buildTaskTab();
    void buildCommandTab();
    void buildMessageTab();
    void buildWhenTab();
    void buildAdvancedTab();
    void showTabsFor(const QString& taskType);

    TaskControls m_controls;
    TaskTypeGroup* m_taskType = nullptr;
    CategoryAndDescription* m_category = nullptr;
    CommandGroup* m_command = nullptr;
    MessageEditor* m_message = nullptr;
    ScheduleTypeGroup* m_schedule = nullptr;
    NextDateEntry* m_nextDate = nullptr;
    QLineEdit* m_lastRunDate = nullptr;
    QLineEdit* m_lastRunTime = nullptr;
    QCheckBox* m_skip = nullptr;
    AdvanceWarningEntry* m_advance = nullptr;
    AlarmGroup* m_alarm = nullptr;
    TaskOptions* m_options = nullptr;
};

} // namespace velatask
