#pragma once

class QWidget;

namespace velatask {

// Makes a window at least wide enough for the window manager to show its whole title (the
// title font is larger than the window's, and the title bar holds buttons too).
void fitTitle(QWidget* window);

} // namespace velatask
