#pragma once

#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velatask {

class TaskControls;

// "Comma&nd:" with its "&Browse" for a program, "Start &in:", and "&Scripting" with its hint: the
// program a task starts, where, and the script that follows it.
class CommandGroup : public QWidget {
    Q_OBJECT
public:
    CommandGroup(TaskControls& controls, QWidget* parent = nullptr);
    // The two entries alone, without "&Browse" and "&Scripting": for a window that reads them its
    // own way.
    explicit CommandGroup(QWidget* parent);

    QLineEdit* command() const { return m_command; }
    QLineEdit* path() const { return m_path; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* scriptingButton() const { return m_scripting; }

    // The program dialog: choosing a file applies the rules of a chosen program.
    void browse();

signals:
    // After "&Browse", whether or not a file was chosen.
    void browsed(bool chosen);

private:
    void openScripting();

    TaskControls* m_controls = nullptr;
    // What works on the task itself: shown only when the group is bound to one.
    std::vector<QWidget*> m_actions;
    QLineEdit* m_command = nullptr;
    QLineEdit* m_path = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_scripting = nullptr;
};

} // namespace velatask
