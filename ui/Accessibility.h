#pragma once

#include <QStringList>

class QWidget;

namespace velatask {

// What screen readers hear of a window's controls.
namespace Accessibility {

// Gives every control of the window that has no accessible name one: the text of the label
// that is its buddy (without mnemonic and trailing colon), else its tool tip.
void nameControls(QWidget* window);

// The controls that take the keyboard focus and still have no name, as "class objectName";
// a window is finished when this is empty.
QStringList unnamedControls(QWidget* window);

// A label text as it is read out: "&To Do:" -> "To Do".
QString spokenText(const QString& label);

} // namespace Accessibility
} // namespace velatask
