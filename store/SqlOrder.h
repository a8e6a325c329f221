#pragma once

#include <QVariant>

namespace velatask {

// Compares stored values in the order SQLite sorts them: NULL, then numbers, then text (by its
// UTF-8 bytes; with `noCase` the ASCII letters fold as the NOCASE collation folds them), then
// blobs. Lets the store place a row among rows it read earlier without asking the file.
namespace SqlOrder {

int compare(const QVariant& a, const QVariant& b, bool noCase);

} // namespace SqlOrder
} // namespace velatask
