#include "windows/BrowseSCH_KeyCategory.h"

#include "editing/EditingContext.h"
#include "editing/UpdateSchedule.h"
#include "scheduler/AppContext.h"
#include "ui/BrowseList.h"
#include "ui/CursorPageSource.h"
#include "windows/ScheduleList.h"

namespace velatask {
namespace {

BrowseDeclaration categoryWindow() {
    BrowseDeclaration d;
    d.section = QStringLiteral("BrowseSCH:KeyCategory");
    d.title = QStringLiteral("Browse Schedule by Category");
    d.format = QStringLiteral("60L|M~Description~@s40@47L|M~Date~@d3@33L|M~Time~@t3@60L|M~Task "
                              "Type~@s20@60L|M~Schedule Type~@s20@");
    d.size = QSize(300, 160);
    d.tableName = QStringLiteral("Schedule");
    return d;
}

std::unique_ptr<CursorPageSource> categorySource(Store& store) {
    auto source = std::make_unique<CursorPageSource>(store, ScheduleKey::KeyCategory);
    source->cursor().setColumns({"Description", "Date", "Time", "TaskType", "ScheduleType"});
    return source;
}

} // namespace

BrowseSCH_KeyCategory::BrowseSCH_KeyCategory(EditingContext& services, QWidget* parent)
    : BrowseWindow(*services.app.store, *services.app.ini, categorySource(*services.app.store),
                   categoryWindow(), parent),
      m_services(services), m_store(*services.app.store), m_categories(m_store.CAT),
      m_schedule(m_store.SCH), m_category(m_store) {
    setTablesOpen(m_categories.ok() && m_schedule.ok());
    // Description, Date, Time, Task Type, Schedule Type: as the cursor reads them.
    list()->model().setValueColumns({0, 1, 2, 3, 4});
    ScheduleList::fitTypeColumns(*list(), 3, 4);
    addTab(BrowseTab{QStringLiteral("Category"),
                     [this] {
                         auto& cursor = static_cast<CursorPageSource&>(source()).cursor();
                         const int code = ScheduleList::showCategory(cursor, m_category.take());
                         retitle();
                         return code;
                     },
                     1});

    addEditActions(
        QStringLiteral("&Add"), [this] { update(Request::Insert); },
        [this] { update(Request::Change); }, [this] { update(Request::Delete); });
    addButton(QStringLiteral("Cl&ose"), [this] { closeWindow(); });
    ScheduleList::declareRecordAccess(*this, m_store);

    connect(&m_category, &CategoryFollower::changed, this, &BrowseSCH_KeyCategory::followCategory);
    m_category.follow(true);
}

void BrowseSCH_KeyCategory::retitle() {
    // The frame's child window follows its widget's title.
    setWindowTitle(QStringLiteral("Browse Schedule for ") + m_category.category());
}

void BrowseSCH_KeyCategory::followCategory() {
    if (m_category.differs()) {
        reapplyTab();
    }
}

Response BrowseSCH_KeyCategory::update(Request request) {
    if (request == Request::Insert) {
        // A task added here belongs to the category shown.
        m_store.SCH.clearBuffer();
        m_store.SCH.buffer().Category = m_category.category();
    } else if (list()->isEmpty()) {
        return Response::Cancelled;
    }
    return callForm(request,
                    [this](Request r) { return UpdateSchedule(m_services, r, this).run(); });
}

} // namespace velatask
