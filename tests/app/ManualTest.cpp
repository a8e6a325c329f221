#include "scripting/KeyNameTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

QString manualPage() {
    QFile file(QStringLiteral(VELATASK_STAGED_SHARE "/manual/index.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

// The manual's key table names every key the program knows, with its code, and no other: each
// row gives a base name (taken after each of the six prefixes) and the plain names of the key.
TEST(Manual, KeyTableListsEveryKeyNameWithItsCode) {
    const QString page = manualPage();
    ASSERT_FALSE(page.isEmpty());
    const int start = page.indexOf(QStringLiteral("<table class=\"keys\">"));
    ASSERT_GE(start, 0);
    const QString table = page.mid(start, page.indexOf(QStringLiteral("</table>"), start) - start);

    static const QRegularExpression row(QStringLiteral(
        "<tr><td>[^<]*</td><td>([^<]*)</td><td>([^<]*)</td><td>([0-9A-F]{2})</td></tr>"));
    const QStringList prefixes = {QStringLiteral("SHIFT"),    QStringLiteral("CTRL"),
                                  QStringLiteral("ALT"),      QStringLiteral("CTRLSHIFT"),
                                  QStringLiteral("ALTSHIFT"), QStringLiteral("CTRLALT")};
    const std::uint16_t bits[] = {0x100, 0x200, 0x400, 0x300, 0x500, 0x600};
    const KeyNameTable& names = KeyNameTable::instance();
    QSet<QString> listed;
    for (auto it = row.globalMatch(table); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const auto code = static_cast<std::uint16_t>(m.captured(3).toUInt(nullptr, 16));
        const QString base = m.captured(1);
        if (base != QStringLiteral("&ndash;")) {
            for (int i = 0; i < prefixes.size(); ++i) {
                const QString name = prefixes[i] + base;
                EXPECT_EQ(names.code(name), std::optional<std::uint16_t>(code | bits[i]))
                    << name.toStdString();
                listed.insert(name);
            }
        }
        for (const QString& plain : m.captured(2).split(QStringLiteral(", "))) {
            if (plain != QStringLiteral("&ndash;")) {
                EXPECT_EQ(names.code(plain), std::optional<std::uint16_t>(code))
                    << plain.toStdString();
                listed.insert(plain);
            }
        }
    }
    const QStringList known = names.names();
    EXPECT_EQ(listed, QSet<QString>(known.begin(), known.end()));
}
