#pragma once

#include <QString>

namespace velatask {

// The record a form edits and the store work behind it: the form runtime decides when to write,
// this decides how. Codes are the store's (0 = success) and the procedures' results.
class FormRecord {
public:
    virtual ~FormRecord() = default;

    // Raises the use counts of the tables the form needs; 0 when they are open.
    virtual int open() = 0;
    virtual void close() = 0;

    // Insert request, before the window shows: clear the buffer and set the new record's
    // defaults, or reserve the record in the table. 0 to go on, anything else cancels.
    virtual int prepareInsert() = 0;
    // Remembers the buffer as it is now; changed() compares with it.
    virtual void takeCopy() = 0;
    virtual bool changed() const = 0;

    // Stores the new record: 0, or the store's code (40 for a duplicate key).
    virtual int insert() = 0;
    // The update procedure: 0 written, 1 failed, 2 changed by another station.
    virtual int update() = 0;
    // The delete procedure: 0 deleted, 1 failed.
    virtual int remove() = 0;
    // An insert that was reserved at open and then cancelled is taken back here.
    virtual void discardInsert() {}

    // How warning 24 names the unique key a new record collides on.
    virtual QString duplicateKeyName() const { return QString(); }
};

} // namespace velatask
