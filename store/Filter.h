#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

namespace velatask {

// A condition on the records of one table: comparisons of fields with values, combined with
// and, or and not. It holds no SQL; a cursor turns it into SQL with every value bound, after
// checking the field names against its table. An empty filter holds for every record; a
// field that is NULL (written by another tool) satisfies no comparison.
class Filter {
public:
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };
    enum class Text { BeginsWith, EndsWith, Contains };
    // How text fields compare. Trailing blanks never count.
    enum class Fold { None, Capitals, CapitalsNoLeadingBlanks };
    enum class DatePart { Year, Month, Day };

    Filter();
    ~Filter();
    Filter(const Filter&);
    Filter& operator=(const Filter&);

    // Field names as the record names them ("Date"; "SCH:Date" is accepted too). Text fields
    // compare with the fold given, numbers as numbers.
    static Filter compare(const QString& field, Op op, const QVariant& value,
                          Fold fold = Fold::None);
    // low <= field <= high.
    static Filter between(const QString& field, const QVariant& low, const QVariant& high,
                          Fold fold = Fold::None);
    // Begins with, ends with or contains the text; wildcard characters have no meaning. An
    // empty text matches every record.
    static Filter text(const QString& field, Text how, const QString& value,
                       Fold fold = Fold::Capitals);
    // The year, month or day of the month of a date field equals the value (never for date 0).
    static Filter datePart(const QString& field, DatePart part, int value);
    // The record is tagged in the tag set of the user (never for set 0).
    static Filter taggedIn(int set, std::int32_t user = 0);

    Filter operator&&(const Filter& other) const;
    Filter operator||(const Filter& other) const;
    Filter operator!() const;

    bool isEmpty() const { return !m_node; }

    struct Node;
    const Node* node() const { return m_node.get(); }

private:
    explicit Filter(std::shared_ptr<const Node> node);

    std::shared_ptr<const Node> m_node;
};

} // namespace velatask
