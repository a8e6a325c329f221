// Splits any line with the field reader. The line sits in a buffer of exactly its length, so
// AddressSanitizer stops a read past its end; fields stay within the limits; and what the reader
// found, written again as text fields, reads back the same.
#include "csv/CsvFieldReader.h"
#include "csv/CsvLine.h"
#include "csv/CsvText.h"

#include <QString>

#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

using namespace velatask;

namespace {

// Without the trailing blanks that the writer drops from text fields.
QString withoutTrailingBlanks(QString text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' ')) {
        --n;
    }
    text.truncate(n);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the decoding, as the file reader would: UTF-8 or Latin-1.
    if (size == 0) {
        return 0;
    }
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const auto n = static_cast<qsizetype>(size - 1);
    const QString decoded =
        (data[0] & 1) != 0 ? QString::fromUtf8(bytes, n) : QString::fromLatin1(bytes, n);
    const qsizetype length = decoded.size();
    auto line = std::make_unique<char16_t[]>(std::size_t(length > 0 ? length : 1));
    std::copy(decoded.utf16(), decoded.utf16() + length, line.get());

    std::vector<QString> fields;
    qsizetype chars = 0;
    CsvFieldReader reader(QStringView(line.get(), length));
    CsvField field;
    while (reader.next(field)) {
        check(field.text.size() <= CsvText::kMaxField);
        chars += field.text.size();
        check(chars <= qMin<qsizetype>(length, CsvText::kMaxLine));
        check(qsizetype(fields.size()) <= qMin<qsizetype>(length, CsvText::kMaxLine));
        fields.push_back(field.text);
    }
    check(field.text.isEmpty() && reader.atEnd());

    CsvLine written;
    for (const QString& text : fields) {
        written.append(text, CsvText::PictureClass::String);
    }
    if (written.text().size() >= CsvText::kMaxLine) {
        return 0; // cut by the line limit: the last fields cannot come back whole
    }
    CsvFieldReader again(written.text());
    std::size_t i = 0;
    while (again.next(field)) {
        check(i < fields.size());
        check(field.quoted && field.closed);
        check(field.text == withoutTrailingBlanks(fields[i]));
        ++i;
    }
    check(i == fields.size());
    return 0;
}
