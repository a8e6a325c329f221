#include "ui/FileDialogs.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>

namespace velatask {

namespace {

// Icons and type names from the file names alone.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override {
        if (info.isDir()) {
            return QFileIconProvider::icon(Folder);
        }
        const QMimeType mime = byName(info);
        return QIcon::fromTheme(mime.iconName(),
                                QIcon::fromTheme(mime.genericIconName(), icon(File)));
    }
    QString type(const QFileInfo& info) const override {
        return info.isDir() ? QFileIconProvider::type(info) : byName(info).comment();
    }

private:
    static QMimeType byName(const QFileInfo& info) {
        return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    }
};

// Keeps the provider as long as its dialog.
class ProviderHolder : public QObject {
public:
    explicit ProviderHolder(QObject* dialog) : QObject(dialog) {}
    NameOnlyIconProvider provider;
};

} // namespace

void prepareFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&(new ProviderHolder(&dialog))->provider);
}

} // namespace velatask
