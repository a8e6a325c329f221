#include "store/EngineStatement.h"

#include "store/Connection.h"

#include <QStringDecoder>

#include <sqlite3.h>

namespace velatask {

namespace {

sqlite3_stmt* stmt(void* s) {
    return static_cast<sqlite3_stmt*>(s);
}

sqlite3_value* value(void* v) {
    return static_cast<sqlite3_value*>(v);
}

QString utf16(sqlite3_value* v) {
    const auto* text = static_cast<const QChar*>(sqlite3_value_text16(v));
    return QString(text, sqlite3_value_bytes16(v) / int(sizeof(QChar)));
}

// Whether UTF-8 holds U+FFFE or U+FFFF (EF BF BE, EF BF BF).
bool holdsNoncharacter(QByteArrayView utf8) {
    for (qsizetype i = utf8.indexOf('\xEF'); i >= 0 && i + 2 < utf8.size();
         i = utf8.indexOf('\xEF', i + 1)) {
        if (utf8[i + 1] == '\xBF' && (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
            return true;
        }
    }
    return false;
}

} // namespace

EngineStatement::EngineStatement(void* statement) : m_statement(statement) {}

EngineStatement::~EngineStatement() {
    dropKept();
    sqlite3_finalize(stmt(m_statement));
}

void EngineStatement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt(m_statement), index + 1, value);
}

void EngineStatement::bind(int index, const QString& text) {
    // As UTF-8: the engine would drop a leading byte order mark of UTF-16 text, and a key value
    // bound without it no longer finds its row.
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt(m_statement), index + 1, utf8.constData(), int(utf8.size()),
                      SQLITE_TRANSIENT);
}

void EngineStatement::bindNull(int index) {
    sqlite3_bind_null(stmt(m_statement), index + 1);
}

void EngineStatement::bind(int index, const QVariant& value) {
    if (value.isNull()) {
        bindNull(index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Bool:
        bind(index, std::int64_t(value.toLongLong()));
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt(m_statement), index + 1, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt(m_statement), index + 1, bytes.constData(), int(bytes.size()),
                          SQLITE_TRANSIENT);
        return;
    }
    default:
        bind(index, value.toString());
    }
}

bool EngineStatement::step(StoreError& error) {
    error.clear();
    const int rc = sqlite3_step(stmt(m_statement));
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        sqlite3* db = sqlite3_db_handle(stmt(m_statement));
        error = Connection::engineError(sqlite3_extended_errcode(db),
                                        QString::fromUtf8(sqlite3_errmsg(db)));
    }
    reset();
    return false;
}

void EngineStatement::reset() {
    sqlite3_reset(stmt(m_statement));
}

EngineStatement::Value EngineStatement::column(int column) const {
    return Value(sqlite3_column_value(stmt(m_statement), column));
}

EngineStatement::Type EngineStatement::Value::type() const {
    switch (sqlite3_value_type(value(m_value))) {
    case SQLITE_INTEGER:
        return Type::Integer;
    case SQLITE_FLOAT:
        return Type::Float;
    case SQLITE_TEXT:
        return Type::Text;
    case SQLITE_BLOB:
        return Type::Blob;
    default:
        return Type::Null;
    }
}

std::int64_t EngineStatement::Value::integer() const {
    return sqlite3_value_int64(value(m_value));
}

void EngineStatement::Value::text(QString& into) const {
    sqlite3_value* v = value(m_value);
    // The bytes as they lie in the row: text() would first copy them to end them with a zero.
    const auto* utf8 = static_cast<const char*>(sqlite3_value_blob(v));
    const int bytes = sqlite3_value_bytes(v);
    // Keeps a leading byte order mark, as the engine's own translation does.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless |
                                                     QStringConverter::Flag::ConvertInitialBom);
    into.resize(bytes); // never fewer bytes than UTF-16 units
    QChar* begin = into.data();
    const QChar* end = decoder.appendToBuffer(begin, QByteArrayView(utf8, bytes));
    // Bytes that are not UTF-8: the engine's own translation, which the driver's reads give.
    // That translation also reads U+FFFE and U+FFFF as U+FFFD.
    if (decoder.hasError() || holdsNoncharacter(QByteArrayView(utf8, bytes))) {
        into = utf16(v);
        return;
    }
    into.truncate(end - begin);
}

QByteArrayView EngineStatement::Value::bytes() const {
    sqlite3_value* v = value(m_value);
    const auto* data = static_cast<const char*>(sqlite3_value_blob(v));
    return QByteArrayView(data, data ? sqlite3_value_bytes(v) : 0);
}

QVariant EngineStatement::Value::variant() const {
    sqlite3_value* v = value(m_value);
    switch (type()) {
    case Type::Integer:
        return qlonglong(integer());
    case Type::Float:
        return sqlite3_value_double(v);
    case Type::Null:
        return QVariant(QMetaType::fromType<QString>());
    case Type::Blob:
        return QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
    case Type::Text:
        break;
    }
    return utf16(v);
}

void EngineStatement::keep(int first, int count) {
    dropKept();
    for (int i = 0; i < count; ++i) {
        m_kept.push_back(sqlite3_value_dup(sqlite3_column_value(stmt(m_statement), first + i)));
    }
}

QVariantList EngineStatement::kept() const {
    QVariantList out;
    for (void* v : m_kept) {
        out << Value(v).variant();
    }
    return out;
}

QByteArray EngineStatement::keptText(int i) const {
    if (i < 0 || size_t(i) >= m_kept.size() ||
        sqlite3_value_type(value(m_kept[size_t(i)])) != SQLITE_TEXT) {
        return QByteArray();
    }
    sqlite3_value* v = value(m_kept[size_t(i)]);
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(v));
    const int n = sqlite3_value_bytes(v);
    return n == 0 ? QByteArray("", 0) : QByteArray(bytes, n);
}

void EngineStatement::dropKept() {
    for (void* v : m_kept) {
        sqlite3_value_free(value(v));
    }
    m_kept.clear();
}

} // namespace velatask
