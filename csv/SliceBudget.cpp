#include "csv/SliceBudget.h"

#include <algorithm>
#include <chrono>

namespace velatask {

SliceBudget::SliceBudget()
    : SliceBudget([] {
          return std::int64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count());
      }) {}

SliceBudget::SliceBudget(Ticker ticker) : m_now(std::move(ticker)) {}

void SliceBudget::start() {
    m_start = m_now();
    m_batches = 0;
}

bool SliceBudget::anotherBatch() {
    const std::int64_t used = m_now() - m_start;
    ++m_batches;
    const std::int64_t closing = *std::min_element(m_closings.begin(), m_closings.end());
    return m_ns > 0 && used + used / m_batches + closing <= m_ns;
}

void SliceBudget::beginClosing() {
    m_mark = m_now();
}

void SliceBudget::endClosing() {
    m_closings[m_nextClosing] = m_now() - m_mark;
    m_nextClosing = (m_nextClosing + 1) % m_closings.size();
}

} // namespace velatask
