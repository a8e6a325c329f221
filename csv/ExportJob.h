#pragma once

#include "core/Ui.h"
#include "store/ScheduleReader.h"
#include "store/StoredRows.h"

#include "csv/CsvLine.h"
#include "csv/CsvOutputFile.h"
#include "csv/ExportLineBuilder.h"
#include "csv/SliceBudget.h"
#include <memory>

namespace velatask {

class ExportReadAhead;
class LargeRead;
class Store;

// The export's batch work: creates the file, writes the header line when asked, then a slice of
// tasks at a time in category, date and time order, one line each. The tasks are read as stored
// rows, whose texts go to the file as the file holds them; from a file they are read on another
// thread (ExportReadAhead) while the slices write the lines.
class ExportJob {
public:
    enum class Step { More, Finished, Stopped };

    ExportJob(Store& store, const QList<ExportField>& fields, bool header);
    ~ExportJob();
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;

    // Creates (replacing) and opens the file and writes the header. False after a message.
    bool start(const QString& path);
    // Writes `records` tasks, more batches of them while the slice's time lasts. Stopped after a
    // failure that a message reported.
    Step step(int records);
    // The time one step may take; none (the default) makes a step one batch of tasks.
    void setSliceMilliseconds(int ms) { m_budget.setMilliseconds(ms); }
    // Writes out what is buffered and closes the file; false after a message. Also what
    // "Cancel" does: the lines written so far stay.
    bool finish();

    int total() const { return m_total; }
    int done() const { return m_done; }
    // Tasks done * 100 / all tasks, at most 100.
    int percent() const;

private:
    enum class Phase { Keyed, Unkeyed, Done };
    Step writeTasks(int records);
    bool countTasks();
    bool readNext(int& code);
    bool readAhead(int& code);
    bool writeTask(size_t row);
    int readPage();
    ScheduleReader& reader() { return m_phase == Phase::Keyed ? *m_keyed : *m_unkeyed; }
    bool writeLine(const QString& line);
    bool retryWrite();
    int fileMessage(const QString& operation, int buttons = Ui::Ok, int defaultButton = 0);
    void release();

    Store& m_store;
    ExportLineBuilder m_builder;
    bool m_header;
    CsvOutputFile m_file;
    CsvLine m_line;
    CsvByteLine m_bytes;
    ScheduleRecord m_record;                   // a row whose line is built from its record
    std::unique_ptr<ScheduleReader> m_keyed;   // tasks in category, date and time order
    std::unique_ptr<ScheduleReader> m_unkeyed; // those that key leaves out
    StoredRows m_page;
    const StoredRows* m_rows = &m_page; // the page the lines come from
    size_t m_at = 0;                    // its next row
    std::unique_ptr<ExportReadAhead> m_ahead;
    bool m_lastPage = false;
    Phase m_phase = Phase::Keyed;
    int m_total = 0;
    int m_done = 0;
    bool m_open = false;
    bool m_sliceEnds = false;               // the step ends before another batch
    std::unique_ptr<LargeRead> m_largeRead; // while the Schedule is open: more pages kept
    SliceBudget m_budget;
};

} // namespace velatask
