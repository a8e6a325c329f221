#include "store/ScheduleReader.h"
#include "RawSqlite.h"
#include "StoreTestBase.h"
#include "store/RecordCodec.h"
#include "store/StoredRows.h"
#include "store/TableDef.h"
#include "store/Transaction.h"
#include "store/WindowCursor.h"
#include "tests/csv/RandomTask.h"

#include <map>
#include <vector>

namespace velatask {
namespace {

class ScheduleReaderTest : public StoreTestBase {
protected:
    // Replaces Schedule by a table that allows NULL, as another tool may have made it, and adds
    // rows given as SQL value lists of every column after ID.
    void writeAsAnotherTool(const QStringList& rows) {
        const TableDef& schedule = TableDef::schedule();
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.remake(schedule, true)) << raw.lastError().toStdString();
        for (int i = 0; i < rows.size(); ++i) {
            ASSERT_TRUE(raw.exec(
                QStringLiteral("INSERT INTO Schedule VALUES (%1, %2)").arg(i + 1).arg(rows[i])))
                << rows[i].toStdString() << ": " << raw.lastError().toStdString();
        }
    }

    // Every record in pages of `size`, read from the engine or through the driver, as records or
    // as stored rows (whose texts must be the UTF-8 of their record's).
    static std::vector<ScheduleRecord> readAll(Store& store, ScheduleKey key, bool recordOrder,
                                               bool driver, int size, bool rows) {
        ScheduleReader reader(store, key);
        if (recordOrder) {
            reader.setRecordOrder();
        }
        reader.setDriverReads(driver);
        std::vector<ScheduleRecord> all;
        std::vector<ScheduleRecord> page;
        StoredRows stored;
        do {
            if (!rows) {
                EXPECT_EQ(reader.next(size, page), 0) << reader.error().driverText.toStdString();
                all.insert(all.end(), page.begin(), page.end());
                continue;
            }
            EXPECT_EQ(reader.next(size, stored), 0) << reader.error().driverText.toStdString();
            page.resize(stored.size());
            for (size_t r = 0; r < stored.size(); ++r) {
                stored.record(r, page[r]);
                const QVariantList values = RecordCodec::toRow(page[r], TableDef::schedule());
                for (int c = 0; c < stored.columns(); ++c) {
                    if (TableDef::schedule().columns[size_t(c)].type == ColumnType::Text) {
                        EXPECT_EQ(stored.text(r, c).toByteArray(), values[c].toString().toUtf8())
                            << "column " << c;
                    }
                }
            }
            all.insert(all.end(), page.begin(), page.end());
        } while (int(page.size()) == size && all.size() < 1000);
        return all;
    }

    // Every record as a window's cursor reads it, all columns chosen.
    static std::vector<ScheduleRecord> readByCursor(Store& store, ScheduleKey key,
                                                    bool recordOrder) {
        WindowCursor cursor(store, key);
        if (recordOrder) {
            cursor.setRecordOrder();
        }
        QStringList all;
        for (const ColumnDef& c : TableDef::schedule().columns) {
            all << c.name;
        }
        EXPECT_EQ(cursor.setColumns(all), 0);
        std::vector<ScheduleRecord> out;
        WindowCursor::Page page;
        EXPECT_EQ(cursor.first(1000, page), 0);
        for (const WindowCursor::Row& row : page) {
            out.emplace_back();
            cursor.toRecord(row, out.back());
        }
        return out;
    }

