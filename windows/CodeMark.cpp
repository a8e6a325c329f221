#include "windows/CodeMark.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>

namespace velatask::CodeMark {

namespace {

QLayout* layoutHolding(QLayout* layout, QWidget* control) {
    if (!layout) {
        return nullptr;
    }
    if (layout->indexOf(control) >= 0) {
        return layout;
    }
    for (int i = 0; i < layout->count(); ++i) {
        if (QLayout* found = layoutHolding(layout->itemAt(i)->layout(), control)) {
            return found;
        }
    }
    return nullptr;
}

// The room a mark takes beside a control in this widget's font.
int width(const QWidget* control) {
    return control->fontMetrics().horizontalAdvance(QStringLiteral("MM"));
}

} // namespace

QLabel* attach(QWidget* control) {
    QWidget* parent = control->parentWidget();
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    auto* mark = new QLabel(holder);
    mark->setAlignment(Qt::AlignCenter);
    // Wide enough for every mark, so that a control does not move when its type changes.
    mark->setFixedWidth(width(mark));
    mark->setAccessibleName(QStringLiteral("Match type"));
    holder->setSizePolicy(control->sizePolicy());
    if (QLayout* layout = layoutHolding(parent ? parent->layout() : nullptr, control)) {
        delete layout->replaceWidget(control, holder);
    }
    holder->setLayout(row);
    // Level with a one-line control; at the top of a group or a text box.
    const bool tall = control->sizeHint().height() > 2 * mark->sizeHint().height();
    row->addWidget(mark, 0, tall ? Qt::AlignTop : Qt::AlignVCenter);
    row->addWidget(control, 1);
    return mark;
}

} // namespace velatask::CodeMark
