#include "app/StartOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace velatask {
namespace {

QString helpText(const QString& program) {
    return QStringLiteral(
               "Usage: %1 [OPTION]...\n"
               "Velatask keeps a list of tasks and performs each one when it falls due.\n"
               "\n"
               "  --data-dir=DIR   keep the data file SM and KEYCODES.TXT in DIR\n"
               "                   (default: $XDG_DATA_HOME/velatask, else\n"
               "                   ~/.local/share/velatask); made when missing\n"
               "  --minimized      start in the system tray (or minimized without one)\n"
               "  --copy-data-to-server\n"
               "                   copy SM and TagFile_.VDB of the data directory to the\n"
               "                   server named in section [Database] of Vela.INI, and\n"
               "                   exit; refused when the server already holds tasks\n"
               "  -h, --help       display this help and exit\n"
               "  -v, --version    output version information and exit\n"
               "\n"
               "Only one Velatask runs per user and data directory: starting it again\n"
               "brings the running one to the front.\n")
        .arg(program);
}

QString usageError(const QString& program, const QString& what) {
    return QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, what);
}

} // namespace

StartOptions StartOptions::parse(const QStringList& arguments, const QString& version) {
    const QString program =
        arguments.isEmpty() ? QStringLiteral("velatask") : QFileInfo(arguments[0]).fileName();
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption showVersion(
        QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption dataDir(QStringLiteral("data-dir"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption minimized(QStringLiteral("minimized"));
    const QCommandLineOption copyToServer(QStringLiteral("copy-data-to-server"));
    parser.addOptions({help, showVersion, dataDir, minimized, copyToServer});

    StartOptions options;
    if (!parser.parse(arguments)) {
        options.action = Action::Fail;
        options.text = usageError(program, parser.errorText());
    } else if (parser.isSet(help)) {
        options.action = Action::ShowHelp;
        options.text = helpText(program);
    } else if (parser.isSet(showVersion)) {
        options.action = Action::ShowVersion;
        options.text = QStringLiteral("velatask %1\n").arg(version);
    } else if (!parser.positionalArguments().isEmpty()) {
        options.action = Action::Fail;
        options.text = usageError(
            program,
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));
    } else if (parser.isSet(dataDir) && parser.value(dataDir).isEmpty()) {
        options.action = Action::Fail;
        options.text = usageError(program, QStringLiteral("--data-dir needs a directory"));
    } else {
        options.dataDir = parser.value(dataDir);
        options.minimized = parser.isSet(minimized);
        if (parser.isSet(copyToServer)) {
            options.action = Action::CopyToServer;
        }
    }
    return options;
}

} // namespace velatask
