#include "ui/ListFormat.h"

namespace velatask {
namespace {

constexpr int kMaxNumber = 9999;

// Reads the format one character at a time; every method answers false on text it cannot take.
class FormatReader {
public:
    explicit FormatReader(const QString& text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    bool atDigit() const { return !atEnd() && m_text.at(m_pos).isDigit(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    QChar take() { return m_text.at(m_pos++); }

    bool number(int& out) {
        out = 0;
        if (!atDigit()) {
            return false;
        }
        while (atDigit()) {
            out = out * 10 + take().digitValue();
            if (out > kMaxNumber) {
                return false;
            }
        }
        return true;
    }

    // "(n)" when it follows; absent is fine.
    bool optionalParenthesised(std::optional<int>& out) {
        if (peek() != QLatin1Char('(')) {
            return true;
        }
        take();
        int n = 0;
        if (!number(n) || peek() != QLatin1Char(')')) {
            return false;
        }
        take();
        out = n;
        return true;
    }

    bool justify(std::optional<ListColumn::Justify>& out) {
        switch (peek().unicode()) {
        case 'L':
            out = ListColumn::Justify::Left;
            break;
        case 'R':
            out = ListColumn::Justify::Right;
            break;
        case 'C':
            out = ListColumn::Justify::Centre;
            break;
        case 'D':
            out = ListColumn::Justify::Decimal;
            break;
        default:
            return false;
        }
        take();
        return true;
    }

    // The text up to the next `delimiter`, which is consumed.
    bool until(QChar delimiter, QString& out) {
        const qsizetype end = m_text.indexOf(delimiter, m_pos);
        if (end < 0) {
            return false;
        }
        out = m_text.mid(m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

bool readModifier(FormatReader& r, ListColumn& c) {
    const QChar ch = r.take();
    switch (ch.unicode()) {
    case '|':
        c.rightBorder = true;
        return true;
    case '_':
        c.underline = true;
        return true;
    case '/':
        c.lastOnLine = true;
        return true;
    case 'M':
        c.resizable = true;
        return true;
    case 'F':
        c.fixed = true;
        return true;
    case '*':
        c.colours = true;
        return true;
    case 'I':
        c.icon = true;
        return true;
    case 'J':
        c.icon = c.transparentIcon = true;
        return true;
    case 'S':
        c.scrolls = true;
        return r.optionalParenthesised(c.scrollWidth);
    case '~': {
        if (!r.until(QLatin1Char('~'), c.header)) {
            return false;
        }
        std::optional<ListColumn::Justify> j;
        if (r.justify(j)) {
            c.headerJustify = j;
            return r.optionalParenthesised(c.headerIndent);
        }
        return true;
    }
    case '@': {
        QString body;
        if (!r.until(QLatin1Char('@'), body) || body.isEmpty()) {
            return false;
        }
        c.picture = QLatin1Char('@') + body;
        return true;
    }
    default:
        return false;
    }
}

QChar letter(ListColumn::Justify j) {
    switch (j) {
    case ListColumn::Justify::Right:
        return QLatin1Char('R');
    case ListColumn::Justify::Centre:
        return QLatin1Char('C');
    case ListColumn::Justify::Decimal:
        return QLatin1Char('D');
    case ListColumn::Justify::Left:
        break;
    }
    return QLatin1Char('L');
}

QString parenthesised(const std::optional<int>& n) {
    return n ? QStringLiteral("(%1)").arg(*n) : QString();
}

} // namespace

std::optional<ListFormat> ListFormat::parse(const QString& text) {
    FormatReader r(text);
    QVector<ListColumn> columns;
    if (r.atEnd()) {
        return std::nullopt;
    }
    while (!r.atEnd()) {
        ListColumn c;
        std::optional<ListColumn::Justify> j;
        if (!r.number(c.width) || !r.justify(j) || !r.optionalParenthesised(c.indent)) {
            return std::nullopt;
        }
        c.justify = *j;
        while (!r.atEnd() && !r.atDigit()) {
            if (!readModifier(r, c)) {
                return std::nullopt;
            }
        }
        columns.append(c);
    }
    return ListFormat(std::move(columns));
}

QString ListFormat::toString() const {
    QString out;
    for (const ListColumn& c : m_columns) {
        out += QString::number(c.width) + letter(c.justify) + parenthesised(c.indent);
        const std::pair<bool, char> flags[] = {{c.rightBorder, '|'}, {c.underline, '_'},
                                               {c.lastOnLine, '/'},  {c.resizable, 'M'},
                                               {c.fixed, 'F'},       {c.colours, '*'}};
        for (const auto& [on, ch] : flags) {
            if (on) {
                out += QLatin1Char(ch);
            }
        }
        if (c.icon) {
            out += QLatin1Char(c.transparentIcon ? 'J' : 'I');
        }
        if (!c.header.isEmpty() || c.headerJustify) {
            out += QLatin1Char('~') + c.header + QLatin1Char('~');
            if (c.headerJustify) {
                out += letter(*c.headerJustify) + parenthesised(c.headerIndent);
            }
        }
        if (c.scrolls) {
            out += QLatin1Char('S') + parenthesised(c.scrollWidth);
        }
        if (!c.picture.isEmpty()) {
            out += c.picture + QLatin1Char('@');
        }
    }
    return out;
}

ListFormat ListFormat::withWidthsOf(const ListFormat& saved) const {
    if (saved.size() != size()) {
        return *this;
    }
    ListFormat result = *this;
    for (int i = 0; i < size(); ++i) {
        const ListColumn& s = saved.m_columns.at(i);
        const ListColumn& mine = m_columns.at(i);
        if (s.header != mine.header || s.picture != mine.picture) {
            return *this;
        }
    }
    for (int i = 0; i < size(); ++i) {
        result.m_columns[i].width = saved.m_columns.at(i).width;
    }
    return result;
}

} // namespace velatask
