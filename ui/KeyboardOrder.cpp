#include "ui/KeyboardOrder.h"

#include <QTabBar>
#include <QTabWidget>

namespace velatask::KeyboardOrder {

QWidget* tabsThenButtons(QWidget* window, QTabWidget* tabs, const std::vector<QWidget*>& buttons) {
    QWidget* first = nullptr;
    QWidget* previous = nullptr;
    for (QWidget* w : tabs->findChildren<QWidget*>()) {
        // A drop list's popup is a window of its own, outside the order.
        // Radio buttons other than the chosen one take no Tab but keep their place, for when
        // they are chosen.
        if (w->focusPolicy() != Qt::NoFocus && !w->focusProxy() && w->parentWidget() != tabs &&
            !qobject_cast<QTabBar*>(w) && w->window() == window) {
            if (previous) {
                QWidget::setTabOrder(previous, w);
            }
            if (!first && (w->focusPolicy() & Qt::TabFocus)) {
                first = w;
            }
            previous = w;
        }
    }
    for (QWidget* b : buttons) {
        if (previous) {
            QWidget::setTabOrder(previous, b);
        }
        previous = b;
    }
    if (previous) {
        QWidget::setTabOrder(previous, tabs);
    }
    return first;
}

} // namespace velatask::KeyboardOrder
