#include "editing/CategoryNames.h"

#include "core/FixedText.h"
#include "store/Store.h"
#include "store/WindowCursor.h"

namespace velatask::CategoryNames {

int read(Store& store, QStringList& names) {
    constexpr int kPage = 200;
    WindowCursor cursor(store, CategoryKey::KeyCategory);
    WindowCursor::Page page;
    int code = cursor.setColumns({QStringLiteral("Category")});
    if (code == 0) {
        code = cursor.first(kPage, page);
    }
    while (code == 0) {
        for (const WindowCursor::Row& row : page) {
            names << FixedText::rtrim(row.values.value(0).toString());
        }
        if (int(page.size()) < kPage) {
            break; // a short page is the last
        }
        const WindowCursor::Row last = page.back();
        code = cursor.after(last, kPage, page);
    }
    return code;
}

} // namespace velatask::CategoryNames
