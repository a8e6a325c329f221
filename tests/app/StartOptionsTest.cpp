#include "app/StartOptions.h"
#include "app/DataDirectory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velatask;

namespace {

using Action = StartOptions::Action;

StartOptions parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("/usr/bin/velatask"));
    return StartOptions::parse(arguments, QStringLiteral("1.2.3"));
}

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(StartOptions, GnuOptionsAndTheirResults) {
    struct Case {
        QStringList arguments;
        Action action;
        QString dataDir;
        bool minimized;
        int exitCode;
        QString textContains;
    };
    const Case cases[] = {
        {{}, Action::Run, {}, false, 0, {}},
        {{"--minimized"}, Action::Run, {}, true, 0, {}},
        {{"--data-dir", "/srv/tasks"}, Action::Run, "/srv/tasks", false, 0, {}},
        {{"--data-dir=/srv/tasks", "--minimized"}, Action::Run, "/srv/tasks", true, 0, {}},
        {{"--data-dir", "a", "--data-dir", "b"}, Action::Run, "b", false, 0, {}},
        {{"--", "--minimized"}, Action::Fail, {}, false, 2, "unexpected argument '--minimized'"},
        {{"--help"}, Action::ShowHelp, {}, false, 0, "Usage: velatask [OPTION]..."},
        {{"-h", "--bogus"}, Action::Fail, {}, false, 2, "Unknown option 'bogus'"},
        {{"--minimized", "-h"}, Action::ShowHelp, {}, false, 0, "--data-dir=DIR"},
        {{"--version"}, Action::ShowVersion, {}, false, 0, "velatask 1.2.3\n"},
        {{"-v"}, Action::ShowVersion, {}, false, 0, "velatask 1.2.3\n"},
        {{"--bogus"}, Action::Fail, {}, false, 2, "velatask: Unknown option 'bogus'"},
        {{"--bogus"}, Action::Fail, {}, false, 2, "Try 'velatask --help' for more information."},
        {{"-x"}, Action::Fail, {}, false, 2, "Unknown option 'x'"},
        {{"--data-dir"}, Action::Fail, {}, false, 2, "Missing value after '--data-dir'"},
        {{"--data-dir="}, Action::Fail, {}, false, 2, "--data-dir needs a directory"},
        {{"tasks.csv"}, Action::Fail, {}, false, 2, "unexpected argument 'tasks.csv'"},
        {{"--copy-data-to-server"}, Action::CopyToServer, {}, false, 0, {}},
        {{"--data-dir=/srv/tasks", "--copy-data-to-server"},
         Action::CopyToServer,
         "/srv/tasks",
         false,
         0,
         {}},
        {{"--copy-data-to-server", "x"}, Action::Fail, {}, false, 2, "unexpected argument 'x'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const StartOptions o = parse(c.arguments);
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.dataDir, c.dataDir);
        EXPECT_EQ(o.minimized, c.minimized);
        EXPECT_EQ(o.exitCode(), c.exitCode);
        EXPECT_TRUE(o.text.contains(c.textContains)) << o.text.toStdString();
    }
}

TEST(DataDirectory, DefaultFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const struct {
        QByteArray value;
        QString expected;
    } cases[] = {
        {"/data/ann", "/data/ann/velatask"},
        {"", QDir::homePath() + "/.local/share/velatask"},
        {"relative/dir", QDir::homePath() + "/.local/share/velatask"},
    };
    for (const auto& c : cases) {
        qputenv("XDG_DATA_HOME", c.value);
        EXPECT_EQ(DataDirectory::defaultPath(), c.expected) << c.value.constData();
    }
    qputenv("XDG_DATA_HOME", saved);
}

TEST(DataDirectory, FirstStartMakesTheFolderAndCopiesKeyCodesOnce) {
    QTemporaryDir temp;
    const QString shipped = temp.filePath(QStringLiteral("KEYCODES.TXT"));
    ASSERT_TRUE(writeFile(shipped, "{ENTER}\n"));
    QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadOther);
    const QString folder = temp.filePath(QStringLiteral("a/b/velatask"));
    const QString copy = folder + QStringLiteral("/KEYCODES.TXT");

    DataDirectory data;
    ASSERT_TRUE(data.prepare(folder, shipped)) << data.error().toStdString();
    EXPECT_EQ(data.path(), folder);
    EXPECT_EQ(readFile(copy), "{ENTER}\n");
    EXPECT_TRUE(QFile::permissions(copy) & QFile::WriteOwner) << "the user's copy is editable";

    // The user's own file is kept on later starts; a missing shipped file is no error.
    ASSERT_TRUE(writeFile(copy, "mine\n"));
    EXPECT_TRUE(data.prepare(folder, shipped));
    EXPECT_EQ(readFile(copy), "mine\n");
    const QString bare = temp.filePath(QStringLiteral("bare"));
    EXPECT_TRUE(data.prepare(bare, temp.filePath(QStringLiteral("missing.txt"))));
    EXPECT_FALSE(QFile::exists(bare + QStringLiteral("/KEYCODES.TXT")));

    // A file in the way cannot become the data directory.
    EXPECT_FALSE(data.prepare(shipped, shipped));
    EXPECT_TRUE(data.error().contains(QStringLiteral("not a directory")));
}
