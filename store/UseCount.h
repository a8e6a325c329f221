#pragma once

namespace velatask {

// Holds a view's table open through its use count for the length of a scope:
//   UseCount scripting(store.SCR); if (!scripting.ok()) return 1;
template <class View> class UseCount {
public:
    explicit UseCount(View& view) : m_view(view), m_ok(view.open() == 0) {}
    ~UseCount() {
        if (m_ok) {
            m_view.close();
        }
    }
    UseCount(const UseCount&) = delete;
    UseCount& operator=(const UseCount&) = delete;

    // False when the table opener failed (and has told the user).
    bool ok() const { return m_ok; }

private:
    View& m_view;
    bool m_ok;
};

} // namespace velatask
