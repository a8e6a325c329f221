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

std::int64_t SliceBudget::remainingNs() const {
    if (m_ns <= 0) {
        return -1;
    }
    return std::max<std::int64_t>(0, m_ns - (m_now() - m_start));
}

bool SliceBudget::anotherBatch() {
    const std::int64_t used = m_now() - m_start;
    ++m_batches;
    // The usual closing: of the last four, the longer of the middle two.
    std::array<std::int64_t, 4> last = m_closings;
    std::sort(last.begin(), last.end());
    const std::int64_t closing = last[2];
    return m_ns > 0 && used + used / m_batches + closing <= m_ns;
}

void SliceBudget::beginClosing() {
    m_mark = m_now();
}

void SliceBudget::endClosing() {
    m_closings[m_nextClosing] = m_now() - m_mark;
    m_nextClosing = (m_nextClosing + 1) % m_closings.size();
    m_measured = std::min(m_measured + 1, m_closings.size());
}

void SliceBudget::assumeClosing(int ms) {
    // The slots not measured yet; measured ones replace them oldest first.
    for (size_t i = m_measured; i < m_closings.size(); ++i) {
        m_closings[(m_nextClosing + i - m_measured) % m_closings.size()] =
            std::int64_t(ms) * 1000000;
    }
}

} // namespace velatask