    // The three ways agree on every order and page size.
    void expectSameRecords(Store& store, size_t rows) {
        for (ScheduleKey key : {ScheduleKey::KeyCategoryDate, ScheduleKey::KeyID}) {
            for (bool recordOrder : {false, true}) {
                SCOPED_TRACE(int(key) * 10 + int(recordOrder));
                const std::vector<ScheduleRecord> expected = readByCursor(store, key, recordOrder);
                if (!recordOrder && key == ScheduleKey::KeyCategoryDate) {
                    EXPECT_LE(expected.size(), rows) << "the key leaves out empty ones";
                } else {
                    EXPECT_EQ(expected.size(), rows);
                }
                for (int size : {1, 2, 7, 500}) {
                    for (int way = 0; way < 4; ++way) {
                        const bool driver = way & 1;
                        const bool stored = way & 2;
                        SCOPED_TRACE(size * 10 + way);
                        const std::vector<ScheduleRecord> got =
                            readAll(store, key, recordOrder, driver, size, stored);
                        ASSERT_EQ(got.size(), expected.size());
                        for (size_t i = 0; i < got.size(); ++i) {
                            EXPECT_EQ(got[i], expected[i]) << "record " << expected[i].ID;
                        }
                    }
                }
            }
        }
    }
};

// Tasks that the store wrote itself: texts with quotes, non-ASCII letters and line breaks.
TEST_F(ScheduleReaderTest, StoredTasksReadAsAWindowReadsThem) {
    ASSERT_EQ(store().SCH.open(), 0);
    RandomTask random(11);
    Transaction tx(store());
    ASSERT_EQ(tx.begin(), 0);
    for (int i = 1; i <= 60; ++i) {
        store().SCH.buffer() = random.next();
        store().SCH.buffer().ID = i;
        if (i % 9 == 0) { // left out by the key
            store().SCH.buffer().Category.clear();
            store().SCH.buffer().Date = 0;
            store().SCH.buffer().Time = 0;
        }
        ASSERT_EQ(store().SCH.add(), 0);
    }
    ASSERT_EQ(tx.commit(), 0);
    expectSameRecords(store(), 60);
}

// Rows written by another tool hold anything: every way of reading gives the same record.
TEST_F(ScheduleReaderTest, RowsOfAnotherToolReadTheSameOnEveryPath) {
    struct Hostile {
        const char* what;
        QString values; // the columns after ID, in declared order
    };
    // A row whose columns are NULL but those given by position (1 = TaskType, ... 35 =
    // Message).
    auto row = [](std::map<int, QString> set) {
        QStringList v;
        for (int c = 1; c < int(TableDef::schedule().columns.size()); ++c) {
            v << (set.count(c) ? set[c] : QStringLiteral("NULL"));
        }
        return v.join(", ");
    };
    const int category = 2;
    const int description = 3;
    const int command = 4;
    const int path = 5;
    const int date = 21;
    const int time = 22;
    const int advanceWarned = 30;
    const int disabled = 33;
    const int message = 35;
    const std::vector<Hostile> rows{
        {"every column NULL", row({})},
        {"over-long texts and a long memo",
         row({{category, "'" + QString(30, 'c') + "'"},
              {description, "'  lead and trail   " + QString(40, 'd') + "'"},
              {message, "'" + QString(1500, 'm') + "'"}})},
        {"numbers out of range",
         row({{date, "5000000000"}, {time, "-5"}, {advanceWarned, "300"}, {disabled, "7"}})},
        {"texts in number columns", row({{date, "'noon'"}, {time, "'12'"}, {disabled, "' 1'"}})},
        {"reals in number columns", row({{date, "3.7"}, {time, "1e20"}, {disabled, "0.2"}})},
        {"numbers in text columns", row({{category, "42"}, {description, "1.5"}})},
        {"bytes in text columns",
         row({{category, "X'41FF42'"}, {description, "X'C3A9'"}, {message, "X''"}})},
        {"invalid UTF-8 text", row({{command, "CAST(X'C328' AS TEXT)"},
                                    {description, "CAST(X'EDA080' AS TEXT)"},
                                    {message, "CAST(X'61F0908D' AS TEXT)"}})},
        {"byte order mark, zero and replacement character",
         row({{command, "CAST(X'EFBBBF41' AS TEXT)"},
              {description, "CAST(X'410042' AS TEXT)"},
              {message, "CAST(X'EFBFBD' AS TEXT)"}})},
        {"a surrogate pair cut by the width",
         row({{category, "'" + QString(19, 'x') + QString::fromUcs4(U"\U0001F600") + "'"},
              {date, "7"},
              {time, "7"}})},
        {"blanks before a surrogate pair that the width cuts, and before the width",
         row({{category, "'" + QString(17, 'x') + "  " + QString::fromUcs4(U"\U0001F600") + "'"},
              {description, "'" + QString(38, 'd') + "   " + QString(5, 'e') + "'"},
              {command, "'" + QString::fromUcs4(U"\U0001F600 \u00e9\u20ac") + "   '"},
              {date, "8"}})},
        {"noncharacters, overlong forms and a sequence past the last character",
         row({{command, "CAST(X'EFBFBEEFBFBF' AS TEXT)"},
              {path, "CAST(X'C080' AS TEXT)"},
              {description, "CAST(X'F4908080' AS TEXT)"},
              {message, "CAST(X'E09FBF' AS TEXT)"}})},
        {"blank texts", row({{category, "'   '"}, {description, "''"}, {date, "1"}})},
        {"key texts that UTF-16 does not carry back",
         row({{category, "CAST(X'EFBBBF41' AS TEXT)"}, {date, "2"}})},
        {"invalid UTF-8 key text", row({{category, "CAST(X'C328' AS TEXT)"}, {date, "2"}})},
        {"the same again, later in record order",
         row({{category, "CAST(X'C328' AS TEXT)"}, {date, "2"}})},
    };
    ASSERT_EQ(store().SCH.open(), 0); // makes the file
    QStringList values;
    for (const Hostile& h : rows) {
        values << h.values;
    }
    writeAsAnotherTool(values);
    ScriptedUi otherUi;
    Store reader(m_dir.path(), otherUi);
    ASSERT_EQ(reader.SCH.open(), 0);
    expectSameRecords(reader, rows.size());
}

// A file that another tool made with UTF-16 texts reads as the windows read it.
TEST_F(ScheduleReaderTest, AFileOfUtf16TextsReadsTheSameOnEveryPath) {
    {
        RawSqlite raw(dataFile());
        ASSERT_TRUE(raw.exec(QStringLiteral("PRAGMA encoding = 'UTF-16le'")));
        ASSERT_TRUE(raw.remake(TableDef::schedule(), false)) << raw.lastError().toStdString();
    }
    ASSERT_EQ(store().SCH.open(), 0);
    RandomTask random(5);
    for (int i = 1; i <= 20; ++i) {
        store().SCH.buffer() = random.next();
        store().SCH.buffer().ID = i;
        store().SCH.buffer().Description =
            QString::fromUcs4(U"\u00e9t\u00e9 \U0001F600 ") + QString::number(i);
        ASSERT_EQ(store().SCH.add(), 0);
    }
    EXPECT_EQ(RawSqlite(dataFile()).value(QStringLiteral("PRAGMA encoding")).toString(),
              QStringLiteral("UTF-16le"));
    expectSameRecords(store(), 20);
}

// A reader that reached the end goes on with the records added after its last one.
TEST_F(ScheduleReaderTest, RecordsAddedAfterTheEndAreReadNext) {
    ASSERT_EQ(store().SCH.open(), 0);
    for (int i = 1; i <= 3; ++i) {
        ASSERT_EQ(addTask(store().SCH, task(i, "Work", "t", 100 + i, 1)), 0);
    }
    for (bool driver : {false, true}) {
        ScheduleReader reader(store(), ScheduleKey::KeyCategoryDate);
        reader.setDriverReads(driver);
        std::vector<ScheduleRecord> page;
        ASSERT_EQ(reader.next(10, page), 0);
        ASSERT_LT(page.size(), 10u);
        ASSERT_EQ(reader.next(10, page), 0);
        EXPECT_TRUE(page.empty());
        const int id = driver ? 11 : 10;
        ASSERT_EQ(addTask(store().SCH, task(id, "Work", "t", 200, 1)), 0);
        ASSERT_EQ(addTask(store().SCH, task(id + 10, "Home", "t", 200, 1)), 0); // before
        ASSERT_EQ(reader.next(10, page), 0);
        ASSERT_EQ(page.size(), 1u) << "what lies after the last one read";
        EXPECT_EQ(page.back().ID, id);
    }
}

// A tag condition belongs to a window's cursor; an unknown field is refused.
TEST_F(ScheduleReaderTest, FiltersItCannotReadAreRefused) {
    ASSERT_EQ(store().SCH.open(), 0);
    ScheduleReader reader(store(), ScheduleKey::KeyID);
    EXPECT_EQ(reader.setFilter(Filter::taggedIn(1)), StoreCode::DriverError);
    EXPECT_EQ(reader.setFilter(Filter::compare("Priority", Filter::Op::Equal, 1)),
              StoreCode::DriverError);
    ASSERT_EQ(reader.setFilter(Filter::compare("Date", Filter::Op::Equal, 101)), 0);
    ASSERT_EQ(addTask(store().SCH, task(1, "Work", "t", 100, 1)), 0);
    ASSERT_EQ(addTask(store().SCH, task(2, "Work", "t", 101, 1)), 0);
    std::vector<ScheduleRecord> page;
    ASSERT_EQ(reader.next(5, page), 0);
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page.front().ID, 2);
}

} // namespace
} // namespace velatask

