#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace velatask {

// A display and entry format named by a picture token: dates "@d3" ("Jan 5, 1999") and "@D6" /
// "@d6" ("5/01/1999"), times "@t3" ("9:05AM"), whole numbers "@n2", "@N3", "@n-13" (signed),
// "@n04" (zero-filled), texts "@s20" / "@S1000" and decimals "@N30.9". Leading-digit positions
// are neither zero-filled nor blank-padded. Reading accepts what people type and answers nullopt
// for anything that is not a valid value of the picture.
class Picture {
public:
    enum class Kind { Invalid, Date, Time, Number, Text, Decimal };

    // Widest picture: a CSV field holds at most this many characters, and a wider picture
    // would only make formatting allocate without bound.
    static constexpr int kMaxWidth = 4000;

    Picture() = default;
    explicit Picture(QStringView token);

    Kind kind() const { return m_kind; }
    bool isValid() const { return m_kind != Kind::Invalid; }
    // Characters (texts) or digits (numbers) of the picture.
    int width() const { return m_width; }
    int decimals() const { return m_decimals; }
    bool isSigned() const { return m_signed; }
    bool isZeroFilled() const { return m_zeroFill; }

    // Dates, times and whole numbers. A date or time of 0 shows as empty text; a number that
    // does not fit the picture shows as '#' characters.
    QString format(std::int64_t value) const;
    // Appends what format() gives to `out`: an export writes several dates and times on every
    // line, and building them straight into the line saves a text of their own for each.
    void appendFormatted(std::int64_t value, QString& out) const;
    QString formatText(const QString& text) const;
    QString formatDecimal(double value) const;

    // Reading back. Blank input reads as 0 ("no date", "no time", zero).
    std::optional<std::int64_t> read(const QString& input) const;
    std::optional<double> readDecimal(const QString& input) const;
    QString readText(const QString& input) const;

    // Shorthands for the pictures used everywhere.
    static QString formatDate(std::int32_t date);    // @d3
    static QString formatTime(std::int32_t time);    // @t3
    static std::optional<std::int32_t> readDate(const QString& input); // @d3
    static std::optional<std::int32_t> readTime(const QString& input); // @t3

private:
    QString formatDateValue(std::int32_t date) const;
    std::optional<std::int64_t> readDateValue(const QString& input) const;
    // The forms format() writes, read without regular expressions; nullopt when the text has
    // another form (or is no valid date or time), which the general reading then decides.
    std::optional<std::int32_t> readUsualDate(QStringView s) const;
    static std::optional<std::int32_t> readUsualTime(QStringView s);
    std::optional<std::int64_t> readNumberValue(const QString& input) const;

    Kind m_kind = Kind::Invalid;
    int m_width = 0;
    int m_decimals = 0;
    int m_dateStyle = 0; // 3: "NNN Dd, yyyy"; 6: "Dd/mm/yyyy"
    bool m_signed = false;
    bool m_zeroFill = false;
};

} // namespace velatask
