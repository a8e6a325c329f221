#include "windows/QtMessageWindows.h"

#include "windows/MessageWindow.h"

namespace velatask {

void QtMessageWindows::openMessageWindow() {
    auto* window = new MessageWindow(m_ctx);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace velatask
