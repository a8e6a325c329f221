#pragma once

#include "editing/TaskControls.h"
#include "editing/WizardPages.h"
#include "ui/FormWindow.h"

#include <functional>

class QBoxLayout;
class QLabel;
class QVBoxLayout;

namespace velatask {

class AdvanceWarningEntry;
class AlarmGroup;
class CategoryAndDescription;
class CommandGroup;
class MessageEditor;
class NextDateEntry;
class TaskOptions;
class WizardTaskRecord;
struct EditingContext;
struct ScheduleRecord;

// The frame of the task wizards: the task form's controls on pages shown one at a time, each
// with its heading, and "<- &Back", "&Next ->", "&Finish" and "Cancel". The pages that the task's
// type does not use are stepped over. "&Finish" saves as the task form's "&OK" does; "Cancel"
// removes the reserved task with any steps it was given.
class TaskWizard : public FormWindow {
    Q_OBJECT
public:
    ~TaskWizard() override;

    QPushButton* backButton() const { return m_back; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* finishButton() const { return m_finish; }
    // The page shown, by its text ("&When").
    QString pageText() const;

    CategoryAndDescription* category() const { return m_category; }
    CommandGroup* command() const { return m_command; }
    MessageEditor* message() const { return m_message; }
    NextDateEntry* nextDate() const { return m_nextDate; }
    AdvanceWarningEntry* advanceWarning() const { return m_advance; }
    QCheckBox* skipNextTime() const { return m_skip; }
    AlarmGroup* alarm() const { return m_alarm; }
    TaskOptions* options() const { return m_options; }

    void goNext();
    void goBack();

protected:
    // `prepare` makes the new task out of the Schedule buffer before its number is reserved.
    TaskWizard(EditingContext& services, Request request, const QString& section,
               const QString& title, const char* icon, std::function<void(ScheduleRecord&)> prepare,
               QWidget* parent);

    TaskControls& controls() { return m_controls; }
    WizardTaskRecord& taskRecord();

    // A page: `text` names it, `heading` stands on top, `picture` (a resource name) beside its
    // rows. Answers the layout that takes the page's rows.
    QVBoxLayout* addPage(const QString& text, WizardPages::Use use, const QString& heading,
                         const char* picture = nullptr);
    // Text the page shows as it stands (line breaks where the text has them).
    static QLabel* note(const QString& text, QWidget* parent);

    // A new task of `taskType` with the add wizards' defaults.
    static std::function<void(ScheduleRecord&)> newTask(EditingContext& services,
                                                        const QString& taskType);

    // The pages the wizards share.
    void addCategoryPage();
    void addCategory(QVBoxLayout* page);
    void addCommandPage(const QString& hint);
    // The message (with the category list above it when `categoryText` is given).
    void addMessagePage(const char* picture, const QString& categoryText = QString());
    // The "&When" page of the add wizards: the schedule type, the next date, "&Skip First Time"
    // and the advance warning.
    void addScheduleWhenPage(const QString& heading);
    // Rows of a "&When" page.
    void addNextDate(QVBoxLayout* page);
    void addSkip(QVBoxLayout* page, const QString& text);
    void addAdvanceWarning(QVBoxLayout* page);
    void addAdvancedPage();

    void opened() override;
    void showEvent(QShowEvent* event) override;

private:
    void showPage(int page);
    QString taskType();

    TaskControls m_controls;
    WizardPages m_pages;
    int m_page = 0;
    bool m_ordered = false;
    QPushButton* m_back = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_finish = nullptr;
    CategoryAndDescription* m_category = nullptr;
    CommandGroup* m_command = nullptr;
    MessageEditor* m_message = nullptr;
    NextDateEntry* m_nextDate = nullptr;
    AdvanceWarningEntry* m_advance = nullptr;
    QCheckBox* m_skip = nullptr;
    AlarmGroup* m_alarm = nullptr;
    TaskOptions* m_options = nullptr;
};

} // namespace velatask
