#include "csv/CsvFieldReader.h"
#include "csv/CsvInputFile.h"
#include "csv/CsvRecordReader.h"
#include "csv/ImportPlan.h"
#include "csv/ImportReadAhead.h"

#include <QFile>
#include <QTemporaryDir>

#include "tests/store/StoreTestBase.h" // readable texts in failures

#include <gtest/gtest.h>

using namespace velatask;

namespace {

struct Read {
    QString description;
    std::int32_t every;
    qint64 bytes;
    bool operator==(const Read&) const = default;
};

void PrintTo(const Read& r, std::ostream* os) {
    *os << r.description.toStdString() << "/" << r.every << "/" << r.bytes;
}

class ImportReadAheadTest : public ::testing::Test {
protected:
    // Lines "d<i>",<i>; every third one without its number, so that the value before stays.
    void writeLines(int count) {
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            bytes += QStringLiteral("\"d%1\"").arg(i).toUtf8();
            if (i % 3 != 2) {
                bytes += "," + QByteArray::number(i);
            }
            bytes += i % 2 ? "\r\n" : "\n";
        }
        QFile f(m_dir.filePath(QStringLiteral("lines.csv")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        ASSERT_TRUE(m_file.open(f.fileName()));
        CsvFieldReader first(QStringLiteral("\"d\",1"));
        std::vector<CsvField> fields(2);
        first.next(fields[0]);
        first.next(fields[1]);
        m_plan.setFields(fields);
        m_plan.assign(ScheduleField::indexOf(u"SCH:Description"), 0);
        m_plan.assign(ScheduleField::indexOf(u"SCH:Every"), 1);
    }
    // What reading the lines one after the other on this thread gives.
    std::vector<Read> readHere(ScheduleRecord task) {
        CsvRecordReader reader(m_file);
        std::vector<Read> out;
        QString record;
        qint64 bytes = 0;
        while (reader.read(record, bytes)) {
            m_plan.apply(record, task);
            out.push_back({task.Description, task.Every, bytes});
        }
        return out;
    }

    QTemporaryDir m_dir;
    CsvInputFile m_file;
    ImportPlan m_plan;
};

TEST_F(ImportReadAheadTest, GivesTheLinesInOrderAsReadingThemHereWould) {
    constexpr int kChunk = int(ImportReadAhead::kChunk);
    constexpr int kFull = kChunk * int(ImportReadAhead::kAhead);
    ScheduleRecord first;
    first.Every = -5; // what a line without its number keeps at first
    for (const int count : {0, 1, 2, 3, kChunk - 1, kChunk, kChunk + 1, 2 * kFull + 7}) {
        SCOPED_TRACE(count);
        writeLines(count);
        const std::vector<Read> expected = readHere(first);
        ASSERT_EQ(expected.size(), size_t(count));
        ASSERT_TRUE(m_file.rewind());
        CsvRecordReader reader(m_file);
        ImportReadAhead ahead(reader, m_plan, first);
        std::vector<Read> got;
        while (const ImportReadAhead::Line* line = ahead.next()) {
            got.push_back({line->task.Description, line->task.Every, line->bytes});
        }
        EXPECT_EQ(got, expected);
        EXPECT_EQ(ahead.next(), nullptr); // the end stays the end
        m_file.close();
    }
}

// Going away while the thread waits for room, or is still reading, ends it without the rest.
TEST_F(ImportReadAheadTest, StopsPartWay) {
    writeLines(int(ImportReadAhead::kChunk * ImportReadAhead::kAhead) * 4);
    for (const int taken : {0, 1, 100}) {
        ASSERT_TRUE(m_file.rewind());
        CsvRecordReader reader(m_file);
        {
            ImportReadAhead ahead(reader, m_plan, ScheduleRecord{});
            for (int i = 0; i < taken; ++i) {
                ASSERT_NE(ahead.next(), nullptr);
            }
        }
        // The reader is this thread's again and has not reached the end.
        QString record;
        qint64 bytes = 0;
        EXPECT_TRUE(reader.read(record, bytes)) << taken;
    }
}

} // namespace
