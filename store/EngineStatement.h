#pragma once

#include "store/StoreError.h"

#include <QByteArrayView>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace velatask {

// A statement prepared on the SQLite engine itself, for reads and writes of many rows where a
// QVariant per value costs more than the engine's own work. Its Connection owns it and finalizes
// it before the file closes. Every run ends in a reset, so that no read keeps its snapshot.
class EngineStatement {
public:
    enum class Type { Integer, Float, Text, Blob, Null };

    // Takes a prepared statement of the engine (sqlite3_stmt*).
    explicit EngineStatement(void* statement);
    ~EngineStatement();
    EngineStatement(const EngineStatement&) = delete;
    EngineStatement& operator=(const EngineStatement&) = delete;

    // Placeholders count from 0.
    void bind(int index, std::int64_t value);
    void bind(int index, const QString& text);
    void bindNull(int index);
    // A value as the driver binds it: numbers, text, bytes or NULL.
    void bind(int index, const QVariant& value);

    // The next row: true while there is one; false at the end or after a failure, which is in
    // `error` (the statement is then reset). A statement that returns no rows runs in one step.
    bool step(StoreError& error);
    // Ends the run and keeps the bindings for the next one.
    void reset();

    // One column of the current row, valid until the next step. Used on this thread only.
    class Value {
    public:
        Type type() const;
        std::int64_t integer() const;
        // Text as stored, decoded as the driver decodes it, into a text whose memory is reused.
        void text(QString& into) const;
        // The bytes of a text as they lie in the row (UTF-8 unless another tool stored others).
        QByteArrayView bytes() const;
        // The value as the driver hands it out: NULL as a null text, bytes as bytes.
        QVariant variant() const;

    private:
        friend class EngineStatement;
        explicit Value(void* value) : m_value(value) {}
        void* m_value;
    };
    Value column(int column) const;

    // Copies of the columns [first, first + count) of the current row, kept after the run ends
    // (the last row read of a page: where the next page starts).
    void keep(int first, int count);
    QVariantList kept() const;
    // The stored bytes of kept column i when it holds text; a null array otherwise. Read before
    // kept(), which leaves texts in the engine's UTF-16.
    QByteArray keptText(int i) const;

private:
    void dropKept();

    void* m_statement;
    std::vector<void*> m_kept; // sqlite3_value*
};

} // namespace velatask
