#pragma once

#include "scripting/DeliveryScheduler.h"

#include <deque>

namespace velatask {

// Holds posted work until the test runs it, so key delivery happens exactly when the test says.
class ManualDeliveryScheduler : public DeliveryScheduler {
public:
    void post(std::function<void()> work) override { m_work.push_back(std::move(work)); }

    int waiting() const { return static_cast<int>(m_work.size()); }

    // Runs the oldest piece of work; false when there was none.
    bool runOne() {
        if (m_work.empty()) {
            return false;
        }
        std::function<void()> work = std::move(m_work.front());
        m_work.pop_front();
        work();
        return true;
    }

    // Runs work, including work posted meanwhile, until none is left; returns how much ran.
    int runAll() {
        int ran = 0;
        while (runOne()) {
            ++ran;
        }
        return ran;
    }

private:
    std::deque<std::function<void()>> m_work;
};

} // namespace velatask
