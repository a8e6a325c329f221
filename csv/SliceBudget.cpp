#include "csv/SliceBudget.h"

#include <algorithm>
#include <chrono>

namespace velatask {

SliceBudget::Ticker SliceBudget::steadyTicker() {
    return [] {
        return std::int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
    };
}

SliceBudget::SliceBudget() : SliceBudget(steadyTicker()) {}

SliceBudget::SliceBudget(Ticker ticker) : m_now(std::move(ticker)) {}

void SliceBudget::start() {
    m_start = m_now();
    m_batches = 0;
}

std::int64_t SliceBudget::remainingNs() const {
    if (m_ns <= 0) {
        return -1;
    }
    return std::max<std::int64_t>(0, m_ns - (m_now() - m_start));
}

bool SliceBudget::anotherBatch() {
    const std::int64_t used = m_now() - m_start;
    ++m_batches;
    return m_ns > 0 && used + used / m_batches <= m_ns;
}

} // namespace velatask
