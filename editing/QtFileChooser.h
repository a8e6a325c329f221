#pragma once

#include "editing/FileChooser.h"

namespace velatask {

// The desktop's open-file dialog (Qt's own, so it looks the same everywhere). The filter
// "Programs and scripts" lists the files that may be executed, whatever their names.
class QtFileChooser : public FileChooser {
public:
    QString openFile(QWidget* parent, const QString& title, const QString& start,
                     const QStringList& filters) override;
};

} // namespace velatask
