#pragma once

#include <QString>

#include <cstdint>

namespace velatask {

// One tag (table TagFile_): user, tag set, position of the tagged record, a kept value.
struct TagRecord {
    static constexpr int kValWidth = 10;

    std::int32_t Usr = 0;
    std::int16_t Tbl = 0;
    std::int32_t Ptr = 0;
    QString Val;

    bool operator==(const TagRecord&) const = default;
};

} // namespace velatask
