#include "store/StoreError.h"

namespace velatask {

QString storeErrorText(int code) {
    switch (code) {
    case StoreCode::FileNotFound:
        return QStringLiteral("File Not Found");
    case StoreCode::IsLocked:
        return QStringLiteral("File Is Already Locked");
    case StoreCode::NoRecord:
        return QStringLiteral("Record Not Available");
    case StoreCode::RecordNotFound:
        return QStringLiteral("Record Not Found");
    case StoreCode::NotOpen:
        return QStringLiteral("File Not Open");
    case StoreCode::DuplicateKey:
        return QStringLiteral("Creates Duplicate Key");
    case StoreCode::KeyRebuild:
        return QStringLiteral("Key File Must Be Rebuilt");
    case StoreCode::BadDeclaration:
        return QStringLiteral("Invalid Record Declaration");
    case StoreCode::AlreadyOpen:
        return QStringLiteral("File Already Open");
    case StoreCode::RecordChanged:
        return QStringLiteral("Record Changed By Another Station");
    default:
        return QString();
    }
}

StoreError makeStoreError(int code) {
    StoreError e;
    e.code = code;
    e.text = storeErrorText(code);
    return e;
}

} // namespace velatask
