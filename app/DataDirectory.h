#pragma once

#include <QString>

namespace velatask {

// The folder the program works in: the data file "SM", the tag file and KEYCODES.TXT live there.
// On the first start it is made, and the shipped KEYCODES.TXT copied into it.
class DataDirectory {
public:
    // $XDG_DATA_HOME/velatask, else ~/.local/share/velatask.
    static QString defaultPath();

    // Makes `path` when missing and copies `shippedKeyCodes` there unless the folder has its own
    // KEYCODES.TXT. False with the reason in error() when the folder cannot be made; a missing
    // shipped file is not an error (the key list then shows nothing).
    bool prepare(const QString& path, const QString& shippedKeyCodes);

    // The absolute path prepared.
    QString path() const { return m_path; }
    QString error() const { return m_error; }

private:
    QString m_path;
    QString m_error;
};

} // namespace velatask
