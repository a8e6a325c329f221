#include "windows/SearchSchedule.h"

#include "core/Picture.h"
#include "editing/AdvanceWarningEntry.h"
#include "editing/AlarmGroup.h"
#include "editing/CategoryAndDescription.h"
#include "editing/CommandGroup.h"
#include "editing/LastPerformedEntry.h"
#include "editing/MessageEditor.h"
#include "editing/NextDateEntry.h"
#include "editing/ScheduleTypeGroup.h"
#include "editing/TaskOptions.h"
#include "editing/TaskTypeGroup.h"
#include "qbe/QbeRun.h"
#include "qbe/QbeScan.h"
#include "settings/qt/WidgetGeometry.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "store/Tags.h"
#include "ui/Accessibility.h"
#include "ui/KeyboardOrder.h"
#include "ui/ProgressWindow.h"
#include "ui/TitleWidth.h"
#include "windows/CodeMark.h"
#include "windows/MatchTypeDialog.h"
#include "windows/SearchActionDialog.h"
#include "windows/SearchControls.h"
#include "windows/SearchField.h"
#include "windows/TagProgress.h"
#include "windows/UpperLimitDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velatask {

namespace {

const QString kSection = QStringLiteral("SearchSchedule");

// The keys of the Schedule table whose first component is a searchable field.
std::vector<KeyOrder> scheduleKeys() {
    auto key = [](const char* field, ScheduleKey k) {
        return KeyOrder{QLatin1String(field), [k](WindowCursor& c) { return c.setOrder(k); }};
    };
    return {key("Date", ScheduleKey::KeyDate), key("Category", ScheduleKey::KeyCategory),
            key("Description", ScheduleKey::KeyTaskName), key("TaskType", ScheduleKey::KeyTaskType),
            key("Disabled", ScheduleKey::KeyDateEnabled)};
}

} // namespace

// One search that is under way: read on by "&Find Next", or ended.
struct SearchSchedule::Stepping {
    Stepping(Store& store, std::vector<Criterion> criteria, QbeRun::Action action)
        : cursor(store, ScheduleKey::KeyID), scan(cursor, std::move(criteria), scheduleKeys()),
          tags(store), run(store, scan, tags, kSelectedSet, action, QStringLiteral("Schedule")) {}

    WindowCursor cursor;
    QbeScan scan;
    Tags tags;
    QbeRun run;
    // The examples the window held before it showed the first match.
    std::vector<QVariant> examples;
};

SearchSchedule::SearchSchedule(Store& store, IniFile& ini, QWidget* parent)
    : QDialog(parent), m_store(store), m_ini(ini) {
    setWindowTitle(QStringLiteral("Search the Schedule"));
    m_tabs = new QTabWidget(this);
    // Where a key stands for several things on a tab, each press reaches the next of them in the
    // order they were made: "&Search Type" first, so that it takes the type of the field the
    // user is in, the tabs last, since a tab hides the others.
    m_searchType = new QPushButton(QStringLiteral("&Search Type"), this);
    m_searchType->setToolTip(QStringLiteral("Comparison Operator"));
    m_begin = new QPushButton(QStringLiteral("&Begin Search"), this);
    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* b : {m_searchType, m_begin, m_ok, m_cancel}) {
        b->setAutoDefault(false);
    }
    m_found = new QLabel(this);
    buildTaskTab();
    buildWhenTab();
    buildAdvancedTab();
    for (const auto& [page, title] : m_pages) {
        // The rows stay at the top of a tab that is shorter than the tallest.
        auto* room = new QWidget(page);
        room->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        static_cast<QFormLayout*>(page->layout())->addRow(room);
        m_tabs->addTab(page, title);
    }
    KeyboardOrder::tabsThenButtons(this, m_tabs, {m_searchType, m_begin, m_ok, m_cancel});
    connect(m_searchType, &QPushButton::clicked, this,
            [this] { m_stepping ? editThis() : chooseSearchType(); });
    connect(m_begin, &QPushButton::clicked, this, &SearchSchedule::beginSearch);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_searchType);
    buttons->addWidget(m_begin);
    buttons->addWidget(m_found, 1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);

    fitTitle(this);
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this,
                           [this](QWidget*, QWidget* now) { focusChanged(now); });
    Accessibility::nameControls(this);
}

