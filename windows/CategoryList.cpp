#include "windows/CategoryList.h"

#include "store/Store.h"
#include "ui/BrowseList.h"
#include "ui/BrowseWindow.h"
#include "ui/CursorPageSource.h"

namespace velatask::CategoryList {

std::unique_ptr<PageSource> source(Store& store) {
    auto s = std::make_unique<CursorPageSource>(store, CategoryKey::KeyCategory);
    s->cursor().setColumns({QStringLiteral("Category")});
    return s;
}

void declare(BrowseWindow& window, Store& store) {
    window.list()->model().setValueColumns({0});
    window.addTab(BrowseTab{QStringLiteral("Category"), {}});
    window.setRecordAccess(
        [&store](std::int64_t position) {
            store.CAT.watch();
            return store.CAT.reget(QString::number(position));
        },
        [&store] { return store.CAT.pointer(); });
    window.setHighlightHook([&store](const PageSource::Row& row) {
        store.CAT.buffer().Category = row.values.value(0).toString();
    });
}

} // namespace velatask::CategoryList
