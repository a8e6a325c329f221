#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QWidget>

namespace velatask::Accessibility {
namespace {

QString accessibleNameOf(QWidget* w) {
    if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w)) {
        return iface->text(QAccessible::Name);
    }
    return w->accessibleName();
}

bool takesFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && !w->isHidden();
}

} // namespace

QString spokenText(const QString& label) {
    QString text;
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label.at(i) == QLatin1Char('&') && i + 1 < label.size()) {
            ++i; // "&&" is a literal ampersand, "&x" marks the mnemonic
        }
        text += label.at(i);
    }
    text = text.trimmed();
    while (text.endsWith(QLatin1Char(':'))) {
        text.chop(1);
    }
    return text.trimmed();
}

void nameControls(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        if (buddy && buddy->accessibleName().isEmpty()) {
            buddy->setAccessibleName(spokenText(label->text()));
        }
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (takesFocus(w) && w->accessibleName().isEmpty() && accessibleNameOf(w).isEmpty() &&
            !w->toolTip().isEmpty()) {
            w->setAccessibleName(w->toolTip());
        }
    }
}

QStringList unnamedControls(QWidget* window) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (takesFocus(w) && accessibleNameOf(w).trimmed().isEmpty()) {
            unnamed << QStringLiteral("%1 %2").arg(QLatin1String(w->metaObject()->className()),
                                                   w->objectName());
        }
    }
    return unnamed;
}

} // namespace velatask::Accessibility
