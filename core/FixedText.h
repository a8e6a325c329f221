#pragma once

#include <QString>

namespace velatask {

// Helpers for the fixed-length, blank-padded text fields of the records.
namespace FixedText {

// The text without its trailing blanks.
QString rtrim(const QString& text);

// The text as a field of `width` characters stores it: cut to the width, trailing blanks removed.
QString fit(const QString& text, int width);

// Field comparison: trailing blanks are not significant, letter case is.
bool equal(const QString& a, const QString& b);

// True when the text holds nothing but blanks.
bool isBlank(const QString& text);

} // namespace FixedText
} // namespace velatask
