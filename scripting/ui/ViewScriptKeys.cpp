#include "scripting/ui/ViewScriptKeys.h"

#include "scheduler/AppContext.h"
#include "scripting/ui/LinePrinter.h"
#include "scripting/ui/SearchTextDialog.h"
#include "scripting/ui/TextLineLoader.h"
#include "settings/qt/WidgetGeometry.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/Accessibility.h"
#include "ui/BusyCursor.h"
#include "ui/ProgressWindow.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velatask {

namespace {

const QString kSection = QStringLiteral("ViewScriptKeys");
const QString kTitle = QStringLiteral("List of Key Abbreviations");

} // namespace

ViewScriptKeys::ViewScriptKeys(AppContext& app, QWidget* parent, const QString& path)
    : QDialog(parent), m_app(app), m_path(path) {
    setWindowTitle(kTitle);
    m_list = new QListWidget(this);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setUniformItemSizes(true);
    m_list->setTextElideMode(Qt::ElideNone);
    m_list->setAccessibleName(kTitle);
    m_print = new QPushButton(QStringLiteral("&Print"), this);
    m_find = new QPushButton(QStringLiteral("&Find..."), this);
    m_findNext = new QPushButton(QStringLiteral("Find Next"), this);
    m_findNext->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {m_print, m_find, m_findNext, close}) {
        b->setAutoDefault(false);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_print);
    buttons->addWidget(m_find);
    buttons->addWidget(m_findNext);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    // Room for a line of 80 characters.
    resize(m_list->fontMetrics().averageCharWidth() * 86, m_list->fontMetrics().height() * 30);

    connect(m_print, &QPushButton::clicked, this, &ViewScriptKeys::printWithDialog);
    connect(m_find, &QPushButton::clicked, this, &ViewScriptKeys::find);
    connect(m_findNext, &QPushButton::clicked, this, &ViewScriptKeys::findNext);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Accessibility::nameControls(this);
    WidgetGeometry::restore(this, *m_app.ini, kSection);
}

void ViewScriptKeys::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, &ViewScriptKeys::load);
    }
}

void ViewScriptKeys::unavailable(int warning, const StoreError& error) {
    m_list->setEnabled(false);
    // The warning words the error through the store's error.
    m_app.store->setLastError(error);
    StandardWarning(*m_app.store, warning, QString::fromLatin1(kFileName));
}

bool ViewScriptKeys::load() {
    const QString name = QFileInfo(m_path).absoluteFilePath();
    if (name == m_loaded) {
        return true;
    }
    TextLineLoader loader;
    switch (loader.open(m_path)) {
    case TextLineLoader::Opened::CannotOpen:
        unavailable(26, QFileInfo::exists(m_path)
                            ? StoreError{StoreCode::DriverError, QString(),
                                         int(QFileDevice::OpenError), loader.errorText()}
                            : makeStoreError(StoreCode::FileNotFound));
        return false;
    case TextLineLoader::Opened::Empty:
        unavailable(28, StoreError{});
        return false;
    case TextLineLoader::Opened::Ok:
        break;
    }
    m_loaded = name;
    m_lines.clear();
    m_list->clear();
    m_list->setEnabled(true);
    ProgressWindow progress(QStringLiteral("Reading File"), kTitle, this);
    progress.setCancelQuestion([this] {
        return StandardWarning(*m_app.store, 27, QString::fromLatin1(kFileName)) == Ui::Ok;
    });
    ProgressJob job;
    job.slice = [this, &loader](int) {
        const qsizetype before = m_lines.size();
        loader.readBatch(m_lines);
        m_list->addItems(m_lines.mid(before));
        return !loader.atEnd();
    };
    job.percent = [&loader] { return loader.percent(); };
    progress.run(job, 1);
    loader.close();
    return true;
}

void ViewScriptKeys::find() {
    SearchTextDialog dialog(m_search, this);
    if (dialog.exec() != QDialog::Accepted) {
        m_findNext->setEnabled(false);
        return;
    }
    m_search = dialog.settings();
    m_findNext->setEnabled(true);
    findNext();
}

void ViewScriptKeys::findNext() {
    std::optional<int> found;
    {
        BusyCursor busy;
        found = LineSearch::find(m_lines, m_list->currentRow(), m_search, [this](bool down) {
            // The question shows the ordinary cursor.
            QGuiApplication::restoreOverrideCursor();
            const int answer = StandardWarning(
                *m_app.store, 29, down ? QStringLiteral("Down") : QStringLiteral("Up"));
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            return answer == Ui::Yes;
        });
    }
    if (found) {
        m_list->setCurrentRow(*found);
        m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
    }
}

int ViewScriptKeys::print(QPrinter& printer) {
    BusyCursor busy;
    return LinePrinter::print(printer, m_lines, m_list->font());
}

void ViewScriptKeys::printWithDialog() {
    QPrinter printer;
    printer.setDocName(kTitle);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        print(printer);
    }
}

void ViewScriptKeys::done(int result) {
    WidgetGeometry::save(this, *m_app.ini, kSection);
    QDialog::done(result);
}

} // namespace velatask
