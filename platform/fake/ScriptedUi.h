#pragma once

#include "core/Ui.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace velatask {

// A Ui for tests: records every box and notice, answers from a queue of scripted buttons (the box's
// default button, or OK, when the queue is empty) and records a stop instead of ending the process.
class ScriptedUi : public Ui {
public:
    int messageBox(const MessageBoxSpec& box) override;
    void notice(const MessageBoxSpec& box) override { m_notices.push_back(box); }
    void stopProgram(const QString& finalText) override;

    void answerNext(int button) { m_answers.push_back(button); }
    // Runs while each modal box is open, as the user's work in other windows would.
    void whileBoxOpen(std::function<void(const MessageBoxSpec&)> work) {
        m_whileOpen = std::move(work);
    }

    const std::vector<MessageBoxSpec>& boxes() const { return m_boxes; }
    // Boxes shown without waiting for an answer.
    const std::vector<MessageBoxSpec>& notices() const { return m_notices; }
    const QStringList& stops() const { return m_stops; }
    bool stopped() const { return !m_stops.isEmpty(); }
    void clear() {
        m_boxes.clear();
        m_notices.clear();
        m_stops.clear();
        m_answers.clear();
    }

private:
    std::vector<MessageBoxSpec> m_boxes;
    std::vector<MessageBoxSpec> m_notices;
    std::deque<int> m_answers;
    QStringList m_stops;
    std::function<void(const MessageBoxSpec&)> m_whileOpen;
};

} // namespace velatask
