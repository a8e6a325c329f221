#pragma once

#include "scripting/DeliveryScheduler.h"

#include <QObject>

namespace velatask {

// Posts work to the Qt event loop of the calling thread; work still pending is dropped when
// this object goes away.
class QtDeliveryScheduler : public DeliveryScheduler {
public:
    void post(std::function<void()> work) override;

private:
    QObject m_context;
};

} // namespace velatask
