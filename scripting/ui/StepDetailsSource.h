#pragma once

#include "ui/CursorPageSource.h"

namespace velatask {

// The rows of the script list: the steps' fields from a window cursor over Scripting, with the
// "Details" column each row shows added at the end.
class StepDetailsSource : public PageSource {
public:
    // The values of a row.
    enum Value {
        kAction,
        kSequence,
        kKeystrokes,
        kSecondsToWait,
        kFocusOnWindow,
        kDDEType,
        kDDEApplicationName,
        kDDEApplicationTopic,
        kDetails
    };

    explicit StepDetailsSource(Store& store);

    WindowCursor& cursor() { return m_rows.cursor(); }

    int first(int count, Page& out) override { return withDetails(m_rows.first(count, out), out); }
    int last(int count, Page& out) override { return withDetails(m_rows.last(count, out), out); }
    int after(const Row& row, int count, Page& out) override {
        return withDetails(m_rows.after(row, count, out), out);
    }
    int before(const Row& row, int count, Page& out) override {
        return withDetails(m_rows.before(row, count, out), out);
    }
    int from(const Row& row, int count, Page& out) override {
        return withDetails(m_rows.from(row, count, out), out);
    }
    int seek(const QVariantList& values, int count, Page& out) override {
        return withDetails(m_rows.seek(values, count, out), out);
    }
    int reread(std::int64_t position, Row& out) override;
    double fractionOf(const Row& row) override { return m_rows.fractionOf(row); }
    int atFraction(double fraction, int count, Page& out) override {
        return withDetails(m_rows.atFraction(fraction, count, out), out);
    }
    std::uint64_t changeStamp() override { return m_rows.changeStamp(); }

private:
    static int withDetails(int code, Page& page);
    static void addDetails(Row& row);

    CursorPageSource m_rows;
};

} // namespace velatask
