#include "scripting/KeyNameTable.h"

#include <gtest/gtest.h>

using velatask::KeyNameTable;

namespace {

std::uint16_t codeOf(const char* name) {
    return KeyNameTable::instance().code(QString::fromLatin1(name)).value_or(0xFFFF);
}

bool has(const QString& name) {
    return KeyNameTable::instance().code(name).has_value();
}

} // namespace

TEST(KeyNameTable, HoldsExactly623Names) {
    EXPECT_EQ(KeyNameTable::instance().size(), 623);
}
