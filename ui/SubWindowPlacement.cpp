#include "ui/SubWindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace velatask::SubWindowPlacement {

void keepInside(QMdiSubWindow* sub, const QMdiArea* area) {
    if (sub->isMaximized()) {
        return;
    }
    const QRect room = area->viewport()->rect();
    QRect r = sub->geometry();
    r.moveRight(std::min(r.right(), room.right()));
    r.moveBottom(std::min(r.bottom(), room.bottom()));
    sub->move(std::max(r.left(), 0), std::max(r.top(), 0));
}

} // namespace velatask::SubWindowPlacement
