#pragma once

#include <QString>
#include <QStringList>

namespace velatask {

// An INI settings file with private-profile semantics: section and key names ignore letter case,
// values are at most 1023 characters, a missing key, an empty value or a value that is not a
// number reads as 0, writing a key creates the file and its section, and everything else in the
// file (other sections and keys, comments, blank lines) is kept. Every write replaces the file
// through a temporary file, so a crash never leaves half a file. Errors are never reported: a
// file that cannot be read has no keys, a write that fails is lost.
class IniFile {
public:
    static constexpr int kMaxValueLength = 1023;

    explicit IniFile(QString path);

    // $XDG_CONFIG_HOME/velatask/Vela.INI (by default ~/.config/velatask/Vela.INI).
    static QString defaultPath();

    const QString& path() const { return m_path; }

    QString read(const QString& section, const QString& key) const;
    long readNumber(const QString& section, const QString& key) const;
    bool contains(const QString& section, const QString& key) const;

    void write(const QString& section, const QString& key, const QString& value);
    void writeNumber(const QString& section, const QString& key, long value);

private:
    QStringList loadLines() const;
    // Index of the line holding the key inside the section, or -1; `sectionEnd` receives the
    // index after the section's last key line (-1 when the section does not exist).
    static int findKey(const QStringList& lines, const QString& section, const QString& key,
                       int* sectionEnd);

    QString m_path;
};

} // namespace velatask
