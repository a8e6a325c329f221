#pragma once

#include "store/Store.h"
#include "store/WindowCursor.h"
#include "ui/PageSource.h"

namespace velatask {

// A browse's rows from a store cursor that the window owns.
class CursorPageSource : public PageSource {
public:
    template <class Key>
    CursorPageSource(Store& store, Key order) : m_store(store), m_cursor(store, order) {}

    WindowCursor& cursor() { return m_cursor; }

    int first(int count, Page& out) override { return m_cursor.first(count, out); }
    int last(int count, Page& out) override { return m_cursor.last(count, out); }
    int after(const Row& row, int count, Page& out) override {
        return m_cursor.after(row, count, out);
    }
    int before(const Row& row, int count, Page& out) override {
        return m_cursor.before(row, count, out);
    }
    int from(const Row& row, int count, Page& out) override {
        return m_cursor.from(row, count, out);
    }
    int seek(const QVariantList& values, int count, Page& out) override {
        return m_cursor.seek(values, count, out);
    }
    int reread(std::int64_t position, Row& out) override { return m_cursor.reread(position, out); }
    double fractionOf(const Row& row) override { return m_cursor.fractionOf(row); }
    int atFraction(double fraction, int count, Page& out) override {
        return m_cursor.atFraction(fraction, count, out);
    }
    std::uint64_t changeStamp() override { return m_store.changeCount(); }

private:
    Store& m_store;
    WindowCursor m_cursor;
};

} // namespace velatask
