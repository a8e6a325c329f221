#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace velatask {

// Where the frame's child windows may stand.
namespace SubWindowPlacement {

// Shows a child window whole inside the frame's area: a frame too small for it grows as far as
// the screen allows (a maximised one keeps its size), then the child moves up and left as far as
// needed (or to the area's top left corner when it is still larger). The area has no scroll
// bars, so a window beyond its edge could not be reached. A maximised child stays as it is.
void keepInside(QMdiSubWindow* sub, QMdiArea* area);

} // namespace SubWindowPlacement
} // namespace velatask
