#pragma once

#include <QStringList>

namespace velatask {

class Store;

// The category names in key order, for the drop lists of the task form and the search. They are
// read through a cursor of their own: the shared Categories record is what the category lists and
// the windows that follow them show, and filling a drop list must not move it.
namespace CategoryNames {

// Appends every name to names; 0, or the store code of the read that failed (the names read
// before it stay appended). The Categories table must be open.
int read(Store& store, QStringList& names);

} // namespace CategoryNames
} // namespace velatask
