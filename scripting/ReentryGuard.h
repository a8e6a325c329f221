#pragma once

namespace velatask {

// Keeps a piece of work from being entered again while it runs, e.g. a timer tick that runs a
// nested event loop (a message box, a pause between keystrokes) in which the timer fires again.
//
//     ReentryGuard::Scope scope(m_guard);
//     if (!scope.entered()) return;
class ReentryGuard {
public:
    class Scope {
    public:
        explicit Scope(ReentryGuard& guard) : m_guard(guard), m_entered(!guard.m_busy) {
            m_guard.m_busy = true;
        }
        ~Scope() {
            if (m_entered) {
                m_guard.m_busy = false;
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        bool entered() const { return m_entered; }

    private:
        ReentryGuard& m_guard;
        bool m_entered;
    };

    bool busy() const { return m_busy; }

private:
    bool m_busy = false;
};

} // namespace velatask
