#include "qbe/Criterion.h"

#include "core/FixedText.h"

namespace velatask {

bool Criterion::isEmptyValue(FieldKind kind, const QVariant& value) {
    if (FieldKinds::isText(kind)) {
        return FixedText::isBlank(value.toString());
    }
    return value.toLongLong() == 0;
}

bool Criterion::takesPart() const {
    if (type == MatchType::Ignore || !FieldKinds::offers(kind, type)) {
        return false;
    }
    if (MatchTypes::isRange(type)) {
        return !isEmptyValue(kind, value) || !isEmptyValue(kind, upper);
    }
    return !isEmptyValue(kind, value);
}

} // namespace velatask
