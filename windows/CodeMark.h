#pragma once

class QLabel;
class QWidget;

namespace velatask {

// The mark beside a control of the search window that shows its match type ("=", "≠", "m").
namespace CodeMark {

// Puts a mark in front of the control, in the place the control had in its layout, and answers
// it. The control keeps its label, buddy and size policy.
QLabel* attach(QWidget* control);

} // namespace CodeMark
} // namespace velatask