SearchSchedule::~SearchSchedule() {
    // The focus moves while the controls are deleted, when this is no window any more.
    disconnect(m_focusWatch);
}

void SearchSchedule::addField(SearchField* field) {
    m_fields.push_back(field);
}

SearchField* SearchSchedule::field(const QString& name) const {
    for (SearchField* f : m_fields) {
        if (f->field() == name) {
            return f;
        }
    }
    return nullptr;
}

QFormLayout* SearchSchedule::addPage(const QString& title) {
    auto* page = new QWidget(m_tabs);
    m_pages.emplace_back(page, title);
    return new QFormLayout(page);
}

void SearchSchedule::buildTaskTab() {
    QFormLayout* tab = addPage(QStringLiteral("&Task"));
    QWidget* page = tab->parentWidget();
    tab->addRow(new QLabel(QStringLiteral("This process allows you to select/unselect\n"
                                          "schedule items based on certain criteria."),
                           page));
    SearchControls c(this);
    auto* taskType = new TaskTypeGroup(page);
    auto* top = new QHBoxLayout;
    top->addWidget(taskType);
    top->addStretch();
    tab->addRow(top);
    addField(c.option(QStringLiteral("TaskType"), taskType));
    auto* category = new CategoryAndDescription(page);
    tab->addRow(category);
    addField(c.categories(category->categoryList()));
    addField(c.text(QStringLiteral("Description"), category->description()));
    auto* command = new CommandGroup(page);
    tab->addRow(command);
    addField(c.text(QStringLiteral("Command"), command->command()));
    addField(c.text(QStringLiteral("Path"), command->path()));
    auto* message = new MessageEditor(page);
    tab->addRow(message);
    addField(c.memo(QStringLiteral("Message"), message->text()));
}

void SearchSchedule::buildWhenTab() {
    QFormLayout* tab = addPage(QStringLiteral("&When"));
    QWidget* page = tab->parentWidget();
    SearchControls c(this);
    auto* schedule = new ScheduleTypeGroup(page);
    tab->addRow(schedule);
    addField(c.option(QStringLiteral("ScheduleType"), schedule->scheduleType()));
    const char* ordinals[] = {"Every1st", "Every2nd", "Every3rd", "Every4th", "EveryLast"};
    for (size_t i = 0; i < schedule->ordinals().size(); ++i) {
        addField(c.check(QLatin1String(ordinals[i]), schedule->ordinals()[i]));
    }
    for (QCheckBox* day : schedule->weekdays()) {
        addField(c.check(day->text(), day));
    }
    addField(c.number(QStringLiteral("Every"), schedule->everyCount()));
    addField(c.option(QStringLiteral("EveryType"), schedule->everyType()));

    const Picture date(u"@d3");
    const Picture time(u"@t3");
    DateTimeEntry* next = NextDateEntry::unchecked(page);
    tab->addRow(next);
    addField(c.picture(QStringLiteral("Date"), next->dateEdit(), date));
    addField(c.picture(QStringLiteral("Time"), next->timeEdit(), time));
    // The marks of the searched dates have empty counterparts here, so that the columns line up.
    m_lastRun = new LastPerformedEntry(DateTimeEntry::kTimeGap, page);
    tab->addRow(m_lastRun);
    for (QLineEdit* edit : {m_lastRun->dateEdit(), m_lastRun->timeEdit()}) {
        CodeMark::attach(edit)->setAccessibleName(QString());
    }
    QCheckBox* skip = SkipNextTimeBox(QStringLiteral("&Skip Next Time"), page);
    tab->addRow(skip);
    addField(c.check(QStringLiteral("SkipNextTime"), skip));
    DateTimeEntry* warning = AdvanceWarningEntry::unchecked(page);
    tab->addRow(warning);
    addField(c.picture(QStringLiteral("AdvanceWarnDate"), warning->dateEdit(), date));
    addField(c.picture(QStringLiteral("AdvanceWarnTime"), warning->timeEdit(), time));

    DateTimeEntry::lineUp({next->dateLabel(), m_lastRun->dateLabel(), warning->dateLabel()});
}

