#include "report/ReportGenerator.h"

#include "store/StandardWarning.h"
#include "store/Store.h"

#include <algorithm>

namespace velatask {

ReportGenerator::ReportGenerator(Store& store, std::unique_ptr<ReportSource> source,
                                 std::shared_ptr<const ReportLayout> layout,
                                 const PageGeometry& geometry)
    : m_store(store), m_source(std::move(source)),
      m_document(std::make_unique<ReportDocument>(std::move(layout), geometry)) {}

ReportGenerator::~ReportGenerator() {
    end();
}

void ReportGenerator::end() {
    if (m_open) {
        m_source->close();
        m_open = false;
    }
}

void ReportGenerator::fail(int code) {
    end();
    m_failed = true;
    if (m_store.lastError().code != code) {
        m_store.setLastError(makeStoreError(code));
    }
    StandardWarning(m_store, 35, m_source->tableName());
}

bool ReportGenerator::start() {
    m_open = m_source->open();
    if (!m_open) {
        m_failed = true;
        return false;
    }
    if (const int code = m_source->count(m_total); code != 0) {
        fail(code);
        return false;
    }
    return true;
}

bool ReportGenerator::slice(int records) {
    if (!m_open) {
        return false;
    }
    m_rows.clear();
    const int code = m_source->read(records, m_rows);
    for (QStringList& values : m_rows) {
        m_document->addBlock(std::move(values));
    }
    m_done += std::int64_t(m_rows.size());
    if (code == StoreCode::NoRecord) {
        m_finished = true;
        end();
        return false;
    }
    if (code != 0) {
        fail(code);
        return false;
    }
    return true;
}

int ReportGenerator::percent() const {
    if (m_finished) {
        return 100;
    }
    return m_total <= 0 ? 0 : int(std::clamp<std::int64_t>(m_done * 100 / m_total, 0, 100));
}

} // namespace velatask
