#include "scripting/PendingKeys.h"

#include <cassert>

namespace velatask {

bool PendingKeys::append(const std::vector<std::uint16_t>& codes) {
    const int needed = m_count + static_cast<int>(codes.size());
    if (needed > kMaximumCapacity) {
        return false;
    }
    if (needed > capacity()) {
        grow(needed);
    }
    for (std::uint16_t code : codes) {
        m_codes[static_cast<std::size_t>((m_first + m_count) % capacity())] = code;
        ++m_count;
    }
    return true;
}

std::uint16_t PendingKeys::takeFirst() {
    assert(m_count > 0);
    const std::uint16_t code = m_codes[static_cast<std::size_t>(m_first)];
    m_first = (m_first + 1) % capacity();
    --m_count;
    return code;
}

void PendingKeys::grow(int needed) {
    int room = capacity();
    while (room < needed) {
        room *= 2;
    }
    // Unwrap the ring into the larger buffer.
    std::vector<std::uint16_t> codes(static_cast<std::size_t>(room));
    for (int i = 0; i < m_count; ++i) {
        codes[static_cast<std::size_t>(i)] =
            m_codes[static_cast<std::size_t>((m_first + i) % capacity())];
    }
    m_codes.swap(codes);
    m_first = 0;
}

} // namespace velatask
