#pragma once

#include "ui/PageSource.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace velatask {

// Rows in memory, keyed by one number and ordered by it: the browse tests' page source. A
// scripted code makes the next reads fail.
class VectorPageSource : public PageSource {
public:
    explicit VectorPageSource(int rows) {
        for (int i = 0; i < rows; ++i) {
            add(i * 10);
        }
    }

    void add(int key) {
        Row r;
        r.position = ++m_lastPosition;
        r.key = {key};
        m_rows.insert(std::upper_bound(m_rows.begin(), m_rows.end(), r, less), r);
        ++m_stamp;
    }
    void removeKey(int key) {
        std::erase_if(m_rows, [key](const Row& r) { return r.key.at(0).toInt() == key; });
        ++m_stamp;
    }
    std::size_t size() const { return m_rows.size(); }
    void failWith(int code) { m_fail = code; }
    int reads = 0;
    int fractionAsks = 0;

    int first(int count, Page& out) override { return slice(0, count, out); }
    int last(int count, Page& out) override {
        return slice(std::max(0, int(m_rows.size()) - count), count, out);
    }
    int after(const Row& row, int count, Page& out) override {
        return slice(
            int(std::upper_bound(m_rows.begin(), m_rows.end(), row, less) - m_rows.begin()), count,
            out);
    }
    int before(const Row& row, int count, Page& out) override {
        const int end =
            int(std::lower_bound(m_rows.begin(), m_rows.end(), row, less) - m_rows.begin());
        const int start = std::max(0, end - count);
        return slice(start, end - start, out);
    }
    int from(const Row& row, int count, Page& out) override {
        return slice(
            int(std::lower_bound(m_rows.begin(), m_rows.end(), row, less) - m_rows.begin()), count,
            out);
    }
    int seek(const QVariantList& values, int count, Page& out) override {
        Row probe;
        probe.key = {values.at(0).toInt()};
        return from(probe, count, out);
    }
    int reread(std::int64_t position, Row& out) override {
        if (m_fail) {
            return m_fail;
        }
        for (const Row& r : m_rows) {
            if (r.position == position) {
                out = r;
                out.values = {r.key.at(0), QStringLiteral("row %1").arg(r.key.at(0).toInt())};
                return 0;
            }
        }
        return 35;
    }
    double fractionOf(const Row& row) override {
        ++fractionAsks;
        const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), row, less);
        return m_rows.empty() ? 0.0 : double(at - m_rows.begin()) / double(m_rows.size());
    }
    int atFraction(double fraction, int count, Page& out) override {
        return slice(int(fraction * double(m_rows.size())), count, out);
    }
    std::uint64_t changeStamp() override { return m_stamp; }

private:
    static bool less(const Row& a, const Row& b) {
        const int ka = a.key.at(0).toInt();
        const int kb = b.key.at(0).toInt();
        return ka != kb ? ka < kb : a.position < b.position;
    }
    int slice(int start, int count, Page& out) {
        ++reads;
        out.clear();
        if (m_fail) {
            return m_fail;
        }
        start = std::clamp(start, 0, int(m_rows.size()));
        const int end = std::min(int(m_rows.size()), start + std::max(0, count));
        out.assign(m_rows.begin() + start, m_rows.begin() + end);
        for (Row& r : out) {
            const int key = r.key.at(0).toInt();
            r.values = {key, QStringLiteral("row %1").arg(key)};
        }
        return 0;
    }

    std::vector<Row> m_rows;
    std::int64_t m_lastPosition = 0;
    std::uint64_t m_stamp = 1;
    int m_fail = 0;
};

} // namespace velatask
