#include "ui/SubWindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include <algorithm>

namespace velatask::SubWindowPlacement {
namespace {

void growFrameFor(const QMdiSubWindow* sub, QMdiArea* area) {
    QWidget* frame = area->window();
    // A frame not shown yet has no laid-out area to measure.
    if (frame == area || !frame->isVisible() || frame->isMaximized() || frame->isFullScreen() ||
        frame->isMinimized()) {
        return;
    }
    const QSize room = area->viewport()->size();
    const QSize lack(std::max(0, sub->width() - room.width()),
                     std::max(0, sub->height() - room.height()));
    if (lack.isNull()) {
        return;
    }
    QSize wanted = frame->size() + lack;
    if (const QScreen* screen = frame->screen()) {
        const QSize decorations = frame->frameGeometry().size() - frame->size();
        wanted = wanted.boundedTo(screen->availableGeometry().size() - decorations);
    }
    frame->resize(wanted.expandedTo(frame->size()));
}

} // namespace

void keepInside(QMdiSubWindow* sub, QMdiArea* area) {
    if (sub->isMaximized()) {
        return;
    }
    growFrameFor(sub, area);
    const QRect room = area->viewport()->rect();
    QRect r = sub->geometry();
    r.moveRight(std::min(r.right(), room.right()));
    r.moveBottom(std::min(r.bottom(), room.bottom()));
    sub->move(std::max(r.left(), 0), std::max(r.top(), 0));
}

} // namespace velatask::SubWindowPlacement
