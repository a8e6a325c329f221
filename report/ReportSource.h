#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace velatask {

// The records of a report in its key order, read a slice at a time, each already turned into
// the printed values of its detail block.
class ReportSource {
public:
    virtual ~ReportSource() = default;

    // Opens the table through its use count; false when the table opener failed (it has told
    // the user). The table stays open until close() or the source's end.
    virtual bool open() = 0;
    // The number of records to process; 0 or the store code of the failure.
    virtual int count(std::int64_t& total) = 0;
    // Appends up to `count` records to `rows`: 0 while more may follow, 33 (end of the table)
    // once the last one was read, any other code on a failure.
    virtual int read(int count, std::vector<QStringList>& rows) = 0;
    virtual void close() = 0;
    // The table as the warnings name it: "Schedule", "Categories", "Todo".
    virtual QString tableName() const = 0;
};

} // namespace velatask
