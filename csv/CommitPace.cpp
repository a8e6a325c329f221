#include "csv/CommitPace.h"

namespace velatask {

CommitPace::CommitPace() : m_now(SliceBudget::steadyTicker()) {}

CommitPace::CommitPace(SliceBudget::Ticker ticker) : m_now(std::move(ticker)) {}

void CommitPace::began() {
    m_began = m_now();
}

bool CommitPace::commitDue() const {
    return m_now() - m_began >= std::int64_t(kIntervalMs) * 1000000;
}

} // namespace velatask
