#pragma once

#include "store/Filter.h"

namespace velatask {

// One node of a filter's tree.
struct Filter::Node {
    enum class Kind { Compare, Between, Text, DatePart, Tagged, And, Or, Not };

    Kind kind = Kind::Compare;
    QString field;
    Op op = Op::Equal;
    Text text = Text::Contains;
    Fold fold = Fold::None;
    DatePart part = DatePart::Year;
    QVariant value;
    QVariant high;
    int set = 0;
    std::int32_t user = 0;
    Filter left;
    Filter right;
};

} // namespace velatask
