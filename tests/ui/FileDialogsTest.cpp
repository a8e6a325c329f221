#include "ui/FileDialogs.h"
#include "tests/store/RawSqlite.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace velatask;

namespace {

// Whether a process holds a read lock on the byte range where the engine's connections keep
// theirs while they use a file. An open-file-description lock conflicts with record locks of
// this process too, so the question can be asked from within it.
bool sharedLockHeld(int fd) {
    constexpr off_t kSharedFirst = 0x40000000 + 2;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kSharedFirst;
    lock.l_len = 510;
    return ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

} // namespace

// A dialog that shows a folder with a database whose name tells nothing (as the data file "SM")
// leaves the connection's locks alone, in the list and in the detail view with its type column.
TEST(FileDialogs, ListingADataFolderKeepsTheDataFilesLocks) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("SM"));
    RawSqlite connection(file);
    ASSERT_TRUE(connection.exec(QStringLiteral("PRAGMA journal_mode=WAL")));
    ASSERT_TRUE(connection.exec(QStringLiteral("CREATE TABLE t(x)")));
    ASSERT_EQ(connection.value(QStringLiteral("SELECT count(*) FROM t")).toInt(), 0);
    // Closing this descriptor would drop the locks too: it stays open to the end.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(sharedLockHeld(fd));

    for (const auto mode : {QFileDialog::List, QFileDialog::Detail}) {
        QFileDialog dialog(nullptr, QStringLiteral("Import File"));
        prepareFileDialog(dialog);
        dialog.setViewMode(mode);
        auto* model = dialog.findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
        dialog.setDirectory(dir.path());
        dialog.show();
        for (QDeadlineTimer deadline(10000); loaded.isEmpty() && !deadline.hasExpired();) {
            loaded.wait(100);
        }
        ASSERT_FALSE(loaded.isEmpty());
        // What painting the list asks for: each file's icon and type.
        const QModelIndex folder = model->index(dir.path());
        ASSERT_GT(model->rowCount(folder), 0);
        for (int row = 0; row < model->rowCount(folder); ++row) {
            model->data(model->index(row, 0, folder), Qt::DecorationRole);
            model->data(model->index(row, 2, folder), Qt::DisplayRole);
        }
        dialog.grab();
        EXPECT_TRUE(sharedLockHeld(fd)) << mode;
    }
    ::close(fd);
}
