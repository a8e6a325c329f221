#pragma once

#include <chrono>
#include <memory>
#include <optional>

// Notices the moment a program's first top-level window is managed by the window manager
// (it appears in the root window's _NET_CLIENT_LIST). Create it before the program starts so that
// no change of the list is missed. Xlib stays inside the .cpp file.
class FirstWindowWatch {
public:
    FirstWindowWatch();
    ~FirstWindowWatch();
    FirstWindowWatch(const FirstWindowWatch&) = delete;
    FirstWindowWatch& operator=(const FirstWindowWatch&) = delete;

    bool connected() const;
    // Waits for a managed window whose _NET_WM_PID is `pid`; the steady time at which the list
    // change arrived, or nothing after the timeout.
    std::optional<std::chrono::steady_clock::time_point> waitFor(long pid,
                                                                 std::chrono::milliseconds timeout);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
