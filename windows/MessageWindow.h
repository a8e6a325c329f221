#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace velatask {

struct AppContext;

// Shows the message of a task that was performed. Each message has a window of its own, on top
// of the desktop, and stays until the user closes it; its text can become a To Do item.
class MessageWindow : public QWidget {
    Q_OBJECT
public:
    // Takes its text from the context's PendingMessage.
    explicit MessageWindow(AppContext& ctx, QWidget* parent = nullptr);
    ~MessageWindow() override;

    QString message() const { return m_message; }
    QPushButton* closeButton() const { return m_close; }
    QPushButton* addToDoButton() const { return m_addToDo; }

    // Adds the first 40 characters of the message as a To Do item of priority 5.
    void addToToDoList();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& m_ctx;
    const QString m_message;
    QPlainTextEdit* m_text = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_addToDo = nullptr;
    bool m_counted = false;
};

} // namespace velatask
