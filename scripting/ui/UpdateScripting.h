#pragma once

#include "ui/FormWindow.h"

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace velatask {

class OptionGroup;
struct AppContext;

// The form of one script step: the option "&Action" and a tab per action. Whatever is entered on
// any tab is kept with the step. A new step is added under the next sequence of its task as the
// form opens, and removed again when the form is cancelled; a delete asks nothing.
class UpdateScripting : public FormWindow {
    Q_OBJECT
public:
    enum Tab { KeystrokesTab, WaitTab, FocusTab, DdeTab, CloseTab };

    UpdateScripting(AppContext& app, Request request, QWidget* parent = nullptr);

    OptionGroup* action() const { return m_action; }
    QLineEdit* keystrokes() const { return m_keystrokes; }
    QSpinBox* secondsToWait() const { return m_seconds; }
    QLineEdit* waitForWindow() const { return m_waitFor; }
    QLineEdit* focusOnWindow() const { return m_focusOn; }
    QLineEdit* ddeApplication() const { return m_ddeName; }
    QLineEdit* ddeTopic() const { return m_ddeTopic; }
    QLineEdit* ddeCommand() const { return m_ddeCommand; }
    QPushButton* abbreviationsButton() const { return m_abbreviations; }

protected:
    void opened() override;
    void showEvent(QShowEvent* event) override;

private:
    // Brings the action's tab forward with the focus on its first field.
    void showAction(const QString& action);

    AppContext& m_app;
    OptionGroup* m_action = nullptr;
    QLineEdit* m_keystrokes = nullptr;
    QPushButton* m_abbreviations = nullptr;
    QSpinBox* m_seconds = nullptr;
    QLineEdit* m_waitFor = nullptr;
    QLineEdit* m_focusOn = nullptr;
    QLineEdit* m_ddeName = nullptr;
    QLineEdit* m_ddeTopic = nullptr;
    QLineEdit* m_ddeCommand = nullptr;
};

} // namespace velatask
