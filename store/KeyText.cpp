#include "store/KeyText.h"

#include <QString>

namespace velatask {

QVariant KeyText::wrap(QByteArray bytes) {
    // Lets toString() and QVariant comparisons read the text wherever a key part is shown.
    static const bool registered = QMetaType::registerConverter<KeyText, QString>(
        [](const KeyText& t) { return QString::fromUtf8(t.bytes); });
    Q_UNUSED(registered);
    return QVariant::fromValue(KeyText{std::move(bytes)});
}

bool KeyText::holds(const QVariant& value) {
    return value.metaType() == QMetaType::fromType<KeyText>();
}

QByteArray KeyText::utf8(const QVariant& value) {
    return holds(value) ? value.value<KeyText>().bytes : value.toString().toUtf8();
}

QVariant KeyText::bound(const QVariant& value) {
    if (!holds(value)) {
        return value;
    }
    const QByteArray bytes = value.value<KeyText>().bytes;
    // The driver binds a null array as NULL: empty text must stay text.
    return bytes.isNull() ? QVariant(QByteArray("", 0)) : QVariant(bytes);
}

} // namespace velatask
