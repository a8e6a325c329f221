#include "store/Store.h"

#include "store/Connection.h"
#include "store/TableDef.h"

#include <QDir>

namespace velatask {

Store::Store(const QString& dataDirectory, Ui& ui)
    : m_dataDirectory(dataDirectory), m_ui(ui),
      m_data(std::make_unique<Connection>(QDir(dataDirectory).filePath(QStringLiteral("SM")))),
      m_tags(std::make_unique<Connection>(
          QDir(dataDirectory).filePath(QStringLiteral("TagFile_.VDB")))),
      SCH(*this, TableDef::schedule()), SCH1(*this, TableDef::schedule()),
      HIS(*this, TableDef::history()), CAT(*this, TableDef::categories()),
      TDO(*this, TableDef::toDo()), SCR(*this, TableDef::scripting()),
      TF_(*this, TableDef::tagFile_()) {}

Store::~Store() = default;

void Store::capture() {
    m_savedError = m_lastError;
    m_data->rollback();
}

void Store::stop(const QString& finalText) {
    m_stopped = true;
    m_data->rollback();
    m_ui.stopProgram(finalText);
}

bool Store::inTransaction() const {
    return m_data->inTransaction();
}

} // namespace velatask