namespace velatask {
namespace {

// UTF-8 that reads as it is, wherever it lies among ASCII bytes: what the decoder reads without a
// fault, less U+FFFE and U+FFFF.
TEST(StoredRows, TellsTextThatReadsAsItIs) {
    const struct {
        const char* hex;
        bool reads;
    } cases[] = {
        {"", true},          {"41", true},           {"C3A9", true},         {"E282AC", true},
        {"F09F9880", true},  {"F48FBFBF", true},     {"EFBFBD", true},       {"EFBBBF", true},
        {"EFB790", true},    {"EFBFBE", false},      {"EFBFBF", false},      {"C080", false},
        {"C1BF", false},     {"E09FBF", false},      {"EDA080", false},      {"F08F8080", false},
        {"F4908080", false}, {"F5808080", false},    {"FF", false},          {"80", false},
        {"C3", false},       {"E282", false},        {"F09F98", false},      {"C341", false},
        {"E2C3A9AC", false}, {"C3A9C3A9C3A9", true}, {"41C3A941C3A9", true},
    };
    for (const auto& c : cases) {
        const QByteArray middle = QByteArray::fromHex(c.hex);
        for (int before : {0, 1, 7, 8, 9, 15}) {
            for (int after : {0, 3, 8}) {
                const QByteArray text = QByteArray(before, 'a') + middle + QByteArray(after, 'z');
                EXPECT_EQ(StoredRows::isUtf8(text), c.reads)
                    << c.hex << " after " << before << " before " << after;
            }
        }
    }
}

} // namespace
} // namespace velatask
