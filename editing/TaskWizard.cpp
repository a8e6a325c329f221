#include "editing/TaskWizard.h"

#include "editing/AdvanceWarningEntry.h"
#include "editing/AlarmGroup.h"
#include "editing/CategoryAndDescription.h"
#include "editing/CommandGroup.h"
#include "editing/EditingContext.h"
#include "editing/MessageEditor.h"
#include "editing/NextDateEntry.h"
#include "editing/ScheduleTypeGroup.h"
#include "editing/TaskOptions.h"
#include "editing/WizardDefaults.h"
#include "editing/WizardTaskRecord.h"
#include "resources/Resources.h"
#include "scheduler/AppContext.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace velatask {

namespace {

FormDeclaration declaration(const QString& section, const QString& title) {
    FormDeclaration d;
    d.section = section;
    d.title = title;
    d.changeText = QStringLiteral("Changing a Schedule Record");
    return d;
}

QPushButton* wizardButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TaskWizard::TaskWizard(EditingContext& services, Request request, const QString& section,
                       const QString& title, const char* icon,
                       std::function<void(ScheduleRecord&)> prepare, QWidget* parent)
    : FormWindow(*services.app.store, *services.app.ini,
                 std::make_unique<WizardTaskRecord>(services.app, std::move(prepare)), request,
                 declaration(section, title), parent),
      m_controls(services, static_cast<WizardTaskRecord&>(record()).task(), fields(), this) {
    setWindowIcon(resourceIcon(QLatin1String(icon)));
    // One page at a time: the buttons, not the tabs, move between them.
    tabs()->tabBar()->hide();
    okButton()->hide();
    okButton()->setDefault(false);
    okButton()->setAutoDefault(false);
    m_back = wizardButton(QStringLiteral("<- &Back"), this);
    m_next = wizardButton(QStringLiteral("&Next ->"), this);
    m_finish = wizardButton(QStringLiteral("&Finish"), this);
    const int cancelAt = buttonRow()->indexOf(cancelButton());
    buttonRow()->insertWidget(cancelAt, m_finish);
    buttonRow()->insertWidget(cancelAt, m_next);
    buttonRow()->insertWidget(cancelAt, m_back);
    connect(m_back, &QPushButton::clicked, this, &TaskWizard::goBack);
    connect(m_next, &QPushButton::clicked, this, &TaskWizard::goNext);
    connect(m_finish, &QPushButton::clicked, this, &TaskWizard::accept);
}

TaskWizard::~TaskWizard() = default;

WizardTaskRecord& TaskWizard::taskRecord() {
    return static_cast<WizardTaskRecord&>(record());
}

QString TaskWizard::pageText() const {
    return tabs()->tabText(m_page);
}

QString TaskWizard::taskType() {
    return m_controls.task().TaskType;
}

QLabel* TaskWizard::note(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QVBoxLayout* TaskWizard::addPage(const QString& text, WizardPages::Use use, const QString& heading,
                                 const char* picture) {
    QFormLayout* tab = addTab(text);
    QWidget* page = tab->parentWidget();
    m_pages.add(use);
    auto* row = new QHBoxLayout;
    if (picture) {
        auto* image = new QLabel(page);
        image->setPixmap(resourceIcon(QLatin1String(picture)).pixmap(64, 64));
        row->addWidget(image, 0, Qt::AlignTop);
        row->addSpacing(8);
    }
    auto* rows = new QVBoxLayout;
    auto* title = new QLabel(heading, page);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    rows->addWidget(title);
    rows->addSpacing(6);
    row->addLayout(rows, 1);
    tab->addRow(row);
    return rows;
}

void TaskWizard::addCategoryPage() {
    QVBoxLayout* page = addPage(QStringLiteral("&Category"), WizardPages::Use::Always,
                                QStringLiteral("Describing it..."));
    QWidget* parent = page->parentWidget();
    page->addWidget(note(QStringLiteral("Next, select the category and optionally enter a brief "
                                        "description or \"title\"."),
                         parent));
    addCategory(page);
    page->addStretch();
}

void TaskWizard::addCategory(QVBoxLayout* page) {
    m_category = new CategoryAndDescription(m_controls, page->parentWidget());
    page->addWidget(m_category);
}

std::function<void(ScheduleRecord&)> TaskWizard::newTask(EditingContext& services,
                                                         const QString& taskType) {
    return [&app = services.app, taskType](ScheduleRecord& task) {
        WizardDefaults::apply(task, app, taskType);
    };
}

void TaskWizard::addCommandPage(const QString& hint) {
    QVBoxLayout* page = addPage(QStringLiteral("&Command"), WizardPages::Use::Command,
                                QStringLiteral("Application to start..."));
    m_command = new CommandGroup(m_controls, page->parentWidget());
    page->addWidget(m_command);
    if (!hint.isEmpty()) {
        page->addWidget(note(hint, page->parentWidget()));
    }
    page->addStretch();
}

void TaskWizard::addMessagePage(const char* picture, const QString& categoryText) {
    QVBoxLayout* page = addPage(QStringLiteral("&Message"), WizardPages::Use::Message,
                                QStringLiteral("Message to display..."), picture);
    QWidget* parent = page->parentWidget();
    if (!categoryText.isEmpty()) {
        page->addWidget(note(categoryText, parent));
        addCategory(page);
    }
    m_message = new MessageEditor(m_controls, parent);
    page->addWidget(m_message, 1);
}

void TaskWizard::addScheduleWhenPage(const QString& heading) {
    QVBoxLayout* page = addPage(QStringLiteral("&When"), WizardPages::Use::Always, heading);
    QWidget* parent = page->parentWidget();
    auto* schedule = new QHBoxLayout;
    schedule->addWidget(new ScheduleTypeGroup(m_controls, parent), 1);
    schedule->addWidget(note(QStringLiteral("These options determine\nwhen and how often this\n"
                                            "task will be performed."),
                             parent),
                        0, Qt::AlignTop);
    page->addLayout(schedule);
    addNextDate(page);
    addSkip(page, QStringLiteral("&Skip First Time"));
    addAdvanceWarning(page);
    page->addWidget(
        note(QStringLiteral("Leave blank for no warning that this task will occur."), parent));
    page->addStretch();
}

void TaskWizard::addNextDate(QVBoxLayout* page) {
    m_nextDate = new NextDateEntry(m_controls, page->parentWidget());
    page->addWidget(m_nextDate);
}

void TaskWizard::addSkip(QVBoxLayout* page, const QString& text) {
    m_skip = SkipNextTimeBox(m_controls, text, page->parentWidget());
    page->addWidget(m_skip);
}

void TaskWizard::addAdvanceWarning(QVBoxLayout* page) {
    m_advance = new AdvanceWarningEntry(m_controls, page->parentWidget());
    page->addWidget(m_advance);
    // The two dates line up under each other.
    if (m_nextDate) {
        const int width = std::max(m_nextDate->dateLabel()->sizeHint().width(),
                                   m_advance->dateLabel()->sizeHint().width());
        m_nextDate->dateLabel()->setMinimumWidth(width);
        m_advance->dateLabel()->setMinimumWidth(width);
    }
}

void TaskWizard::addAdvancedPage() {
    QVBoxLayout* page = addPage(QStringLiteral("&Advanced"), WizardPages::Use::Always,
                                QStringLiteral("The fancy stuff..."));
    QWidget* parent = page->parentWidget();
    page->addWidget(note(QStringLiteral("Finally, here are some advanced features you may wish "
                                        "to use..."),
                         parent));
    m_alarm = new AlarmGroup(m_controls, parent);
    page->addWidget(m_alarm);
    m_options = new TaskOptions(m_controls, parent);
    page->addWidget(m_options);
    page->addStretch();
}

void TaskWizard::opened() {
    if (m_category) {
        connect(m_category, &CategoryAndDescription::failed, this,
                [this] { QTimer::singleShot(0, this, &TaskWizard::reject); });
    }
    showPage(0);
}

void TaskWizard::showEvent(QShowEvent* event) {
    FormWindow::showEvent(event);
    if (!m_ordered) {
        m_ordered = true;
        // After the page's controls, as the form orders its own buttons.
        setTabOrder(okButton(), m_back);
        setTabOrder(m_back, m_next);
        setTabOrder(m_next, m_finish);
        setTabOrder(m_finish, cancelButton());
    }
}

void TaskWizard::goNext() {
    m_controls.storeControls();
    if (const int page = m_pages.next(m_page, taskType()); page >= 0) {
        showPage(page);
    }
}

void TaskWizard::goBack() {
    m_controls.storeControls();
    if (const int page = m_pages.previous(m_page, taskType()); page >= 0) {
        showPage(page);
    }
}

void TaskWizard::showPage(int page) {
    m_page = page;
    // Only the page shown takes the keyboard, so no key can move to another one.
    for (int i = 0; i < tabs()->count(); ++i) {
        tabs()->setTabEnabled(i, i == page);
    }
    tabs()->setCurrentIndex(page);
    const bool last = m_pages.next(page, taskType()) < 0;
    m_back->setVisible(m_pages.previous(page, taskType()) >= 0);
    m_next->setVisible(!last);
    m_finish->setVisible(last);
    m_next->setDefault(!last);
    m_finish->setDefault(last);
    for (QWidget* w : tabs()->widget(page)->findChildren<QWidget*>()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden() &&
            !w->focusProxy()) {
            w->setFocus();
            break;
        }
    }
}

} // namespace velatask
