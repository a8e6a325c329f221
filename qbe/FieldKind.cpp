#include "qbe/FieldKind.h"

#include <algorithm>

namespace velatask::FieldKinds {

namespace {

std::vector<MatchType> indexes(std::initializer_list<std::pair<int, int>> spans) {
    std::vector<MatchType> out;
    for (const auto& [first, last] : spans) {
        for (int i = first; i <= last; ++i) {
            out.push_back(MatchType(i));
        }
    }
    return out;
}

} // namespace

QString dialogTitle(FieldKind kind) {
    const char* name = "STRING";
    switch (kind) {
    case FieldKind::String:
        break;
    case FieldKind::Text:
        name = "TEXT";
        break;
    case FieldKind::Number:
        name = "NUMBER";
        break;
    case FieldKind::Date:
        name = "DATE";
        break;
    case FieldKind::Picture:
        name = "PICTURE";
        break;
    case FieldKind::Check:
        name = "CHECK";
        break;
    case FieldKind::Option:
        name = "OPTION";
        break;
    }
    return QStringLiteral("Match Type for %1 Field").arg(QLatin1String(name));
}

std::vector<MatchType> offered(FieldKind kind) {
    switch (kind) {
    case FieldKind::String:
        return indexes({{0, 12}});
    case FieldKind::Text:
        return indexes({{0, 2}, {9, 12}});
    case FieldKind::Number:
        return indexes({{0, 8}});
    case FieldKind::Date:
        return indexes({{0, 8}, {13, 17}});
    case FieldKind::Picture:
        return indexes({{0, 10}});
    case FieldKind::Check:
    case FieldKind::Option:
        break;
    }
    return indexes({{0, 2}});
}

bool offers(FieldKind kind, MatchType type) {
    const std::vector<MatchType> types = offered(kind);
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool isText(FieldKind kind) {
    return kind == FieldKind::String || kind == FieldKind::Text || kind == FieldKind::Option;
}

} // namespace velatask::FieldKinds
