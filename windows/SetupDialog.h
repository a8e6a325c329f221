#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velatask {

struct AppContext;

// "Velatask Setup": the start-up and history options, bound to the live settings while the
// window is open ("&OK" saves them, "Cancel" reads the saved ones back), start at login (kept by
// the desktop, not in the settings file, and written on "&OK" only), and five housekeeping
// commands.
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit SetupDialog(AppContext& ctx, QWidget* parent = nullptr);
    ~SetupDialog() override;

    QCheckBox* showSchedule() const { return m_showSchedule; }
    QCheckBox* showToDo() const { return m_showToDo; }
    QCheckBox* minimize() const { return m_minimize; }
    QCheckBox* active() const { return m_active; }
    QCheckBox* fullSchedule() const { return m_fullSchedule; }
    QCheckBox* noTray() const { return m_noTray; }
    // Shown only when the context offers start at login.
    QCheckBox* startAtLogin() const { return m_startAtLogin; }
    QCheckBox* removeUncompleted() const { return m_removeUncompleted; }
    QLineEdit* historyExpires() const { return m_historyExpires; }
    QPushButton* button(const QString& text) const;

    void saveAndClose();
    void cancelAndClose();

    // The close box and Escape keep the changed options for this run without writing them.
    void reject() override;

private:
    void buildWindow();
    void showSettings();
    void bind(QCheckBox* box, bool* flag);
    // Asks the housekeeping question; true when the user answered Yes.
    bool confirm(const char* question);
    void report(const char* text);
    void finish(int result);
    // Writes the start-at-login choice when it changed; false (after telling the user) when the
    // desktop's autostart entry could not be written.
    bool saveStartAtLogin();

    AppContext& m_ctx;
    QCheckBox* m_showSchedule = nullptr;
    QCheckBox* m_showToDo = nullptr;
    QCheckBox* m_minimize = nullptr;
    QCheckBox* m_active = nullptr;
    QCheckBox* m_fullSchedule = nullptr;
    QCheckBox* m_noTray = nullptr;
    QCheckBox* m_startAtLogin = nullptr;
    QCheckBox* m_removeUncompleted = nullptr;
    QLineEdit* m_historyExpires = nullptr;
    bool m_tablesOpen = false;
    bool m_finished = false;
};

} // namespace velatask
