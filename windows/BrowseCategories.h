#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"

#include <QPointer>

#include <functional>

namespace velatask {

class WindowCursor;

// "Categories": the category names in order, with the form for one name. The highlighted name
// stays in the shared Categories record for the windows that read it.
class BrowseCategories : public BrowseWindow {
    Q_OBJECT
public:
    // " &Schedule" opens the tasks of the highlighted category through `openSchedule`, which
    // answers the window it opened (or brought forward); without it the button stays greyed.
    BrowseCategories(Store& store, IniFile& ini, QWidget* parent = nullptr,
                     std::function<QWidget*()> openSchedule = {});

    Response update(Request request);
    void showSchedule();

private:
    Store& m_store;
    IniFile& m_ini;
    UseCount<CategoryView> m_table;
    std::function<QWidget*()> m_openSchedule;
    QPointer<QWidget> m_schedule;
};

} // namespace velatask
