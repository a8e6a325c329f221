#include "windows/BrowseCategories.h"

#include "ui/BrowseList.h"
#include "windows/CategoryList.h"
#include "windows/UpdateCategories.h"

#include <QPushButton>

namespace velatask {
namespace {

BrowseDeclaration categoriesWindow() {
    BrowseDeclaration d;
    d.section = QStringLiteral("BrowseCategories");
    d.title = QStringLiteral("Categories");
    d.format = QStringLiteral("60L(1)|M~Category~@s20@");
    d.size = QSize(190, 160);
    d.tableName = QStringLiteral("Categories");
    return d;
}

} // namespace

BrowseCategories::BrowseCategories(Store& store, IniFile& ini, QWidget* parent,
                                   std::function<QWidget*()> openSchedule)
    : BrowseWindow(store, ini, CategoryList::source(store), categoriesWindow(), parent),
      m_store(store), m_ini(ini), m_table(store.CAT), m_openSchedule(std::move(openSchedule)) {
    setTablesOpen(m_table.ok());
    CategoryList::declare(*this, store);
    const auto insert = [this] { update(Request::Insert); };
    const auto change = [this] { update(Request::Change); };
    const auto remove = [this] { update(Request::Delete); };
    addButton(QStringLiteral("&Add"), insert);
    addButton(QStringLiteral("&Change"), change, true);
    addButton(QStringLiteral("&Delete"), remove, true);
    if (m_openSchedule) {
        addButton(
            QStringLiteral(" &Schedule"), [this] { showSchedule(); }, true);
    } else {
        addButton(QStringLiteral(" &Schedule"), {})->setEnabled(false);
    }
    addButton(QStringLiteral("Cl&ose"), [this] { closeWindow(); });
    setRecordMenu({{QStringLiteral("&Add"), insert},
                   {QStringLiteral("&Change"), change, true},
                   {QStringLiteral("&Delete"), remove, true}});
    connect(list(), &BrowseList::insertPressed, this, insert);
    connect(list(), &BrowseList::deletePressed, this, remove);
    connect(list(), &BrowseList::changeRequested, this, change);
}

Response BrowseCategories::update(Request request) {
    if (request != Request::Insert && list()->isEmpty()) {
        return Response::Cancelled;
    }
    return callForm(request,
                    [this](Request r) { return UpdateCategories(m_store, m_ini, r, this).run(); });
}

void BrowseCategories::showSchedule() {
    if (list()->isEmpty()) {
        return;
    }
    QWidget* window = m_openSchedule();
    if (window && window != m_schedule) {
        // The list is read again once the tasks of the category have been seen.
        m_schedule = window;
        connect(window, &QObject::destroyed, this, [this] { list()->reload(); });
    }
}

} // namespace velatask
