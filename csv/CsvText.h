#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace velatask {

// The rules of the comma-delimited files that do not belong to one reader or writer: the size
// limits, how a picture decides quoting, header names and the numeric value of a text.
namespace CsvText {

// A line (record) holds at most this many characters, a field at most this many.
constexpr int kMaxLine = 16000;
constexpr int kMaxField = 4000;

// How a field is written and read back, decided by the character after "@".
enum class PictureClass { String, Numeric, Other };
PictureClass classify(QStringView picture);

// The field name as the header line carries it: in a name holding "[", each "," and "[" becomes
// "_" and each "]" a blank.
QString headerName(const QString& fieldName);

// The number a text stands for: a plain decimal number (leading and trailing blanks allowed,
// decimals cut off), otherwise 0.
std::int64_t numericValue(QStringView text);

// The decimal digits of a number as QString::number() writes them, built from the right in
// `buffer`.
QByteArrayView digits(std::int64_t value, char (&buffer)[24]);

// "Error #" + code + " - " + text: how the CSV windows word a failure.
QString errorMessage(int code, const QString& text);

} // namespace CsvText
} // namespace velatask
