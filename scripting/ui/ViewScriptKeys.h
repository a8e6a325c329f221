#pragma once

#include "scripting/ui/LineSearch.h"

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPrinter;
class QPushButton;

namespace velatask {

struct AppContext;
struct StoreError;

// "List of Key Abbreviations": the lines of KEYCODES.TXT from the current directory, read in
// batches behind a progress window when the window first shows; find, find next and print.
class ViewScriptKeys : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kFileName = "KEYCODES.TXT";

    // `path` is the file to show (KEYCODES.TXT of the current directory unless given).
    ViewScriptKeys(AppContext& app, QWidget* parent = nullptr,
                   const QString& path = QString::fromLatin1(kFileName));

    QListWidget* list() const { return m_list; }
    QPushButton* printButton() const { return m_print; }
    QPushButton* findButton() const { return m_find; }
    QPushButton* findNextButton() const { return m_findNext; }
    const QStringList& lines() const { return m_lines; }
    LineSearchSettings& searchSettings() { return m_search; }

    // Reads the file unless it is the one already shown; false when it could not be shown.
    bool load();
    // "&Find...": asks what to find, then searches.
    void find();
    // Searches with the settings kept from "&Find...".
    void findNext();
    // Prints every line; the pages printed.
    int print(QPrinter& printer);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void printWithDialog();
    void unavailable(int warning, const StoreError& error);

    AppContext& m_app;
    QString m_path;
    QString m_loaded;
    QStringList m_lines;
    LineSearchSettings m_search;
    QListWidget* m_list = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_find = nullptr;
    QPushButton* m_findNext = nullptr;
    bool m_shown = false;
};

} // namespace velatask
