#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace velatask {

// One column of a list as its format string declares it: "60L(1)|M~Category~C(0)@s20@" is 60
// dialog units wide, left-justified with an indent of 1, with a right border, resizable, headed
// "Category" (header centred, indent 0) and shown through the picture "@s20".
struct ListColumn {
    enum class Justify { Left, Right, Centre, Decimal };

    int width = 0; // dialog units
    Justify justify = Justify::Left;
    std::optional<int> indent;
    QString header;
    std::optional<Justify> headerJustify;
    std::optional<int> headerIndent;
    QString picture; // "@s20", empty for none
    bool rightBorder = false;
    bool resizable = false;
    bool colours = false; // the row supplies colours for this column
    bool icon = false;    // the row supplies an icon for this column
    bool transparentIcon = false;
    bool fixed = false;
    bool underline = false;
    bool lastOnLine = false;
    // "S(n)": the column's text scrolls sideways, n dialog units of it ("S" alone: no width).
    bool scrolls = false;
    std::optional<int> scrollWidth;

    bool operator==(const ListColumn&) const = default;
};

// The columns of a list: parsed from a format string and written back in the same notation, so
// that a layout the user changed can be remembered as text.
class ListFormat {
public:
    ListFormat() = default;
    explicit ListFormat(QVector<ListColumn> columns) : m_columns(std::move(columns)) {}

    // nullopt when the text is not a list format (the caller keeps its own).
    static std::optional<ListFormat> parse(const QString& text);

    QString toString() const;

    const QVector<ListColumn>& columns() const { return m_columns; }
    QVector<ListColumn>& columns() { return m_columns; }
    int size() const { return int(m_columns.size()); }

    // This format with the column widths of `saved`, when `saved` has the same columns (same
    // count, headers and pictures); otherwise this format unchanged.
    ListFormat withWidthsOf(const ListFormat& saved) const;

private:
    QVector<ListColumn> m_columns;
};

} // namespace velatask
