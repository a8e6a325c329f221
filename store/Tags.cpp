#include "store/Tags.h"

#include "store/Connection.h"
#include "store/Store.h"
#include "store/Transaction.h"
#include "store/UseCount.h"

#include <vector>

namespace velatask {

namespace {

// Cancelling and progress are looked at every this many tags while counting.
constexpr int kCountSlice = 25;

} // namespace

void Tags::report(const QString& operation) {
    report(operation, m_store.TF_.error());
}

void Tags::report(const QString& operation, const StoreError& e) {
    const bool driver = e.code == StoreCode::DriverError;
    m_lastErrorText = QStringLiteral("Error #%1 - %2 (%3)")
                          .arg(driver ? e.driverCode : e.code)
                          .arg(driver ? e.driverText : e.text, operation);
    m_store.ui().message(m_lastErrorText, QString(), Ui::Exclamation);
}

void Tags::SetTag_(int set, std::int32_t position, const QString& value) {
    UseCount use(m_store.TF_);
    if (use.ok()) {
        setOne(set, position, value);
    }
}

bool Tags::setOne(int set, std::int32_t position, const QString& value) {
    TagView& tf = m_store.TF_;
    tf.buffer() = TagRecord{m_user, std::int16_t(set), position, QString()};
    if (tf.fetch(TagKey::PtrKey) == 0) {
        tf.buffer().Val = value;
        if (tf.put() != 0) {
            report(QStringLiteral("SetTag_/PUT"));
            return false;
        }
        return true;
    }
    tf.buffer() = TagRecord{m_user, std::int16_t(set), position, value};
    if (tf.add() != 0) {
        report(QStringLiteral("SetTag_/ADD"));
        return false;
    }
    return true;
}

void Tags::ClrTag_(int set, std::int32_t position) {
    UseCount use(m_store.TF_);
    if (use.ok()) {
        clearOne(set, position);
    }
}

bool Tags::clearOne(int set, std::int32_t position) {
    TagView& tf = m_store.TF_;
    tf.buffer() = TagRecord{m_user, std::int16_t(set), position, QString()};
    if (tf.fetch(TagKey::PtrKey) == 0 && tf.erase() != 0) {
        report(QStringLiteral("ClrTag_/DELETE"));
        return false;
    }
    return true;
}

void Tags::SetTags_(int set, const std::vector<std::int32_t>& positions) {
    inOneWrite(QStringLiteral("SetTag_/ADD"), positions,
               [this, set](std::int32_t p) { return setOne(set, p, QString()); });
}

void Tags::ClrTags_(int set, const std::vector<std::int32_t>& positions) {
    inOneWrite(QStringLiteral("ClrTag_/DELETE"), positions,
               [this, set](std::int32_t p) { return clearOne(set, p); });
}

void Tags::inOneWrite(const QString& operation, const std::vector<std::int32_t>& positions,
                      const std::function<bool(std::int32_t)>& each) {
    if (positions.empty()) {
        return;
    }
    UseCount use(m_store.TF_);
    if (!use.ok()) {
        return;
    }
    Connection& connection = m_store.tagConnection();
    StoreError error;
    if (connection.begin(Transaction::kDefaultWaitMs, error) != 0) {
        m_store.setLastError(error);
        report(operation, error);
        return;
    }
    for (std::int32_t position : positions) {
        if (!each(position)) {
            connection.rollback();
            return;
        }
    }
    if (connection.commit(error) != 0) {
        connection.rollback();
        m_store.setLastError(error);
        report(operation, error);
    }
}

bool Tags::isTagged(int set, std::int32_t position) {
    if (set == 0) {
        return false;
    }
    UseCount use(m_store.TF_);
    if (!use.ok()) {
        return false;
    }
    TagView& tf = m_store.TF_;
    tf.buffer() = TagRecord{m_user, std::int16_t(set), position, QString()};
    return tf.fetch(TagKey::PtrKey) == 0;
}

std::int32_t Tags::firstTag(int set) {
    m_nextValue.clear();
    m_nextFrom = 0;
    UseCount use(m_store.TF_);
    if (!use.ok()) {
        return 0;
    }
    TagView& tf = m_store.TF_;
    tf.buffer() = TagRecord{m_user, std::int16_t(set), 0, QString()};
    tf.setAt(TagKey::ValKey, 2);
    if (tf.next() != 0 || tf.buffer().Usr != m_user || tf.buffer().Tbl != set) {
        return 0;
    }
    m_nextValue = tf.buffer().Val;
    m_nextFrom = std::int32_t(tf.pointer());
    return tf.buffer().Ptr;
}

std::int32_t Tags::nextTag(int set) {
    if (m_nextFrom == 0) {
        return 0;
    }
    UseCount use(m_store.TF_);
    if (!use.ok()) {
        return 0;
    }
    // The tag table may have been closed since the last call: find the place again from the
    // last tag's value and record position.
    TagView& tf = m_store.TF_;
    tf.buffer() = TagRecord{m_user, std::int16_t(set), 0, m_nextValue};
    tf.setAt(TagKey::ValKey);
    for (;;) {
        if (tf.next() != 0 || tf.buffer().Usr != m_user || tf.buffer().Tbl != set) {
            m_nextFrom = 0;
            return 0;
        }
        const bool sameValue = tf.buffer().Val.compare(m_nextValue, Qt::CaseInsensitive) == 0;
        if (!sameValue || tf.pointer() > m_nextFrom) {
            break;
        }
    }
    m_nextValue = tf.buffer().Val;
    m_nextFrom = std::int32_t(tf.pointer());
    return tf.buffer().Ptr;
}

int Tags::CntTag_(int set, const Progress& progress) {
    UseCount use(m_store.TF_);
    if (!use.ok()) {
        return 0;
    }
    TagView& tf = m_store.TF_;
    tf.buffer() = TagRecord{m_user, std::int16_t(set), 0, QString()};
    tf.setAt(TagKey::ValKey, 2);
    int count = 0;
    while (tf.next() == 0 && tf.buffer().Usr == m_user && tf.buffer().Tbl == set) {
        ++count;
        if (progress && count % kCountSlice == 0 && !progress(count, 0)) {
            return -1;
        }
    }
    return count;
}

bool Tags::NewTag_(int set, const Progress& progress) {
    UseCount use(m_store.TF_);
    if (!use.ok()) {
        return false;
    }
    Connection& connection = m_store.tagConnection();
    StoreError error;
    std::vector<Connection::Row> rows;
    connection.exec(QStringLiteral("SELECT 1 FROM TagFile_ WHERE NOT (Usr = ? AND Tbl = ?) "
                                   "LIMIT 1"),
                    {m_user, set}, error, &rows);
    if (error.code == 0 && rows.empty()) {
        const int code = connection.exec(QStringLiteral("DELETE FROM TagFile_"), {}, error);
        connection.noteWrite();
        if (code == 0) {
            return true;
        }
        m_store.setLastError(error);
        report(QStringLiteral("NewTag_/TryQuick/EMPTY"), error);
    }
    rows.clear();
    connection.exec(QStringLiteral("SELECT COUNT(*) FROM TagFile_ WHERE Usr = ? AND Tbl = ?"),
                    {m_user, set}, error, &rows);
    const int total = rows.empty() ? 0 : rows.front().value(0).toInt();
    TagView& tf = m_store.TF_;
    int done = 0;
    for (;;) {
        // Each slice is a transaction of its own: one flush per slice, and a cancel keeps the
        // slices already done.
        if (connection.begin(Transaction::kDefaultWaitMs, error) != 0) {
            m_store.setLastError(error);
            report(QStringLiteral("NewTag_/SlowButSure/DELETE"), error);
            return false;
        }
        tf.buffer() = TagRecord{m_user, std::int16_t(set), 0, QString()};
        tf.setAt(TagKey::ValKey, 2);
        int inSlice = 0;
        bool end = false;
        while (inSlice < kClearSlice) {
            if (tf.next() != 0 || tf.buffer().Usr != m_user || tf.buffer().Tbl != set) {
                end = true;
                break;
            }
            if (tf.erase() != 0) {
                connection.rollback();
                report(QStringLiteral("NewTag_/SlowButSure/DELETE"));
                return false;
            }
            ++inSlice;
        }
        if (connection.commit(error) != 0) {
            connection.rollback();
            m_store.setLastError(error);
            report(QStringLiteral("NewTag_/SlowButSure/DELETE"), error);
            return false;
        }
        done += inSlice;
        if (progress && !progress(done, total)) {
            return end;
        }
        if (end) {
            return true;
        }
    }
}

} // namespace velatask
