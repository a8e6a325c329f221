#pragma once

#include <QDialog>

class QPushButton;

namespace velatask {

// "Begin Search": what to do with the matching records.
class SearchActionDialog : public QDialog {
    Q_OBJECT
public:
    enum Action { Cancel = 0, Edit, Select, Unselect };

    explicit SearchActionDialog(QWidget* parent = nullptr);

    // The button pressed; Cancel when the dialog was closed otherwise.
    Action action() const { return m_action; }
    QPushButton* button(Action action) const;

    // Shows the dialog and answers the button pressed.
    static Action ask(QWidget* parent);

private:
    Action m_action = Cancel;
    QPushButton* m_buttons[4] = {};
};

} // namespace velatask
