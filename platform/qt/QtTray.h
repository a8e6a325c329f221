#pragma once

#include "platform/Tray.h"

#include <QIcon>
#include <QObject>

#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace velatask {

// The frame's notification-area icon on QSystemTrayIcon, with its pop-up menu "&Restore" and
// "&Close". The frame connects the signals; the icon only reports what the user did.
class QtTray : public QObject, public Tray {
    Q_OBJECT
public:
    explicit QtTray(const QIcon& icon, QObject* parent = nullptr);
    ~QtTray() override;

    // Refused (false) when no system tray is available. The tip keeps its first 63 characters.
    bool add(const QString& tip) override;
    // Refused while the icon is not shown.
    bool modify(const QString& tip) override;
    bool remove() override;

    QString tip() const override;

    bool isShown() const;
    QMenu* menu() const { return m_menu.get(); }

    static constexpr int kMaxTipLength = 63;

signals:
    // A left click or a double click on the icon.
    void clicked();
    // The menu's "&Restore".
    void restoreChosen();
    // The menu's "&Close".
    void closeChosen();

private:
    QIcon m_icon;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_trayIcon;
};

} // namespace velatask
