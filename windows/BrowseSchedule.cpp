#include "windows/BrowseSchedule.h"

#include "core/Picture.h"
#include "editing/DatePicker.h"
#include "editing/EditingContext.h"
#include "editing/SpecialEventWizard.h"
#include "editing/UpdateSchedule.h"
#include "platform/Clock.h"
#include "scheduler/AppContext.h"
#include "scheduler/TaskExecution.h"
#include "settings/Settings.h"
#include "ui/BrowseList.h"
#include "ui/CursorPageSource.h"
#include "ui/DialogUnits.h"
#include "windows/ScheduleList.h"
#include "windows/ScheduleRowLook.h"
#include "windows/SearchSchedule.h"
#include "windows/SelectCategories.h"

#include <QPushButton>
#include <QTabBar>

namespace velatask {
namespace {

BrowseDeclaration scheduleWindow() {
    BrowseDeclaration d;
    d.section = QStringLiteral("BrowseSchedule");
    d.title = QStringLiteral("View Schedule");
    d.format = QStringLiteral(
        "11L|M*I@s1@47L|M*~Date~@d3@32L|M*~Time~@t3@60L|M~Category~@s20@90L|M~Description~@s40@"
        "60L|M~Task Type~@s20@60L|M~Schedule Type~L(1)@s20@");
    d.size = QSize(400, 200);
    d.tableName = QStringLiteral("Schedule");
    return d;
}

const QSize kMinimumSize(300, 150); // dialog units

// The fields of a row, in the order the cursor is asked for them.
enum Field { Date, Time, Category, Description, TaskType, ScheduleType, Completed, Skip, Disabled };
// The list's columns.
enum Column {
    IconColumn,
    DateColumn,
    TimeColumn,
    CategoryColumn,
    DescriptionColumn,
    TaskTypeColumn,
    ScheduleTypeColumn
};

std::unique_ptr<CursorPageSource> scheduleSource(Store& store) {
    auto source = std::make_unique<CursorPageSource>(store, ScheduleKey::KeyDate);
    source->cursor().setColumns({"Date", "Time", "Category", "Description", "TaskType",
                                 "ScheduleType", "Completed", "SkipNextTime", "Disabled"});
    return source;
}

} // namespace

BrowseSchedule::BrowseSchedule(EditingContext& services, QWidget* parent)
    : BrowseWindow(*services.app.store, *services.app.ini, scheduleSource(*services.app.store),
                   scheduleWindow(), parent),
      m_services(services), m_store(*services.app.store), m_categories(m_store.CAT),
      m_schedule(m_store.SCH), m_tags(m_store.TF_), m_selectedDay(services.app.clock->today()),
      m_category(m_store) {
    setTablesOpen(m_categories.ok() && m_schedule.ok() && m_tags.ok());
    const DialogUnits units(fontMetrics());
    setMinimumSize(units.toPixelsX(kMinimumSize.width()), units.toPixelsY(kMinimumSize.height()));

    BrowseModel& model = list()->model();
    model.setValueColumns({-1, Date, Time, Category, Description, TaskType, ScheduleType});
    model.setIcons({QStringLiteral("~disabled.ico"), QStringLiteral("~done.ico"),
                    QStringLiteral("~notdone.ico"), QStringLiteral("~skip.ico")},
                   {QStringLiteral("Disabled"), QStringLiteral("Done"), QStringLiteral("Not done"),
                    QStringLiteral("Skip next time")},
                   [](const BrowseModel::Values& v) {
                       return ScheduleRowLook::iconOf(v.at(Completed).toLongLong(),
                                                      v.at(Skip).toLongLong(),
                                                      v.at(Disabled).toLongLong());
                   });
    ScheduleList::fitTypeColumns(*list(), TaskTypeColumn, ScheduleTypeColumn);
    model.setTextColour([](const BrowseModel::Values& v, int column) {
        return column == DateColumn ? ScheduleRowLook::dateColourOf(v.at(Disabled).toLongLong(),
                                                                    v.at(Skip).toLongLong())
                                    : QColor();
    });

    addTab(BrowseTab{Picture::formatDate(m_selectedDay),
                     [this] {
                         cursor().setOrder(ScheduleKey::KeyDate);
                         cursor().setRange({m_selectedDay});
                         return cursor().setFilter(Filter());
                     },
                     1});
    addTab(BrowseTab{QStringLiteral("All by Date"), [this] {
                         cursor().setOrder(ScheduleKey::KeyDate);
                         return cursor().setFilter(Filter());
                     }});
    addTab(BrowseTab{QStringLiteral("All by Category"),
                     [this] {
                         cursor().setOrder(ScheduleKey::KeyCategory);
                         return ScheduleList::showCategory(cursor(), m_category.take());
                     },
                     1});
    addTab(BrowseTab{QStringLiteral("Selected"), [this] {
                         cursor().setOrder(ScheduleKey::KeyDate);
                         return cursor().setFilter(Filter::taggedIn(SearchSchedule::kSelectedSet));
                     }});
    addButtons();
    addMenus();
    ScheduleList::declareRecordAccess(*this, m_store);

    connect(tabs(), &QTabBar::currentChanged, this,
            [this](int tab) { m_category.follow(tab == CategoryTab); });
    connect(&m_category, &CategoryFollower::changed, this, &BrowseSchedule::followCategory);
    m_services.app.NewTaskDate = QString::number(m_selectedDay);
}

WindowCursor& BrowseSchedule::cursor() {
    return static_cast<CursorPageSource&>(source()).cursor();
}

void BrowseSchedule::addButtons() {
    addTabButton(DayTab, QStringLiteral("&Pick Day"), [this] { pickDay(); });
    addTabButton(CategoryTab, QStringLiteral("&Pick Category"), [this] { pickCategory(); });
    addTabButton(SelectedTab, QStringLiteral("Search"), [this] { search(); });
    addButton(QStringLiteral("&Add"), [this] { add(); });
    addButton(
        QStringLiteral("Cop&y"), [this] { copy(); }, true)
        ->setToolTip(QStringLiteral("Copy record"));
    addButton(
        QStringLiteral("&Change"), [this] { update(Request::Change); }, true);
    addButton(
        QStringLiteral("&Delete"), [this] { update(Request::Delete); }, true);
    addButton(
        QStringLiteral("Reschedule"), [this] { reschedule(); }, true);
    addButton(
        QStringLiteral("Run Now"), [this] { runNow(); }, true);
    addButton(QStringLiteral("Cl&ose"), [this] { closeWindow(); });
}

void BrowseSchedule::addMenus() {
    const auto insert = [this] { add(); };
    const auto change = [this] { update(Request::Change); };
    const auto remove = [this] { update(Request::Delete); };
    setWindowMenu({{QStringLiteral("&Add"), insert},
                   {QStringLiteral("&Change"), change, true},
                   {QStringLiteral("&Delete"), remove, true},
                   {},
                   {QStringLiteral("&Reschedule"), [this] { reschedule(); }, true},
                   {QStringLiteral("Run &Now"), [this] { runNow(); }, true}});
    setRecordMenu({{QStringLiteral("&Add"), insert},
                   {QStringLiteral("&Change"), change, true},
                   {QStringLiteral("&Delete"), remove, true},
                   {},
                   {QStringLiteral("Cop&y"), [this] { copy(); }, true}});
    connect(list(), &BrowseList::insertPressed, this, insert);
    connect(list(), &BrowseList::deletePressed, this, remove);
    connect(list(), &BrowseList::changeRequested, this, change);
}

bool BrowseSchedule::open() {
    return BrowseWindow::open(m_services.app.settings->fullSchedule ? DateTab : DayTab);
}

Response BrowseSchedule::taskForm(Request request) {
    return callForm(request,
                    [this](Request r) { return UpdateSchedule(m_services, r, this).run(); });
}

Response BrowseSchedule::add() {
    m_store.SCH.clearBuffer();
    if (tabs()->currentIndex() == CategoryTab) {
        m_store.SCH.buffer().Category = m_category.category();
    }
    const Response response = taskForm(Request::Insert);
    m_services.app.NewTaskDate = QString::number(m_selectedDay);
    return response;
}

Response BrowseSchedule::copy() {
    // The form stores a new task with the values of the one in the buffer.
    if (list()->isEmpty() || !loadCurrent()) {
        return Response::Cancelled;
    }
    return taskForm(Request::Insert);
}

Response BrowseSchedule::update(Request request) {
    if (list()->isEmpty()) {
        return Response::Cancelled;
    }
    return taskForm(request);
}

Response BrowseSchedule::reschedule() {
    // The wizard stores a one-time copy of the task in the buffer; the list then shows the copy.
    if (list()->isEmpty() || !loadCurrent()) {
        return Response::Cancelled;
    }
    return callForm(Request::Insert,
                    [this](Request r) { return SpecialEventWizard(m_services, r, this).run(); });
}

void BrowseSchedule::runNow() {
    if (!list()->isEmpty() && loadCurrent()) {
        RunTaskNow(m_services.app);
    }
}

void BrowseSchedule::setSelectedDay(std::int32_t day) {
    m_selectedDay = day;
    m_services.app.NewTaskDate = QString::number(day);
    tabs()->setTabText(DayTab, Picture::formatDate(day));
}

void BrowseSchedule::pickDay() {
    // An empty task: every day of the calendar can be picked.
    m_store.SCH.clearBuffer();
    setSelectedDay(m_services.calendar.pickDate(m_store.SCH.buffer(), m_selectedDay, QString(),
                                                QString(), this));
    reapplyTab();
}

void BrowseSchedule::pickCategory() {
    SelectCategories(m_store, *m_services.app.ini).call(this);
    followCategory();
}

void BrowseSchedule::followCategory() {
    if (tabs()->currentIndex() == CategoryTab && m_category.differs()) {
        reapplyTab();
    }
}

void BrowseSchedule::search() {
    SearchSchedule window(m_store, *m_services.app.ini, this);
    if (window.run() != Response::Completed) {
        return;
    }
    // "&Edit This" ended the search on a task: it is edited here.
    if (const std::int64_t found = window.editPosition(); found != 0) {
        m_store.SCH.watch();
        if (m_store.SCH.reget(QString::number(found)) == 0) {
            UpdateSchedule(m_services, Request::Change, this).run();
        }
    }
    reapplyTab();
}

} // namespace velatask
