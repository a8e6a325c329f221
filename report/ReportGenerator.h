#pragma once

#include "report/ReportDocument.h"
#include "report/ReportSource.h"

#include <cstdint>
#include <memory>

namespace velatask {

class Store;

// Builds a report's pages from its records, as the job of the progress window: each slice
// reads up to N records and lays out their detail blocks. A read error shows the standard
// warning and ends the report.
class ReportGenerator {
public:
    ReportGenerator(Store& store, std::unique_ptr<ReportSource> source,
                    std::shared_ptr<const ReportLayout> layout, const PageGeometry& geometry);
    ~ReportGenerator();
    ReportGenerator(const ReportGenerator&) = delete;
    ReportGenerator& operator=(const ReportGenerator&) = delete;

    // Opens the table and counts the records; false when that failed (the user was told).
    bool start();
    // Handles up to `records` records; false once the table is done or reading failed.
    bool slice(int records);
    // Records processed x 100 / records to process.
    int percent() const;
    bool failed() const { return m_failed; }
    bool finished() const { return m_finished; }

    ReportDocument& document() { return *m_document; }
    std::unique_ptr<ReportDocument> takeDocument() { return std::move(m_document); }

private:
    void fail(int code);
    void end();

    Store& m_store;
    std::unique_ptr<ReportSource> m_source;
    std::unique_ptr<ReportDocument> m_document;
    std::vector<QStringList> m_rows;
    std::int64_t m_total = 0;
    std::int64_t m_done = 0;
    bool m_open = false;
    bool m_failed = false;
    bool m_finished = false;
};

} // namespace velatask
