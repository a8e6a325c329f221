#pragma once

#include <QString>

#include <vector>

namespace velatask {

// The pages of a task wizard in order, and which of them the task's type uses: "&Next ->" and
// "<- &Back" step over the pages the type does not use.
class WizardPages {
public:
    // What a page holds: every task needs it, or only tasks that start a program or show a
    // message (the task form's rule for its tabs).
    enum class Use { Always, Command, Message };

    WizardPages() = default;
    explicit WizardPages(std::vector<Use> pages) : m_pages(std::move(pages)) {}
    void add(Use use) { m_pages.push_back(use); }

    int count() const { return int(m_pages.size()); }
    bool used(int page, const QString& taskType) const;
    // The next or previous used page, or -1 when there is none.
    int next(int page, const QString& taskType) const;
    int previous(int page, const QString& taskType) const;

private:
    int step(int page, int direction, const QString& taskType) const;

    std::vector<Use> m_pages;
};

} // namespace velatask
