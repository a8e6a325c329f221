#include "csv/ImportJob.h"

#include "core/FixedText.h"
#include "csv/ImportReadAhead.h"
#include "scheduler/ErrorText.h"
#include "store/BatchWriter.h"
#include "store/StandardWarning.h"
#include "store/Store.h"

#include <QDir>

namespace velatask {

namespace {

const QString kSchedule = QStringLiteral("Schedule");

} // namespace

ImportJob::ImportJob(Store& store, CsvRecordReader& reader, qint64 totalBytes,
                     const ImportPlan& plan)
    : m_store(store), m_reader(reader), m_plan(plan), m_totalBytes(totalBytes) {}

ImportJob::~ImportJob() {
    cancel();
}

bool ImportJob::start(bool stripHeader) {
    m_lines.reset();
    if (!m_open) {
        if (m_store.SCH.open() != 0) {
            return false;
        }
        m_open = true;
    }
    m_batch = std::make_unique<BatchWriter>(m_store);
    // The commits do not wait for the disk: a killed program keeps them, a power loss may take
    // the last ones until the end of the import (or its cancel) has seen them reach the disk.
    // The scheduler's own commits sync as always.
    m_batch->deferSync(true);
    m_bytesDone = 0;
    m_added = 0;
    m_committed = 0;
    m_commitNext = false;
    m_linesDone = false;
    if (!m_reader.rewind()) {
        cannotRead();
        cancel();
        return false;
    }
    if (stripHeader) {
        qint64 bytes = 0;
        m_reader.read(m_record, bytes);
        m_bytesDone += bytes;
    }
    m_lines = std::make_unique<ImportReadAhead>(m_reader, m_plan, m_store.SCH.buffer());
    return true;
}

void ImportJob::cancel() {
    m_lines.reset();
    if (m_batch && m_batch->slicePending()) {
        commit(); // the tasks added so far stay
    }
    m_batch.reset(); // waits until the commits have reached the disk
    if (m_open) {
        m_store.SCH.close();
        m_open = false;
    }
}

int ImportJob::percent() const {
    if (m_totalBytes <= 0) {
        return 100;
    }
    return int(qMin<qint64>(100, m_bytesDone * 100 / m_totalBytes));
}

ImportJob::Step ImportJob::step(int lines) {
    if (!m_open) {
        return Step::Stopped;
    }
    if (m_commitNext) {
        // Writing out many changed pages takes a slice's time: a slice of its own.
        m_commitNext = false;
        if (!commit()) {
            cancel();
            return Step::Stopped;
        }
        return Step::More;
    }
    if (m_linesDone) {
        return finishing();
    }
    m_budget.start();
    const bool begins = !m_batch->sliceOpen();
    if (m_batch->beginSlice() != 0) {
        cannotAdd();
        cancel();
        return Step::Stopped;
    }
    if (begins && m_pace) {
        m_pace->began();
    }
    m_nextId = 0; // others may have added tasks since the last slice
    Step result = Step::More;
    do {
        result = addLines(lines);
    } while (result == Step::More && m_budget.anotherBatch());
    if (result == Step::Stopped) {
        cancel(); // what was added stays
        return result;
    }
    m_linesDone = result == Step::Finished;
    if (m_pace) {
        m_commitNext = m_linesDone || m_pace->commitDue();
        return Step::More;
    }
    if (!commit()) {
        cancel();
        return Step::Stopped;
    }
    return m_linesDone ? finishing() : Step::More;
}

bool ImportJob::commit() {
    if (m_batch->commitSlice() != 0) {
        return cannotAdd();
    }
    m_committed = m_added;
    return true;
}

// Every task is committed: the import ends once the commits have reached the disk. A step waits
// a little for that, so that the window's timer does not spin.
ImportJob::Step ImportJob::finishing() {
    constexpr int kWaitMs = 20;
    if (m_batch->syncPending(kWaitMs)) {
        return Step::More;
    }
    const bool synced = m_batch->syncCommitted() == 0;
    if (!synced) {
        cannotAdd();
    }
    cancel();
    return synced ? Step::Finished : Step::Stopped;
}

ImportJob::Step ImportJob::addLines(int lines) {
    for (int i = 0; i < lines; ++i) {
        const ImportReadAhead::Line* line = m_lines->next();
        if (!line) {
            return m_reader.error().ok() ? Step::Finished : cannotRead();
        }
        m_bytesDone += line->bytes;
        m_store.SCH.buffer() = line->task;
        if (!addTask()) {
            return Step::Stopped;
        }
    }
    return Step::More;
}

// A file that fails part way is not finished: the tasks before the failure stay, and the user
// learns that the rest was not read.
ImportJob::Step ImportJob::cannotRead() {
    m_store.ui().message(m_reader.error().message(),
                         QStringLiteral("Cannot READ ") + QDir::toNativeSeparators(m_reader.path()),
                         Ui::Exclamation);
    return Step::Stopped;
}

bool ImportJob::cannotAdd() {
    const StoreError& e = m_store.lastError();
    m_store.ui().message(
        CsvText::errorMessage(e.code == StoreCode::DriverError ? e.driverCode : e.code,
                              errorText(e)),
        QStringLiteral("Cannot ADD to Schedule!"), Ui::Exclamation);
    return false;
}

// A new task number by the forms' rule: the highest number plus 1, tried again while another
// writer takes that number first; after three collisions in a row the user decides. The highest
// number is read once per slice: the slice's transaction keeps other writers out meanwhile, so
// counting on from it gives the numbers that reading it for every task would.
bool ImportJob::addTask() {
    ScheduleRecord& task = m_store.SCH.buffer();
    // Imported history copies become disabled tasks that are not completed.
    task.Completed = 0;
    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (m_nextId == 0) {
                std::int32_t highest = 0;
                if (m_batch->highestTaskNumber(highest) != 0) {
                    StandardWarning(m_store, 35, kSchedule);
                    return false;
                }
                m_nextId = highest + 1;
            }
            task.ID = m_nextId;
            const int added = m_batch->add(task);
            if (added == 0) {
                ++m_nextId;
                ++m_added;
                return true;
            }
            m_nextId = 0;
            if (added != StoreCode::DuplicateKey) {
                return cannotAdd();
            }
        }
        if (StandardWarning(m_store, 25) != Ui::Retry) {
            return cannotAdd();
        }
    }
}

} // namespace velatask
