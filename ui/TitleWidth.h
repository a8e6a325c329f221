#pragma once

class QWidget;

namespace velatask {

// The width a window needs for the window manager to show its whole title (the title font is
// larger than the window's, and the title bar holds buttons too).
int titleWidth(const QWidget* window);
// Makes a window at least that wide.
void fitTitle(QWidget* window);

} // namespace velatask
