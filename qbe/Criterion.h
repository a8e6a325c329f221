#pragma once

#include "qbe/FieldKind.h"
#include "qbe/MatchType.h"

#include <QString>
#include <QVariant>

namespace velatask {

// One field's part in a search: the field, its kind, how it is compared and the example value
// (text for text kinds, a whole number for the others), with the upper limit of a range.
struct Criterion {
    QString field;
    FieldKind kind = FieldKind::String;
    MatchType type = MatchType::Ignore;
    QVariant value;
    QVariant upper;

    // A criterion with type Ignore, a type its kind does not offer, or an empty value (blank
    // text, number 0) takes no part. A range takes part when either limit is given, so that
    // "from 0 to 5" is not dropped for its lower limit.
    bool takesPart() const;

    // Blank text, or the number 0.
    static bool isEmptyValue(FieldKind kind, const QVariant& value);
};

} // namespace velatask