void SearchSchedule::buildAdvancedTab() {
    QFormLayout* tab = addPage(QStringLiteral("&Advanced"));
    QWidget* page = tab->parentWidget();
    SearchControls c(this);
    auto* alarm = new AlarmGroup(page);
    tab->addRow(alarm);
    addField(c.check(QStringLiteral("Alarm"), alarm->alarm()));
    addField(c.text(QStringLiteral("AlarmFile"), alarm->wavFile()));
    auto* options = new TaskOptions(page);
    tab->addRow(options);
    addField(c.check(QStringLiteral("Warn"), options->warn()));
    addField(c.check(QStringLiteral("UserSkip"), options->userSkip()));
    addField(c.check(QStringLiteral("Disabled"), options->disabled()));
}

Response SearchSchedule::run() {
    if (m_store.SCH.open() != 0) {
        return Response::Cancelled;
    }
    if (m_store.CAT.open() != 0) {
        m_store.SCH.close();
        return Response::Cancelled;
    }
    // Held while the window is open, so that each tag operation does not open it again.
    if (m_store.TF_.open() != 0) {
        m_store.CAT.close();
        m_store.SCH.close();
        return Response::Cancelled;
    }
    m_open = true;
    SearchControls::fillCategories(*field(QStringLiteral("Category")), m_store);
    WidgetGeometry::restore(this, m_ini, kSection);
    m_tabs->setCurrentIndex(TaskTab);
    return exec() == Accepted ? Response::Completed : Response::Cancelled;
}

void SearchSchedule::done(int result) {
    if (m_stepping) {
        stopStepping();
    }
    m_step.reset();
    WidgetGeometry::save(this, m_ini, kSection);
    if (m_open) {
        m_store.TF_.close();
        m_store.CAT.close();
        m_store.SCH.close();
        m_open = false;
    }
    QDialog::done(result);
}

void SearchSchedule::focusChanged(QWidget* now) {
    if (!now || now->window() != this) {
        return; // the dialogs of the search do not change the field
    }
    for (SearchField* f : m_fields) {
        if (f->owns(now)) {
            m_focusField = f;
            return;
        }
    }
    if (now != m_searchType) {
        m_focusField = nullptr;
    }
}

void SearchSchedule::chooseSearchType() {
    const ReentryGuard::Scope scope(m_busy);
    if (!scope.entered()) {
        return;
    }
    SearchField* f = m_focusField;
    if (!f) {
        m_store.ui().message(QStringLiteral("You must select a data field first!"), QString(),
                             Ui::Information);
        return;
    }
    MatchTypeDialog dialog(f->kind(), f->type(), this);
    if (dialog.exec() != Accepted) {
        return;
    }
    const MatchType chosen = dialog.chosen();
    if (MatchTypes::isRange(chosen)) {
        const std::optional<QVariant> lower = f->value();
        UpperLimitDialog limits(
            lower ? f->text(*lower) : QString(), f->upper().isValid() ? f->text(f->upper()) : "",
            [f](const QString& text) { return f->parse(text).has_value(); }, this);
        if (limits.exec() != Accepted) {
            return;
        }
        f->showValue(*f->parse(limits.lower()));
        f->setUpper(*f->parse(limits.upper()));
    }
    f->setType(chosen);
    f->focusControl()->setFocus();
}

bool SearchSchedule::collect(std::vector<Criterion>& criteria) {
    criteria.clear();
    for (SearchField* f : m_fields) {
        const std::optional<Criterion> c = f->criterion();
        if (!c) {
            for (int i = 0; i < m_tabs->count(); ++i) {
                if (m_tabs->widget(i)->isAncestorOf(f->control())) {
                    m_tabs->setCurrentIndex(i);
                }
            }
            f->focusControl()->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(f->focusControl())) {
                edit->selectAll();
            }
            return false;
        }
        criteria.push_back(*c);
    }
    return true;
}

