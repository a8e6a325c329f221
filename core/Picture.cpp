#include "core/Picture.h"

#include "core/Date.h"
#include "core/Time.h"

#include <QRegularExpression>

namespace velatask {
namespace {

const char* const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Month number of an English month name or its first three letters, 0 when unknown.
int monthFromName(const QString& word) {
    static const char* const kFull[12] = {"january", "february", "march",     "april",
                                          "may",     "june",     "july",      "august",
                                          "september", "october", "november", "december"};
    const QString w = word.toLower();
    if (w.size() < 3) {
        return 0;
    }
    for (int m = 0; m < 12; ++m) {
        const QString full = QString::fromLatin1(kFull[m]);
        if (full.startsWith(w) || (w == QLatin1String("sept") && m == 8)) {
            return m + 1;
        }
    }
    return 0;
}

std::optional<std::int32_t> dateOf(int year, int month, int day) {
    if (!Date::isValid(year, month, day)) {
        return std::nullopt;
    }
    return Date::fromYmd(year, month, day);
}

QString hashes(int n) {
    return QString(n, QLatin1Char('#'));
}

// Appends the decimal digits of n >= 0, zero-filled to at least `width` of them.
void appendDigits(QString& out, std::int64_t n, int width) {
    char digits[24];
    int at = int(sizeof digits);
    do {
        digits[--at] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (int(sizeof digits) - at < width) {
        digits[--at] = '0';
    }
    out.append(QLatin1String(digits + at, qsizetype(sizeof digits) - at));
}

// Reads from `at` at least `least` and at most `most` ASCII digits; -1 when there are fewer.
int readDigits(QStringView s, qsizetype& at, int least, int most) {
    int value = 0;
    int n = 0;
    while (n < most && at < s.size() && s[at] >= QLatin1Char('0') && s[at] <= QLatin1Char('9')) {
        value = value * 10 + (s[at].unicode() - '0');
        ++at;
        ++n;
    }
    return n < least ? -1 : value;
}

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isDateSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-');
}

// Month number of a three-letter month name in any case, 0 when there is none.
int monthFromShortName(QStringView word) {
    for (int m = 0; m < 12; ++m) {
        if (word.compare(QLatin1String(kMonthNames[m]), Qt::CaseInsensitive) == 0) {
            return m + 1;
        }
    }
    return 0;
}

} // namespace

Picture::Picture(QStringView token) {
    static const QRegularExpression re(QStringLiteral("^@([dDtTnNsS])(-?)(0?)(\\d+)(?:\\.(\\d+))?$"));
    const QRegularExpressionMatch m = re.match(token.toString().trimmed());
    if (!m.hasMatch()) {
        return;
    }
    const QChar kind = m.captured(1).at(0).toLower();
    const bool minus = !m.captured(2).isEmpty();
    const bool zero = !m.captured(3).isEmpty();
    const int size = m.captured(4).toInt();
    const bool hasDecimals = m.capturedLength(5) > 0;
    if (size > kMaxWidth || (hasDecimals && m.captured(5).toInt() > kMaxWidth)) {
        return;
    }
    if (kind == QLatin1Char('d')) {
        if ((size == 3 || size == 6) && !minus && !zero && !hasDecimals) {
            m_kind = Kind::Date;
            m_dateStyle = size;
        }
    } else if (kind == QLatin1Char('t')) {
        if (size == 3 && !minus && !zero && !hasDecimals) {
            m_kind = Kind::Time;
        }
    } else if (kind == QLatin1Char('s')) {
        if (size > 0 && !minus && !zero && !hasDecimals) {
            m_kind = Kind::Text;
            m_width = size;
        }
    } else if (size > 0) {
        m_kind = hasDecimals ? Kind::Decimal : Kind::Number;
        m_width = size;
        m_decimals = hasDecimals ? m.captured(5).toInt() : 0;
        m_signed = minus;
        m_zeroFill = zero;
    }
}

QString Picture::format(std::int64_t value) const {
    switch (m_kind) {
    case Kind::Date:
    case Kind::Time: {
        QString text;
        appendFormatted(value, text);
        return text;
    }
    case Kind::Number: {
        if (value < 0 && !m_signed) {
            return hashes(m_width);
        }
        const std::int64_t magnitude = value < 0 ? -value : value;
        QString digits = QString::number(magnitude);
        if (m_zeroFill && digits.size() < m_width) {
            digits = QString(m_width - digits.size(), QLatin1Char('0')) + digits;
        }
        if (digits.size() > m_width) {
            return hashes(m_width);
        }
        return value < 0 ? QLatin1Char('-') + digits : digits;
    }
    case Kind::Decimal:
        return formatDecimal(static_cast<double>(value));
    case Kind::Text:
        return formatText(QString::number(value));
    case Kind::Invalid:
        break;
    }
    return QString();
}

void Picture::appendFormatted(std::int64_t value, QString& out) const {
    if (m_kind == Kind::Date) {
        const auto date = static_cast<std::int32_t>(value);
        if (date == 0) {
            return;
        }
        const Ymd c = Date::toYmd(date);
        if (c.year < 0) {
            out += formatDateValue(date);
        } else if (m_dateStyle == 6) {
            appendDigits(out, c.day, 1);
            out += QLatin1Char('/');
            appendDigits(out, c.month, 2);
            out += QLatin1Char('/');
            appendDigits(out, c.year, 4);
        } else {
            out += QLatin1String(kMonthNames[c.month - 1]);
            out += QLatin1Char(' ');
            appendDigits(out, c.day, 1);
            out += QLatin1String(", ");
            appendDigits(out, c.year, 4);
        }
    } else if (m_kind == Kind::Time) {
        if (value <= 0) {
            return;
        }
        const auto t = static_cast<std::int32_t>(value);
        const int h = Time::hours(t);
        appendDigits(out, h % 12 == 0 ? 12 : h % 12, 1);
        out += QLatin1Char(':');
        appendDigits(out, Time::minutes(t), 2);
        out += h < 12 ? QLatin1String("AM") : QLatin1String("PM");
    } else {
        out += format(value);
    }
}

QString Picture::formatText(const QString& text) const {
    if (m_kind != Kind::Text) {
        return text;
    }
    return text.left(m_width);
}

QString Picture::formatDecimal(double value) const {
    if (value < 0 && !m_signed && m_kind == Kind::Decimal) {
        return hashes(m_width);
    }
    const QString s = QString::number(value, 'f', m_decimals);
    if (m_width > 0 && s.size() > m_width) {
        return hashes(m_width);
    }
    return s;
}

QString Picture::formatDateValue(std::int32_t date) const {
    if (date == 0) {
        return QString();
    }
    const Ymd c = Date::toYmd(date);
    if (m_dateStyle == 6) {
        return QStringLiteral("%1/%2/%3")
            .arg(c.day)
            .arg(c.month, 2, 10, QLatin1Char('0'))
            .arg(c.year, 4, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1 %2, %3")
        .arg(QLatin1String(kMonthNames[c.month - 1]))
        .arg(c.day)
        .arg(c.year, 4, 10, QLatin1Char('0'));
}

std::optional<std::int64_t> Picture::read(const QString& input) const {
    switch (m_kind) {
    case Kind::Date:
        return readDateValue(input);
    case Kind::Time: {
        if (const auto usual = readUsualTime(QStringView(input).trimmed())) {
            return *usual;
        }
        const QString s = input.trimmed();
        if (s.isEmpty()) {
            return 0;
        }
        static const QRegularExpression re(
            QStringLiteral("^(\\d{1,2})(?:\\s*[:.]\\s*(\\d{1,2}))?(?:\\s*[:.]\\s*(\\d{1,2}))?"
                           "\\s*([AaPp]\\.?[Mm]?\\.?)?$"));
        const QRegularExpressionMatch m = re.match(s);
        if (!m.hasMatch()) {
            return std::nullopt;
        }
        int h = m.captured(1).toInt();
        const int mi = m.capturedLength(2) ? m.captured(2).toInt() : 0;
        const int se = m.capturedLength(3) ? m.captured(3).toInt() : 0;
        const QString half = m.captured(4).toUpper();
        if (mi > 59 || se > 59) {
            return std::nullopt;
        }
        if (!half.isEmpty()) {
            if (h < 1 || h > 12) {
                return std::nullopt;
            }
            const bool pm = half.startsWith(QLatin1Char('P'));
            h = (h % 12) + (pm ? 12 : 0);
        } else if (h > 23) {
            return std::nullopt;
        }
        return Time::fromHms(h, mi, se);
    }
    case Kind::Number:
        return readNumberValue(input);
    case Kind::Decimal: {
        const std::optional<double> d = readDecimal(input);
        // A whole number only where one can hold it ("1e44" is read as a decimal, not kept).
        if (!d || !(*d > -9.2e18 && *d < 9.2e18)) {
            return std::nullopt;
        }
        return static_cast<std::int64_t>(*d);
    }
    case Kind::Text:
    case Kind::Invalid:
        break;
    }
    return std::nullopt;
}

std::optional<std::int64_t> Picture::readNumberValue(const QString& input) const {
    const QString s = input.trimmed();
    if (s.isEmpty()) {
        return 0;
    }
    static const QRegularExpression re(QStringLiteral("^([+-]?)\\s*(\\d+)$"));
    const QRegularExpressionMatch m = re.match(s);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const bool negative = m.captured(1) == QLatin1String("-");
    QString digits = m.captured(2);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) {
        digits.remove(0, 1);
    }
    if ((negative && !m_signed) || digits.size() > m_width) {
        return std::nullopt;
    }
    const std::int64_t v = digits.toLongLong();
    return negative ? -v : v;
}

std::optional<double> Picture::readDecimal(const QString& input) const {
    const QString s = input.trimmed();
    if (s.isEmpty()) {
        return 0.0;
    }
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || (v < 0 && !m_signed && m_kind == Kind::Decimal)) {
        return std::nullopt;
    }
    return v;
}

QString Picture::readText(const QString& input) const {
    return m_kind == Kind::Text ? input.left(m_width) : input;
}

std::optional<std::int64_t> Picture::readDateValue(const QString& input) const {
    if (const auto usual = readUsualDate(QStringView(input).trimmed())) {
        return *usual;
    }
    const QString s = input.trimmed();
    if (s.isEmpty()) {
        return 0;
    }
    // "Jan 5, 1999", "january 5 1999", "5 Jan 1999"
    static const QRegularExpression named(
        QStringLiteral("^([A-Za-z]+)\\.?\\s*(\\d{1,2})\\s*,?\\s*(\\d{4})$"));
    static const QRegularExpression namedDayFirst(
        QStringLiteral("^(\\d{1,2})\\s*([A-Za-z]+)\\.?\\s*,?\\s*(\\d{4})$"));
    // Numbers in the picture's order: day/month/year for "@D6", month/day/year for "@d3".
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,2})\\s*[/.-]\\s*(\\d{1,2})\\s*[/.-]\\s*(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));

    QRegularExpressionMatch m = named.match(s);
    if (m.hasMatch()) {
        const int month = monthFromName(m.captured(1));
        if (month == 0) {
            return std::nullopt;
        }
        return dateOf(m.captured(3).toInt(), month, m.captured(2).toInt());
    }
    m = namedDayFirst.match(s);
    if (m.hasMatch()) {
        const int month = monthFromName(m.captured(2));
        if (month == 0) {
            return std::nullopt;
        }
        return dateOf(m.captured(3).toInt(), month, m.captured(1).toInt());
    }
    m = iso.match(s);
    if (m.hasMatch()) {
        return dateOf(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    }
    m = numeric.match(s);
    if (m.hasMatch()) {
        const int a = m.captured(1).toInt();
        const int b = m.captured(2).toInt();
        const int year = m.captured(3).toInt();
        return m_dateStyle == 6 ? dateOf(year, b, a) : dateOf(year, a, b);
    }
    return std::nullopt;
}

