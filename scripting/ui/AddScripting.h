#pragma once

class QWidget;

namespace velatask {

struct AppContext;

// "Scripting": the steps of the task in the Schedule buffer, in sequence order with what each
// does; steps are added, changed and deleted through their form and moved up and down. Modal:
// returns when the window closes.
void AddScripting(AppContext& app, QWidget* parent);

} // namespace velatask
