#pragma once

#include "csv/CommitPace.h"
#include "csv/CsvRecordReader.h"
#include "csv/ImportPlan.h"
#include "csv/SliceBudget.h"

#include <memory>
#include <optional>

namespace velatask {

class BatchWriter;
class ImportReadAhead;
class Store;

// The import's batch work, a slice of lines at a time: each line goes into the Schedule record
// buffer through the plan and is added as a new task with the next task number. Added tasks are
// committed through a batch writer of their own, at the end of each slice or at a pace, so a
// cancelled or failed import keeps them and never holds a write of the scheduler. The commits do
// not wait for the disk; the import's end waits until they have reached it. The lines are read
// and split on another thread ahead of the slices (ImportReadAhead): from start() to the end the
// reader is its.
class ImportJob {
public:
    enum class Step { More, Finished, Stopped };

    ImportJob(Store& store, CsvRecordReader& reader, qint64 totalBytes, const ImportPlan& plan);
    ~ImportJob();
    ImportJob(const ImportJob&) = delete;
    ImportJob& operator=(const ImportJob&) = delete;

    // Back to the first line, past the header line when asked. False when the Schedule table
    // could not be opened (the table opener has said why) or the file could not be rewound.
    bool start(bool stripHeader);
    // Adds the tasks of `lines` lines, more batches of them while the slice's time lasts, and
    // commits them; at a pace, a step that commits does only that. Stopped after a failure that
    // a message reported.
    Step step(int lines);
    // The time one step may take; none (the default) makes a step one batch of lines.
    void setSliceMilliseconds(int ms) { m_budget.setMilliseconds(ms); }
    // Keeps the transaction open over the steps and commits it at this pace, in a step of its
    // own, instead of at the end of every step (set before start()).
    void commitAtPace(CommitPace pace = CommitPace()) { m_pace = std::move(pace); }
    // Stops; the tasks added so far stay.
    void cancel();

    qint64 bytesDone() const { return m_bytesDone; }
    qint64 totalBytes() const { return m_totalBytes; }
    // Bytes done * 100 / total, at most 100.
    int percent() const;
    int added() const { return m_added; }
    // The tasks added and committed: they stay whatever happens to the program afterwards, and
    // also after a power loss once the import has ended or was cancelled.
    int committed() const { return m_committed; }

private:
    Step addLines(int lines);
    bool commit();
    Step finishing();
    bool addTask();
    Step cannotRead();
    bool cannotAdd();

    Store& m_store;
    CsvRecordReader& m_reader;
    const ImportPlan& m_plan;
    qint64 m_totalBytes = 0;
    qint64 m_bytesDone = 0;
    int m_added = 0;
    int m_committed = 0;
    std::int32_t m_nextId = 0; // the next task number; 0 = read the highest again
    bool m_open = false;
    QString m_record;
    std::unique_ptr<ImportReadAhead> m_lines;
    std::unique_ptr<BatchWriter> m_batch;
    SliceBudget m_budget;
    std::optional<CommitPace> m_pace;
    bool m_commitNext = false; // the next step commits
    bool m_linesDone = false;  // every line is added; the end waits for the disk
};

} // namespace velatask
