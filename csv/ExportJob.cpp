#include "csv/ExportJob.h"

#include "csv/ExportReadAhead.h"

#include "store/Connection.h"
#include "store/SqlDialect.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "store/WindowCursor.h"

#include <QDir>

namespace velatask {

namespace {

constexpr int kPage = 250;

} // namespace

ExportJob::ExportJob(Store& store, const QList<ExportField>& fields, bool header)
    : m_store(store), m_builder(fields), m_header(header) {}

ExportJob::~ExportJob() {
    release();
}

void ExportJob::release() {
    m_ahead.reset();
    m_rows = &m_page;
    m_largeRead.reset();
    if (m_open) {
        m_store.SCH.close();
        m_open = false;
    }
}

int ExportJob::fileMessage(const QString& operation, int buttons, int defaultButton) {
    return m_store.ui().messageBox(MessageBoxSpec{
        QStringLiteral("Cannot %1 ").arg(operation) + QDir::toNativeSeparators(m_file.path()),
        m_file.error().message(), Ui::Exclamation, buttons, defaultButton});
}

bool ExportJob::start(const QString& path) {
    if (m_store.holdsFile(path)) {
        m_store.ui().message(CsvFileError::storeFile().message(),
                             QStringLiteral("Cannot CREATE ") + QDir::toNativeSeparators(path),
                             Ui::Exclamation);
        return false;
    }
    if (!m_file.create(path)) {
        fileMessage(QStringLiteral("CREATE"));
        return false;
    }
    if (!m_file.open()) {
        fileMessage(QStringLiteral("OPEN"));
        return false;
    }
    if (m_store.SCH.open() != 0) {
        m_file.close();
        return false;
    }
    m_open = true;
    if (m_header) {
        m_builder.header(m_line);
        if (!writeLine(m_line.text())) {
            return false;
        }
    }
    m_keyed = std::make_unique<ScheduleReader>(m_store, ScheduleKey::KeyCategoryDate);
    // The key leaves out tasks without category, date and time; they come after the others.
    m_unkeyed = std::make_unique<ScheduleReader>(m_store, ScheduleKey::KeyID);
    m_unkeyed->setRecordOrder();
    const Filter unkeyed =
        Filter::compare(QStringLiteral("Category"), Filter::Op::Equal, QStringLiteral("")) &&
        Filter::compare(QStringLiteral("Date"), Filter::Op::Equal, 0) &&
        Filter::compare(QStringLiteral("Time"), Filter::Op::Equal, 0);
    if (m_unkeyed->setFilter(unkeyed) != 0) {
        StandardWarning(m_store, 35, QStringLiteral("Schedule"));
        return false;
    }
    if (!countTasks()) {
        return false;
    }
    m_phase = Phase::Keyed;
    m_page.clear();
    m_rows = &m_page;
    m_at = 0;
    m_lastPage = false;
    if (m_store.dataConnection().dialect().isFile()) {
        m_ahead = std::make_unique<ExportReadAhead>(m_store, unkeyed, kPage);
    } else {
        m_largeRead = std::make_unique<LargeRead>(m_store);
    }
    return true;
}

bool ExportJob::countTasks() {
    WindowCursor all(m_store, ScheduleKey::KeyID);
    all.setRecordOrder();
    std::int64_t n = 0;
    if (all.count(n) != 0) {
        m_store.setLastError(all.error());
        StandardWarning(m_store, 35, QStringLiteral("Schedule"));
        return false;
    }
    m_total = int(n);
    return true;
}

int ExportJob::readPage() {
    m_at = 0;
    if (const int code = reader().next(kPage, m_page); code != 0) {
        return code;
    }
    m_lastPage = int(m_page.size()) < kPage;
    return 0;
}

// Whether there is a next task (the row m_at of the page) in category, date and time order, then
// of those that the key leaves out. False at the end (code NoRecord) or after a failure.
bool ExportJob::readNext(int& code) {
    if (m_ahead) {
        return readAhead(code);
    }
    code = 0;
    while (m_at >= m_page.size()) {
        if (m_phase == Phase::Done) {
            code = StoreCode::NoRecord;
            return false;
        }
        if (m_lastPage) {
            m_phase = m_phase == Phase::Keyed ? Phase::Unkeyed : Phase::Done;
            m_page.clear();
            m_lastPage = false;
            continue;
        }
        if ((code = readPage()) != 0) {
            return false;
        }
    }
    return true;
}

// readNext() from the pages read ahead. False with code 0 where the step ends: where the tasks
// in key order end (the read of those that the key leaves out would begin there), and when the
// next page has not been read within the slice's time.
bool ExportJob::readAhead(int& code) {
    code = 0;
    while (m_at >= m_rows->size()) {
        if (m_phase == Phase::Done) {
            code = StoreCode::NoRecord;
            return false;
        }
        const ExportReadAhead::Page* page = m_ahead->next(m_budget.remainingNs());
        if (!page) {
            return false;
        }
        m_rows = &page->rows;
        m_at = 0;
        if (page->error.code != 0) {
            m_store.setLastError(page->error);
            code = page->error.code;
            return false;
        }
        if (page->keyedEnd) {
            m_phase = Phase::Unkeyed;
            return false;
        }
        if (page->end) {
            m_phase = Phase::Done;
        }
    }
    return true;
}

// A line too long for the limits of characters is made as the record's line, which they cut.
bool ExportJob::writeTask(size_t row) {
    if (m_builder.build(*m_rows, row, m_bytes)) {
        return m_file.writeLine(m_bytes.bytes()) || retryWrite();
    }
    m_rows->record(row, m_record);
    m_builder.build(m_record, m_line);
    return writeLine(m_line.text());
}

ExportJob::Step ExportJob::step(int records) {
    if (!m_open) {
        return Step::Stopped;
    }
    m_budget.start();
    m_sliceEnds = false;
    Step result = Step::More;
    do {
        result = writeTasks(records);
    } while (result == Step::More && !m_sliceEnds && m_budget.anotherBatch());
    return result;
}

ExportJob::Step ExportJob::writeTasks(int records) {
    for (int i = 0; i < records; ++i) {
        if (m_phase == Phase::Keyed && m_lastPage && m_at >= m_page.size()) {
            // The tasks the key leaves out are found by reading through the whole table, which
            // takes much of a slice: that read begins the next one.
            m_phase = Phase::Unkeyed;
            m_page.clear();
            m_at = 0;
            m_lastPage = false;
            m_sliceEnds = true;
            return Step::More;
        }
        int code = 0;
        if (!readNext(code) && code == 0) {
            m_sliceEnds = true;
            return Step::More;
        }
        if (code == StoreCode::NoRecord) {
            return Step::Finished;
        }
        if (code != 0) {
            StandardWarning(m_store, 35, QStringLiteral("Schedule"));
            release();
            return Step::Stopped;
        }
        if (!writeTask(m_at++)) {
            release();
            return Step::Stopped;
        }
        ++m_done;
    }
    return Step::More;
}

// Writes a line; a failure asks whether to write it again.
bool ExportJob::writeLine(const QString& line) {
    return m_file.writeLine(line) || retryWrite();
}

// "Cannot ADD to": Retry writes what failed once more, Abort gives it up. True once written.
bool ExportJob::retryWrite() {
    for (;;) {
        if (fileMessage(QStringLiteral("ADD to"), Ui::Retry | Ui::Abort, Ui::Abort) != Ui::Retry) {
            m_file.discard();
            return false;
        }
        if (m_file.flush()) {
            return true;
        }
    }
}

bool ExportJob::finish() {
    release();
    if (!m_file.isOpen()) {
        return true;
    }
    if (!m_file.flush()) {
        retryWrite();
    }
    if (!m_file.close()) {
        fileMessage(QStringLiteral("CLOSE"));
        return false;
    }
    return true;
}

int ExportJob::percent() const {
    if (m_total <= 0) {
        return 100;
    }
    return int(qMin<qint64>(100, qint64(m_done) * 100 / m_total));
}

} // namespace velatask
