#include "windows/SelectCategories.h"

#include "ui/BrowseList.h"
#include "windows/CategoryList.h"

namespace velatask {
namespace {

BrowseDeclaration selectWindow() {
    BrowseDeclaration d;
    d.section = QStringLiteral("SelectCategories");
    d.title = QStringLiteral("Select a Category");
    d.format = QStringLiteral("60L(0)|M~Category~@s20@");
    d.size = QSize(160, 150);
    d.tableName = QStringLiteral("Categories");
    return d;
}

} // namespace

SelectCategories::SelectCategories(Store& store, IniFile& ini)
    : BrowseWindow(store, ini, CategoryList::source(store), selectWindow()), m_store(store),
      m_table(store.CAT) {
    setTablesOpen(m_table.ok());
    CategoryList::declare(*this, store);
    const auto pick = [this] { select(); };
    addButton(QStringLiteral("&Select"), pick, true);
    addButton(QStringLiteral("Cl&ose"), [this] { finish(Response::Cancelled); });
    setRecordMenu({{QStringLiteral("&Select"), pick, true}});
    connect(list(), &BrowseList::changeRequested, this, pick);
}

Response SelectCategories::call(QWidget* parent) {
    if (!open()) {
        return Response::Cancelled;
    }
    return runModal(parent);
}

void SelectCategories::select() {
    if (const PageSource::Row* row = list()->currentRow()) {
        m_store.CAT.buffer().Category = row->values.value(0).toString();
        finish(Response::Completed);
    }
}

} // namespace velatask
