#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QVariant>

namespace velatask {

// A text key part as the file holds it, byte for byte. Text read through the driver comes back
// as UTF-16: invalid UTF-8 turns into replacement characters and a leading byte order mark is
// dropped when bound again, so a page anchored on such text would start elsewhere than where the
// last one ended. Compares as the text it holds; toString() gives that text.
struct KeyText {
    QByteArray bytes;

    static QVariant wrap(QByteArray bytes);
    static bool holds(const QVariant& value);
    // The UTF-8 of a key part: its stored bytes, or the text it converts to.
    static QByteArray utf8(const QVariant& value);
    // As a statement binds it: the bytes (a blob, which the statement turns back into text).
    static QVariant bound(const QVariant& value);

    friend bool operator==(const KeyText& a, const KeyText& b) { return a.bytes == b.bytes; }
};

} // namespace velatask

Q_DECLARE_METATYPE(velatask::KeyText)
