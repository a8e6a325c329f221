#pragma once

#include <type_traits>
#include <utility>

namespace velatask {

// Puts a shared record buffer back as it was when a procedure has borrowed it for a lookup.
template <class View> class KeepBuffer {
public:
    explicit KeepBuffer(View& view) : m_view(view), m_copy(view.buffer()) {}
    ~KeepBuffer() { m_view.buffer() = m_copy; }
    KeepBuffer(const KeepBuffer&) = delete;
    KeepBuffer& operator=(const KeepBuffer&) = delete;

private:
    View& m_view;
    std::decay_t<decltype(std::declval<View&>().buffer())> m_copy;
};

} // namespace velatask
