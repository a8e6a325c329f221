#pragma once

#include "core/Ui.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace velatask {

// A Ui for tests: records every box, answers from a queue of scripted buttons (the box's default
// button, or OK, when the queue is empty) and records a stop instead of ending the process.
class ScriptedUi : public Ui {
public:
    int messageBox(const MessageBoxSpec& box) override;
    void stopProgram(const QString& finalText) override;

    void answerNext(int button) { m_answers.push_back(button); }

    const std::vector<MessageBoxSpec>& boxes() const { return m_boxes; }
    const QStringList& stops() const { return m_stops; }
    bool stopped() const { return !m_stops.isEmpty(); }
    void clear() {
        m_boxes.clear();
        m_stops.clear();
        m_answers.clear();
    }

private:
    std::vector<MessageBoxSpec> m_boxes;
    std::deque<int> m_answers;
    QStringList m_stops;
};

} // namespace velatask
