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
    addEditActions(
        QStringLiteral("&Add"), [this] { update(Request::Insert); },
        [this] { update(Request::Change); }, [this] { update(Request::Delete); });
    if (m_openSchedule) {
        addButton(
            QStringLiteral(" &Schedule"), [this] { showSchedule(); }, true);
    } else {
        addButton(QStringLiteral(" &Schedule"), {})->setEnabled(false);
    }
    addButton(QStringLiteral("Cl&ose"), [this] { closeWindow(); });
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
