#pragma once

#include "qbe/Criterion.h"

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace velatask {

// A stretch of a key's order, by the key's first component, that a scan reads from its start
// until the first record outside it: numbers from `from` to `last`, or text that begins with
// `prefix` (ASCII letters in either case, as the key orders them).
struct KeyRegion {
    QVariant from; // the value the key is positioned at
    bool text = false;
    qint64 last = 0;
    QString prefix;

    bool contains(const QVariant& firstComponent) const;
    // A value after every key of the region, for estimates of its size.
    QVariant beyond() const;

    // The regions of a key led by the criterion's field that together hold every record the
    // criterion matches, in key order; none (nullopt) when the criterion cannot narrow a scan.
    // A key leaves out records whose components are all empty, so a criterion that an empty
    // value satisfies never narrows. Text keys order by ASCII letters without case while the
    // criterion folds all of Unicode and passes over leading blanks: equals and begins-with
    // therefore also read the values that start with a blank, and after each leading part of
    // the example the values that go on with a character beyond ASCII.
    static std::optional<std::vector<KeyRegion>> of(const Criterion& criterion);
};

} // namespace velatask
