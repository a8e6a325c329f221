#include "ui/TitleWidth.h"

#include <QWidget>

#include <algorithm>

namespace velatask {

void fitTitle(QWidget* window) {
    window->setMinimumWidth(
        std::max(window->minimumSizeHint().width(),
                 window->fontMetrics().horizontalAdvance(window->windowTitle()) * 3 / 2 + 80));
}

} // namespace velatask
