#include "scheduler/DeferredUi.h"

#include "scheduler/AppContext.h"

namespace velatask {

DeferredUi::DeferredUi(AppContext& ctx) : m_ctx(ctx), m_real(ctx.ui) {
    m_ctx.ui = this;
}

DeferredUi::~DeferredUi() {
    release();
}

int DeferredUi::messageBox(const MessageBoxSpec& box) {
    m_held.push_back(box);
    return box.defaultButton != 0 ? box.defaultButton : Ui::Ok;
}

void DeferredUi::notice(const MessageBoxSpec& box) {
    m_real->notice(box);
}

void DeferredUi::stopProgram(const QString& finalText) {
    m_real->stopProgram(finalText);
}

void DeferredUi::release() {
    if (m_released) {
        return;
    }
    m_released = true;
    m_ctx.ui = m_real;
    for (const MessageBoxSpec& box : m_held) {
        m_real->messageBox(box);
    }
    m_held.clear();
}

} // namespace velatask
