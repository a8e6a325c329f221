#include "qbe/QbeRun.h"

#include "qbe/QbeScan.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "store/Tags.h"

#include <vector>

namespace velatask {

QbeRun::QbeRun(Store& store, QbeScan& scan, Tags& tags, int set, Action action, QString tableName)
    : m_store(store), m_scan(scan), m_tags(tags), m_set(set), m_action(action),
      m_tableName(std::move(tableName)) {}

bool QbeRun::start() {
    m_found = 0;
    m_current = 0;
    m_failed = false;
    if (const int code = m_scan.start(); code != 0) {
        fail(code);
        return false;
    }
    return true;
}

bool QbeRun::atEnd() const {
    return m_scan.atEnd();
}

int QbeRun::percent() const {
    return m_scan.percent();
}

void QbeRun::fail(int code) {
    m_failed = true;
    if (m_store.lastError().code != code) {
        m_store.setLastError(makeStoreError(code));
    }
    StandardWarning(m_store, 35, m_tableName);
}

bool QbeRun::slice(int rows) {
    if (m_failed || m_scan.atEnd()) {
        return false;
    }
    std::vector<std::int64_t> matches;
    const bool edit = m_action == Action::Edit;
    if (const int code = m_scan.read(rows, matches, edit ? 1 : kTagsPerSlice); code != 0) {
        fail(code);
        return false;
    }
    std::vector<std::int32_t> positions;
    for (std::int64_t position : matches) {
        ++m_found;
        m_current = position;
        positions.push_back(std::int32_t(position));
    }
    if (m_action == Action::Select) {
        m_tags.SetTags_(m_set, positions);
    } else if (m_action == Action::Unselect) {
        m_tags.ClrTags_(m_set, positions);
    }
    return !m_scan.atEnd() && !(edit && !matches.empty());
}

} // namespace velatask
