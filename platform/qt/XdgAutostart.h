#pragma once

#include "platform/Autostart.h"

#include <QString>
#include <QStringList>

namespace velatask {

// Start at login through a desktop entry in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart), which every freedesktop session starts: the entry is there while
// the option is on and removed when it is turned off.
class XdgAutostart : public Autostart {
public:
    // `command` is the program and its arguments as the session is to start it; `configHome`
    // is $XDG_CONFIG_HOME (empty: the environment's, else ~/.config).
    explicit XdgAutostart(const QStringList& command, const QString& configHome = QString());

    bool isEnabled() const override;
    bool setEnabled(bool enabled) override;

    QString entryPath() const { return m_path; }
    // A desktop entry's Exec value for these words: quoted where needed, '%' doubled.
    static QString execLine(const QStringList& words);

    static constexpr const char* kFileName = "velatask.desktop";

private:
    QStringList m_command;
    QString m_path;
};

} // namespace velatask
