#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace velatask {

class TaskControls;

// "Enter your customized message here..." and the text box of the task's message, which holds at
// most the memo's 1000 characters.
class MessageEditor : public QWidget {
    Q_OBJECT
public:
    MessageEditor(TaskControls& controls, QWidget* parent = nullptr);
    // The text box alone, for a window that reads it its own way.
    explicit MessageEditor(QWidget* parent);

    QPlainTextEdit* text() const { return m_text; }

private:
    void keepToWidth();

    QPlainTextEdit* m_text = nullptr;
};

} // namespace velatask
