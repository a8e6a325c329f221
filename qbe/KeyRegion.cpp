#include "qbe/KeyRegion.h"

#include "core/Date.h"
#include "qbe/MatchTest.h"

#include <algorithm>
#include <limits>

namespace velatask {

namespace {

constexpr qint64 kLowest = std::numeric_limits<qint64>::min();
constexpr qint64 kHighest = std::numeric_limits<qint64>::max();
// The lowest character beyond ASCII.
constexpr char16_t kBeyondAscii = 0x80;

QChar asciiLower(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c;
}

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        c = asciiLower(c);
    }
    return out;
}

KeyRegion numbers(qint64 from, qint64 last) {
    KeyRegion r;
    r.from = from;
    r.last = last;
    return r;
}

KeyRegion textRegion(const QString& prefix, bool beyondAscii) {
    KeyRegion r;
    r.text = true;
    r.prefix = prefix;
    r.from = beyondAscii ? prefix + QChar(kBeyondAscii) : prefix;
    return r;
}

std::optional<std::vector<KeyRegion>> textRegions(const Criterion& c) {
    if (c.type != MatchType::Equals && c.type != MatchType::BeginsWith) {
        return std::nullopt;
    }
    const QString example = MatchTest::folded(c.value, true);
    std::vector<KeyRegion> out{textRegion(QStringLiteral(" "), false)};
    qsizetype ascii = 0;
    while (ascii < example.size() && example.at(ascii).unicode() < kBeyondAscii) {
        ++ascii;
    }
    for (qsizetype k = 0; k < ascii; ++k) {
        out.push_back(textRegion(asciiLower(example.left(k)), true));
    }
    // All ASCII: the example itself and whatever follows it. Otherwise its ASCII start followed
    // by anything beyond ASCII.
    out.push_back(textRegion(asciiLower(example.left(ascii)), ascii < example.size()));
    std::sort(out.begin(), out.end(), [](const KeyRegion& a, const KeyRegion& b) {
        return a.from.toString() < b.from.toString();
    });
    return out;
}

std::optional<std::vector<KeyRegion>> dateRegions(MatchType type, qint64 example) {
    if (example < std::numeric_limits<std::int32_t>::min() ||
        example > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    const Ymd ymd = Date::toYmd(std::int32_t(example));
    if (ymd.year < Date::kFirstYear || ymd.year > Date::kLastYear) {
        return std::nullopt;
    }
    if (type == MatchType::InYear) {
        return std::vector{numbers(Date::fromYmd(ymd.year, 1, 1), Date::fromYmd(ymd.year, 12, 31))};
    }
    const std::int32_t first = Date::fromYmd(ymd.year, ymd.month, 1);
    return std::vector{numbers(first, Date::lastOfMonth(first))};
}

std::optional<std::vector<KeyRegion>> numberRegions(const Criterion& c) {
    const qint64 v = c.value.toLongLong();
    switch (c.type) {
    case MatchType::Equals:
        return std::vector{numbers(v, v)};
    case MatchType::InsideRange: {
        const qint64 upper = c.upper.toLongLong();
        return v <= upper ? std::vector{numbers(v, upper)} : std::vector<KeyRegion>{};
    }
    case MatchType::MoreThan:
        return v == kHighest ? std::vector<KeyRegion>{} : std::vector{numbers(v + 1, kHighest)};
    case MatchType::MoreOrEqual:
        return std::vector{numbers(v, kHighest)};
    case MatchType::LessThan:
        return v == kLowest ? std::vector<KeyRegion>{} : std::vector{numbers(kLowest, v - 1)};
    case MatchType::LessOrEqual:
        return std::vector{numbers(kLowest, v)};
    case MatchType::InYear:
    case MatchType::YearAndMonth:
        if (c.kind == FieldKind::Date) {
            return dateRegions(c.type, v);
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

bool KeyRegion::contains(const QVariant& firstComponent) const {
    if (!text) {
        const qint64 v = firstComponent.toLongLong();
        return v >= from.toLongLong() && v <= last;
    }
    const QString key = firstComponent.toString();
    if (key.size() < prefix.size()) {
        return false;
    }
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (asciiLower(key.at(i)) != prefix.at(i)) {
            return false;
        }
    }
    return true;
}

QVariant KeyRegion::beyond() const {
    if (!text) {
        return last;
    }
    return prefix + QString::fromUcs4(U"\U0010FFFF");
}

std::optional<std::vector<KeyRegion>> KeyRegion::of(const Criterion& criterion) {
    if (!criterion.takesPart()) {
        return std::nullopt;
    }
    const bool text = FieldKinds::isText(criterion.kind);
    // A record left out of the key has an empty first component: the criterion must not want it.
    if (MatchTest::matches(criterion, text ? QVariant(QString()) : QVariant(qlonglong(0)))) {
        return std::nullopt;
    }
    return text ? textRegions(criterion) : numberRegions(criterion);
}

} // namespace velatask
