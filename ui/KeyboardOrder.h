#pragma once

#include <vector>

class QTabWidget;
class QWidget;

namespace velatask {

// The Tab key's order in a window of tabs: the controls of the tabs as they were added, then the
// buttons below, then the tab bar.
namespace KeyboardOrder {

// Orders `window`'s controls so and answers the first control of the tabs that takes Tab.
QWidget* tabsThenButtons(QWidget* window, QTabWidget* tabs, const std::vector<QWidget*>& buttons);

} // namespace KeyboardOrder
} // namespace velatask
