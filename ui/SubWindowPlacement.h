#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace velatask {

// Where the frame's child windows may stand.
namespace SubWindowPlacement {

// Moves a child window up and left as far as needed to show it whole inside the frame's area
// (or from the area's top left corner when it is larger): the area has no scroll bars, so a
// window placed beyond its edge could not be reached. A maximised window stays as it is.
void keepInside(QMdiSubWindow* sub, const QMdiArea* area);

} // namespace SubWindowPlacement
} // namespace velatask