void SearchSchedule::beginSearch() {
    const ReentryGuard::Scope scope(m_busy);
    if (!scope.entered()) {
        return;
    }
    if (m_stepping) {
        search(SearchActionDialog::Edit); // "&Find Next"
        return;
    }
    std::vector<Criterion> criteria;
    if (!collect(criteria)) {
        return;
    }
    if (std::none_of(criteria.begin(), criteria.end(),
                     [](const Criterion& c) { return c.takesPart(); })) {
        m_store.ui().message(QStringLiteral("You must specify at least one search field!"),
                             QString(), Ui::Information);
        return;
    }
    const SearchActionDialog::Action action = SearchActionDialog::ask(this);
    if (action == SearchActionDialog::Cancel) {
        return;
    }
    if (action == SearchActionDialog::Select) {
        Tags tags(m_store);
        if (tags.firstTag(kSelectedSet) != 0 &&
            m_store.ui().message(QStringLiteral("Clear old selections first?"), QString(),
                                 Ui::Question, Ui::Yes | Ui::No, Ui::No) == Ui::Yes &&
            !TagProgress::NewTag_(tags, kSelectedSet, this)) {
            return;
        }
    }
    const QbeRun::Action how = action == SearchActionDialog::Edit     ? QbeRun::Action::Edit
                               : action == SearchActionDialog::Select ? QbeRun::Action::Select
                                                                      : QbeRun::Action::Unselect;
    m_found->clear();
    m_step = std::make_unique<Stepping>(m_store, std::move(criteria), how);
    if (!m_step->run.start()) {
        m_step.reset();
        return;
    }
    search(action);
}

void SearchSchedule::search(int action) {
    QbeRun& run = m_step->run;
    const std::int64_t before = run.found();
    ProgressWindow window(QStringLiteral("Searching for Matching Records"),
                          QStringLiteral("%1 Found").arg(before), this);
    ProgressJob job;
    job.slice = [&](int rows) {
        const bool more = run.slice(rows);
        window.setSecondText(QStringLiteral("%1 Found").arg(run.found()));
        return more;
    };
    job.percent = [&run] { return run.percent(); };
    const Response response = window.run(job, kRowsPerSlice);
    if (response == Response::Cancelled || run.failed()) {
        if (m_stepping) {
            stopStepping();
        }
        m_step.reset();
        return;
    }
    if (action != SearchActionDialog::Edit) {
        m_found->setText(QStringLiteral("%1 Found").arg(run.found()));
        if (run.found() == 0) {
            m_store.ui().message(QStringLiteral("There are no matching records!"), QString(),
                                 Ui::Information);
        }
        m_step.reset();
        return;
    }
    if (run.found() > before) {
        showMatch();
        return;
    }
    m_store.ui().message(run.found() == 0 ? QStringLiteral("There are no matching records!")
                                          : QStringLiteral("There are no more matching records!"),
                         QString(), Ui::Information);
    if (m_stepping) {
        stopStepping();
    }
    m_step.reset();
}

void SearchSchedule::showMatch() {
    const std::int64_t position = m_step->run.current();
    if (m_store.SCH.reget(QString::number(position)) != 0) {
        StandardWarning(m_store, 35, QStringLiteral("Schedule"));
        stopStepping();
        m_step.reset();
        return;
    }
    if (!m_stepping) {
        m_stepping = true;
        m_step->examples.clear();
        for (SearchField* f : m_fields) {
            m_step->examples.push_back(f->value().value_or(QVariant()));
        }
        m_searchType->setText(QStringLiteral("&Edit This"));
        m_begin->setText(QStringLiteral("&Find Next"));
        for (int i = 0; i < m_tabs->count(); ++i) {
            m_tabs->widget(i)->setEnabled(false);
        }
    }
    WindowCursor shown(m_store, ScheduleKey::KeyID);
    QStringList columns{QStringLiteral("LastRunDate"), QStringLiteral("LastRunTime")};
    for (SearchField* f : m_fields) {
        columns << f->field();
    }
    WindowCursor::Row row;
    if (shown.setColumns(columns) == 0 && shown.reread(position, row) == 0) {
        for (SearchField* f : m_fields) {
            f->showValue(row.values.value(shown.columnIndex(f->field())));
        }
        m_lastRun->showRun(std::int32_t(row.values.value(0).toInt()),
                           std::int32_t(row.values.value(1).toInt()));
    }
}

void SearchSchedule::stopStepping() {
    m_stepping = false;
    for (size_t i = 0; i < m_fields.size() && i < m_step->examples.size(); ++i) {
        m_fields[i]->showValue(m_step->examples[i]);
    }
    m_lastRun->showRun(0, 0);
    m_searchType->setText(QStringLiteral("&Search Type"));
    m_begin->setText(QStringLiteral("&Begin Search"));
    for (int i = 0; i < m_tabs->count(); ++i) {
        m_tabs->widget(i)->setEnabled(true);
    }
}

void SearchSchedule::editThis() {
    m_editPosition = m_step ? m_step->run.current() : 0;
    accept();
}

} // namespace velatask
