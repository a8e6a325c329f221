#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QKeyEvent;

namespace velatask {

// Gives the Alt+letter mnemonics of a window's own buttons, check boxes and labelled controls
// precedence over the frame's menu bar while the keyboard focus is inside the window. An MDI
// child shares its top-level window, and with it the menu bar's shortcuts, with the frame; left
// to the shortcut map, Alt+H in the child would open the frame's Help menu. A mnemonic that the
// window does not use still reaches the menu bar. Several controls with one mnemonic take the
// focus in turn without being pressed, as a single one would be pressed.
class WindowMnemonics : public QObject {
    Q_OBJECT
public:
    // Watches the application's key events for as long as `window` lives.
    explicit WindowMnemonics(QWidget* window);

    // The window's enabled, visible controls whose mnemonic is Alt+`key`, in creation order.
    QList<QWidget*> owners(int key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ours(QObject* watched, const QKeyEvent& key) const;
    void activate(const QList<QWidget*>& owners);

    QPointer<QWidget> m_window;
};

} // namespace velatask
