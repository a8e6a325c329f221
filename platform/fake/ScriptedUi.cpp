#include "platform/fake/ScriptedUi.h"

namespace velatask {

int ScriptedUi::messageBox(const MessageBoxSpec& box) {
    m_boxes.push_back(box);
    if (m_whileOpen) {
        m_whileOpen(box);
    }
    if (!m_answers.empty()) {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return box.defaultButton != 0 ? box.defaultButton : Ui::Ok;
}

void ScriptedUi::stopProgram(const QString& finalText) {
    m_stops.append(finalText);
}

} // namespace velatask
