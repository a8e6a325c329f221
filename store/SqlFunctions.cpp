#include "store/SqlFunctions.h"

#include "core/Date.h"
#include "store/TextFold.h"

#include <sqlite3.h>

#include <limits>

namespace velatask::SqlFunctions {

namespace {

QString textArg(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(value));
}

void fold(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray out = TextFold::apply(textArg(args[0]), sqlite3_value_int(args[1])).toUtf8();
    sqlite3_result_text(context, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

void match(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QString text = TextFold::apply(textArg(args[0]), sqlite3_value_int(args[3]));
    const QString needle = textArg(args[1]);
    bool found = false;
    switch (sqlite3_value_int(args[2])) {
    case 0:
        found = text.startsWith(needle);
        break;
    case 1:
        found = text.endsWith(needle);
        break;
    default:
        found = text.contains(needle);
        break;
    }
    sqlite3_result_int(context, found ? 1 : 0);
}

void datePart(sqlite3_context* context, int, sqlite3_value** args) {
    const sqlite3_int64 date = sqlite3_value_int64(args[0]);
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || date == 0 ||
        date < std::numeric_limits<std::int32_t>::min() ||
        date > std::numeric_limits<std::int32_t>::max()) {
        sqlite3_result_null(context);
        return;
    }
    const Ymd ymd = Date::toYmd(std::int32_t(date));
    const int part = sqlite3_value_int(args[1]);
    sqlite3_result_int(context, part == 0 ? ymd.year : part == 1 ? ymd.month : ymd.day);
}

} // namespace

bool install(const QVariant& handle) {
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        return false;
    }
    sqlite3* db = *static_cast<sqlite3* const*>(handle.constData());
    if (!db) {
        return false;
    }
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    return sqlite3_create_function_v2(db, "velatask_fold", 2, flags, nullptr, fold, nullptr,
                                      nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "velatask_match", 4, flags, nullptr, match, nullptr,
                                      nullptr, nullptr) == SQLITE_OK &&
           sqlite3_create_function_v2(db, "velatask_datepart", 2, flags, nullptr, datePart, nullptr,
                                      nullptr, nullptr) == SQLITE_OK;
}

} // namespace velatask::SqlFunctions
