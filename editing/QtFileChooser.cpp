#include "editing/QtFileChooser.h"

#include "editing/ChosenFile.h"
#include "ui/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace velatask {

namespace {

// Keeps folders and, while switched on, only the files with an execute permission.
class ExecutableFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setOn(bool on) {
        m_on = on;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (!m_on) {
            return true;
        }
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files) {
            return true;
        }
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isExecutable();
    }

private:
    bool m_on = false;
};

} // namespace

QString QtFileChooser::openFile(QWidget* parent, const QString& title, const QString& start,
                                const QStringList& filters) {
    QFileDialog dialog(parent, title);
    prepareFileDialog(dialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    auto* executables = new ExecutableFilter(&dialog);
    dialog.setProxyModel(executables);
    QObject::connect(&dialog, &QFileDialog::filterSelected, executables,
                     [executables](const QString& filter) {
                         executables->setOn(filter == ChosenFile::kProgramsFilter);
                     });
    const QFileInfo from(start);
    if (!start.isEmpty() && from.isDir()) {
        dialog.setDirectory(from.absoluteFilePath());
    } else if (!start.isEmpty() && from.absoluteDir().exists()) {
        dialog.setDirectory(from.absolutePath());
        dialog.selectFile(from.fileName());
    } else {
        dialog.setDirectory(QDir::homePath());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace velatask
