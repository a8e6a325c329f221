#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"

namespace velatask {

class WindowCursor;

// "To Do List": the To Do items in three orders, each marked done or not done, with the form
// for one item and the toggle of its done flag. The column layout is remembered.
class ViewToDo : public BrowseWindow {
    Q_OBJECT
public:
    ViewToDo(Store& store, IniFile& ini, QWidget* parent = nullptr);

    // Turns the highlighted item's done flag over and writes it at once.
    void toggleDone();
    Response update(Request request);

private:
    WindowCursor& cursor();

    Store& m_store;
    IniFile& m_ini;
    UseCount<ToDoView> m_table;
};

} // namespace velatask
