#include "platform/qt/QtTray.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace velatask {

QtTray::QtTray(const QIcon& icon, QObject* parent)
    : QObject(parent), m_icon(icon), m_menu(std::make_unique<QMenu>()) {
    connect(m_menu->addAction(QStringLiteral("&Restore")), &QAction::triggered, this,
            &QtTray::restoreChosen);
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("&Close")), &QAction::triggered, this,
            &QtTray::closeChosen);
}

QtTray::~QtTray() = default;

bool QtTray::add(const QString& tip) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return false;
    }
    if (!m_trayIcon) {
        m_trayIcon = std::make_unique<QSystemTrayIcon>(m_icon);
        m_trayIcon->setContextMenu(m_menu.get());
        connect(m_trayIcon.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger ||
                        reason == QSystemTrayIcon::DoubleClick) {
                        emit clicked();
                    }
                });
    }
    m_trayIcon->setToolTip(tip.left(kMaxTipLength));
    m_trayIcon->show();
    return true;
}

bool QtTray::modify(const QString& tip) {
    if (!isShown()) {
        return false;
    }
    m_trayIcon->setToolTip(tip.left(kMaxTipLength));
    return true;
}

bool QtTray::remove() {
    if (!isShown()) {
        return false;
    }
    m_trayIcon->hide();
    return true;
}

bool QtTray::isShown() const {
    return m_trayIcon && m_trayIcon->isVisible();
}

QString QtTray::tip() const {
    return m_trayIcon ? m_trayIcon->toolTip() : QString();
}

} // namespace velatask