// "Jan 5, 1999" and day, month and year in the picture's order between "/", "." or "-": the
// general reading would find the same date through its first matching expression.
std::optional<std::int32_t> Picture::readUsualDate(QStringView s) const {
    qsizetype at = 0;
    if (!s.isEmpty() && isAsciiLetter(s[0])) {
        if (s.size() < 4 || !isAsciiLetter(s[1]) || !isAsciiLetter(s[2]) ||
            s[3] != QLatin1Char(' ')) {
            return std::nullopt;
        }
        at = 4;
        const int day = readDigits(s, at, 1, 2);
        if (day < 0 || !s.sliced(at).startsWith(QLatin1String(", "))) {
            return std::nullopt;
        }
        at += 2;
        const int year = readDigits(s, at, 4, 4);
        const int month = monthFromShortName(s.first(3));
        if (year < 0 || at != s.size() || month == 0) {
            return std::nullopt;
        }
        return dateOf(year, month, day);
    }
    const int a = readDigits(s, at, 1, 2);
    if (a < 0 || at >= s.size() || !isDateSeparator(s[at])) {
        return std::nullopt;
    }
    ++at;
    const int b = readDigits(s, at, 1, 2);
    if (b < 0 || at >= s.size() || !isDateSeparator(s[at])) {
        return std::nullopt;
    }
    ++at;
    const int year = readDigits(s, at, 4, 4);
    if (year < 0 || at != s.size()) {
        return std::nullopt;
    }
    return m_dateStyle == 6 ? dateOf(year, b, a) : dateOf(year, a, b);
}

