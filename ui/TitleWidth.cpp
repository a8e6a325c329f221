#include "ui/TitleWidth.h"

#include <QWidget>

#include <algorithm>

namespace velatask {

int titleWidth(const QWidget* window) {
    return window->fontMetrics().horizontalAdvance(window->windowTitle()) * 3 / 2 + 80;
}

void fitTitle(QWidget* window) {
    window->setMinimumWidth(std::max(window->minimumSizeHint().width(), titleWidth(window)));
}

} // namespace velatask
