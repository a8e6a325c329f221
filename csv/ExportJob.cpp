#include "csv/ExportJob.h"

#include "core/FixedText.h"
#include "store/StandardWarning.h"
#include "store/Store.h"

#include <QDir>

namespace velatask {

namespace {

// Tasks that the category-and-date key leaves out: no category, no date, no time.
bool unkeyed(const ScheduleRecord& r) {
    return r.Date == 0 && r.Time == 0 && FixedText::isBlank(r.Category);
}

} // namespace

ExportJob::ExportJob(Store& store, const QList<ExportField>& fields, bool header)
    : m_store(store), m_builder(fields), m_header(header) {}

ExportJob::~ExportJob() {
    release();
}

void ExportJob::release() {
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
    if (!countTasks()) {
        return false;
    }
    m_phase = Phase::Keyed;
    m_store.SCH.setStart(ScheduleKey::KeyCategoryDate);
    return true;
}

bool ExportJob::countTasks() {
    m_total = 0;
    m_store.SCH.setStart(ScheduleKey::KeyID);
    int code = 0;
    while ((code = m_store.SCH.next()) == 0) {
        ++m_total;
    }
    if (code != StoreCode::NoRecord) {
        StandardWarning(m_store, 35, QStringLiteral("Schedule"));
        return false;
    }
    return true;
}

// The next task in category, date and time order; then those that the key leaves out.
int ExportJob::readNext() {
    ScheduleView& sch = m_store.SCH;
    if (m_phase == Phase::Keyed) {
        const int code = sch.next();
        if (code != StoreCode::NoRecord) {
            return code;
        }
        m_phase = Phase::Unkeyed;
        sch.setStart(ScheduleKey::KeyID);
    }
    if (m_phase == Phase::Unkeyed) {
        int code = 0;
        while ((code = sch.next()) == 0 && !unkeyed(sch.buffer())) {
        }
        if (code != StoreCode::NoRecord) {
            return code;
        }
        m_phase = Phase::Done;
    }
    return StoreCode::NoRecord;
}

ExportJob::Step ExportJob::step(int records) {
    if (!m_open) {
        return Step::Stopped;
    }
    for (int i = 0; i < records; ++i) {
        const int code = readNext();
        if (code == StoreCode::NoRecord) {
            return Step::Finished;
        }
        if (code != 0) {
            StandardWarning(m_store, 35, QStringLiteral("Schedule"));
            release();
            return Step::Stopped;
        }
        m_builder.build(m_store.SCH.buffer(), m_line);
        if (!writeLine(m_line.text())) {
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
