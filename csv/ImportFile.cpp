#include "csv/ImportFile.h"

#include "core/Ui.h"
#include "store/Store.h"

#include <QDir>

namespace velatask {

bool ImportFile::choose(Store& store, const std::function<QString()>& askPath) {
    Ui& ui = store.ui();
    for (;;) {
        const QString path = askPath();
        if (path.isEmpty()) {
            return false;
        }
        const bool own = store.holdsFile(path);
        if (own || !open(path)) {
            ui.message((own ? CsvFileError::storeFile() : error()).message(),
                       QStringLiteral("Cannot OPEN ") + QDir::toNativeSeparators(path),
                       Ui::Exclamation);
        } else if (!hasText()) {
            ui.message(QStringLiteral("That file is empty!  Please pick another file."),
                       QStringLiteral("Attention!"), Ui::Exclamation);
        } else {
            return true;
        }
    }
}

bool ImportFile::open(const QString& path) {
    m_path = path;
    m_recordNumber = 0;
    m_fields.clear();
    if (!m_file.open(path)) {
        return false;
    }
    next();
    return true;
}

QStringList ImportFile::values() const {
    QStringList out;
    out.reserve(qsizetype(m_fields.size()));
    for (const CsvField& f : m_fields) {
        out << f.text;
    }
    return out;
}

bool ImportFile::next() {
    QString record;
    qint64 bytes = 0;
    if (!m_reader.read(record, bytes)) {
        return false;
    }
    ++m_recordNumber;
    m_fields.clear();
    CsvFieldReader split(record);
    CsvField f;
    while (split.next(f)) {
        m_fields.push_back(f);
    }
    return true;
}

} // namespace velatask
