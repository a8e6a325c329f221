#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace velatask {

// The names that may stand in square brackets in a keystroke string, with their key codes.
class KeyNameTable {
public:
    // The one table of the program; it never changes after it is built.
    static const KeyNameTable& instance();

    KeyNameTable();

    // The code of a name exactly as stored (upper case, no trailing blanks).
    std::optional<std::uint16_t> code(const QString& name) const;

    int size() const { return static_cast<int>(m_codes.size()); }
    QStringList names() const { return m_codes.keys(); }

private:
    void add(const QString& name, std::uint16_t code);

    QHash<QString, std::uint16_t> m_codes;
};

} // namespace velatask
