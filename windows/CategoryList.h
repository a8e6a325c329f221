#pragma once

#include <memory>

namespace velatask {

class BrowseWindow;
class PageSource;
class Store;

// What the category lists share: the names in key order from the window's own cursor, the
// highlighted name kept in the shared Categories record, and loading a row into it.
namespace CategoryList {

std::unique_ptr<PageSource> source(Store& store);
void declare(BrowseWindow& window, Store& store);

} // namespace CategoryList
} // namespace velatask
