#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"

#include <cstdint>

namespace velatask {

struct AppContext;
class WindowCursor;

// "Scripting": the steps of the task in the Schedule buffer, in sequence order with what each
// does; steps are added, changed and deleted through their form and moved up and down.
class AddScripting : public BrowseWindow {
    Q_OBJECT
public:
    AddScripting(AppContext& app, QWidget* parent = nullptr);

    // Shows the steps of the task in the Schedule buffer until the window is closed.
    static void call(AppContext& app, QWidget* parent);

    std::int32_t taskId() const { return m_taskId; }
    Response update(Request request);
    // Moves the highlighted step past its neighbour.
    void move(bool up);

private:
    WindowCursor& cursor();

    AppContext& m_app;
    Store& m_store;
    UseCount<ScheduleView> m_tasks;
    UseCount<ScriptingView> m_steps;
    const std::int32_t m_taskId;
};

} // namespace velatask
