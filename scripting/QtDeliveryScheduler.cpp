#include "scripting/QtDeliveryScheduler.h"

#include <QTimer>

namespace velatask {

void QtDeliveryScheduler::post(std::function<void()> work) {
    QTimer::singleShot(0, &m_context, std::move(work));
}

} // namespace velatask
