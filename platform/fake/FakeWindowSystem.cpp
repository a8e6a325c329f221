#include "platform/fake/FakeWindowSystem.h"

namespace velatask {

std::vector<WindowEntry> FakeWindowSystem::BuildWindowList() {
    ++m_listBuilds;
    return m_windows;
}

WindowHandle FakeWindowSystem::windowOfProcess(std::uint32_t pid) {
    const auto it = m_processWindows.find(pid);
    return it == m_processWindows.end() ? 0 : it->second;
}

} // namespace velatask
