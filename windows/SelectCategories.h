#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"

namespace velatask {

// "Select a Category": the pick list of category names. "&Select" (or a double click) leaves
// the highlighted name in the shared Categories record and answers completed; "Cl&ose" answers
// cancelled.
class SelectCategories : public BrowseWindow {
    Q_OBJECT
public:
    SelectCategories(Store& store, IniFile& ini);

    // Shows the list modally over `parent`; false when the table could not be read.
    Response call(QWidget* parent);
    void select();

private:
    Store& m_store;
    UseCount<CategoryView> m_table;
};

} // namespace velatask
