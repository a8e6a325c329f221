#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"

namespace velatask {

class WindowCursor;

// "Categories": the category names in order, with the form for one name. The highlighted name
// stays in the shared Categories record for the windows that read it.
class BrowseCategories : public BrowseWindow {
    Q_OBJECT
public:
    BrowseCategories(Store& store, IniFile& ini, QWidget* parent = nullptr);

    Response update(Request request);

private:
    Store& m_store;
    IniFile& m_ini;
    UseCount<CategoryView> m_table;
};

} // namespace velatask
