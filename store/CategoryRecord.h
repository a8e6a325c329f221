#pragma once

#include <QString>

namespace velatask {

// One category name (table Categories).
struct CategoryRecord {
    static constexpr int kCategoryWidth = 20;

    QString Category;

    bool operator==(const CategoryRecord&) const = default;
};

} // namespace velatask
