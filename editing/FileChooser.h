#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace velatask {

// The open-file dialog as the task windows call it: answers the chosen file's path, or an empty
// text when the user cancelled. `start` is a file or folder to begin in.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString openFile(QWidget* parent, const QString& title, const QString& start,
                             const QStringList& filters) = 0;
};

} // namespace velatask