// "9:05AM", "9:05pm" and "21:05".
std::optional<std::int32_t> Picture::readUsualTime(QStringView s) {
    qsizetype at = 0;
    int h = readDigits(s, at, 1, 2);
    if (h < 0 || at >= s.size() || s[at] != QLatin1Char(':')) {
        return std::nullopt;
    }
    ++at;
    const int minute = readDigits(s, at, 2, 2);
    if (minute < 0 || minute > 59) {
        return std::nullopt;
    }
    if (at == s.size()) {
        return h <= 23 ? std::optional<std::int32_t>(Time::fromHms(h, minute)) : std::nullopt;
    }
    if (s.size() - at != 2 || (s[at + 1] != QLatin1Char('m') && s[at + 1] != QLatin1Char('M')) ||
        h < 1 || h > 12) {
        return std::nullopt;
    }
    const bool pm = s[at] == QLatin1Char('p') || s[at] == QLatin1Char('P');
    if (!pm && s[at] != QLatin1Char('a') && s[at] != QLatin1Char('A')) {
        return std::nullopt;
    }
    h = h % 12 + (pm ? 12 : 0);
    return Time::fromHms(h, minute);
}

QString Picture::formatDate(std::int32_t date) {
    static const Picture p(u"@d3");
    return p.format(date);
}

QString Picture::formatTime(std::int32_t time) {
    static const Picture p(u"@t3");
    return p.format(time);
}

std::optional<std::int32_t> Picture::readDate(const QString& input) {
    static const Picture p(u"@d3");
    const auto v = p.read(input);
    return v ? std::optional<std::int32_t>(static_cast<std::int32_t>(*v)) : std::nullopt;
}

std::optional<std::int32_t> Picture::readTime(const QString& input) {
    static const Picture p(u"@t3");
    const auto v = p.read(input);
    return v ? std::optional<std::int32_t>(static_cast<std::int32_t>(*v)) : std::nullopt;
}

} // namespace velatask
