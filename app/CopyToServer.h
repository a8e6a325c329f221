#pragma once

#include <QString>

class QTextStream;

namespace velatask {

class IniFile;

// `velatask --copy-data-to-server`: the schedule in the data folder's files (SM and the tag
// file) moved to the server that section "Database" names, every record at its position. A
// section that names no server, and a server that already holds tasks, are refused; nothing is
// overwritten and no window opens.
class CopyToServer {
public:
    // The exit status: 0 when copied. The records copied into each table go to `out`; why
    // nothing was copied goes to `err`.
    static int run(const QString& dataDirectory, const IniFile& ini, QTextStream& out,
                   QTextStream& err);
};

} // namespace velatask
