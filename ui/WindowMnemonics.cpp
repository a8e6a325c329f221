#include "ui/WindowMnemonics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

namespace velatask {

namespace {

// The control that takes the focus for a mnemonic owner: a label's buddy, else the owner.
QWidget* focusTarget(QWidget* owner) {
    if (auto* label = qobject_cast<QLabel*>(owner)) {
        return label->buddy();
    }
    return owner;
}

QString mnemonicText(QWidget* w) {
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        return button->text();
    }
    if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy()) {
        return label->text();
    }
    return QString();
}

} // namespace

WindowMnemonics::WindowMnemonics(QWidget* window) : QObject(window), m_window(window) {
    qApp->installEventFilter(this);
}

QList<QWidget*> WindowMnemonics::owners(int key) const {
    QList<QWidget*> out;
    if (!m_window) {
        return out;
    }
    const QKeySequence wanted(QKeyCombination(Qt::AltModifier, Qt::Key(key)));
    for (QWidget* w : m_window->findChildren<QWidget*>()) {
        const QString text = mnemonicText(w);
        if (text.isEmpty() || QKeySequence::mnemonic(text) != wanted) {
            continue;
        }
        QWidget* target = focusTarget(w);
        if (target && target->isEnabled() && target->isVisibleTo(m_window) && w->isEnabled()) {
            out << w;
        }
    }
    return out;
}

// Key events go first to the focus widget; the window's own mnemonics are taken there, before
// the shortcut map (ShortcutOverride) and before the controls see the key press.
bool WindowMnemonics::ours(QObject* watched, const QKeyEvent& key) const {
    QWidget* focus = QApplication::focusWidget();
    return m_window && focus && watched == focus && m_window->isAncestorOf(focus) &&
           key.modifiers() == Qt::AltModifier && !owners(key.key()).isEmpty();
}

bool WindowMnemonics::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!ours(watched, key)) {
        return false;
    }
    event->accept(); // a key press, not the menu bar's shortcut
    if (event->type() == QEvent::KeyPress) {
        activate(owners(key.key()));
    }
    return true;
}

void WindowMnemonics::activate(const QList<QWidget*>& owners) {
    if (owners.size() == 1) {
        focusTarget(owners.front())->setFocus(Qt::ShortcutFocusReason);
        if (auto* button = qobject_cast<QAbstractButton*>(owners.front())) {
            button->animateClick();
        }
        return;
    }
    // The one after the control that has the focus now, round to the first.
    QWidget* focus = QApplication::focusWidget();
    qsizetype next = 0;
    for (qsizetype i = 0; i < owners.size(); ++i) {
        if (focusTarget(owners[i]) == focus) {
            next = (i + 1) % owners.size();
        }
    }
    focusTarget(owners[next])->setFocus(Qt::ShortcutFocusReason);
}

} // namespace velatask
