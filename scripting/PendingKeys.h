#pragma once

#include <cstdint>
#include <vector>

namespace velatask {

// The key codes waiting to be played, first in first out. Room starts at 16 codes and doubles
// when needed, up to 1024.
class PendingKeys {
public:
    static constexpr int kInitialCapacity = 16;
    static constexpr int kMaximumCapacity = 1024;

    PendingKeys() : m_codes(kInitialCapacity) {}

    // Appends all codes, or none when they would not fit in 1024.
    bool append(const std::vector<std::uint16_t>& codes);
    // Removes and returns the first code; the buffer must not be empty.
    std::uint16_t takeFirst();

    bool isEmpty() const { return m_count == 0; }
    int size() const { return m_count; }
    int capacity() const { return static_cast<int>(m_codes.size()); }

private:
    void grow(int needed);

    std::vector<std::uint16_t> m_codes;
    int m_first = 0;
    int m_count = 0;
};

} // namespace velatask
