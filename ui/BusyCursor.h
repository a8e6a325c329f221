#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace velatask {

// Shows the busy cursor for the length of a scope of store work.
class BusyCursor {
public:
    BusyCursor() : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (m_shown) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
    }
    ~BusyCursor() {
        if (m_shown) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool m_shown;
};

} // namespace velatask
