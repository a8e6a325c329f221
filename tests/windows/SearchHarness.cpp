// A way to try the search by hand until the schedule list calls it: a small window that opens
// "Search the Schedule" on the data folder it is started in and shows how many tasks are
// selected.
//     cd <data folder> && build-test/tests/windows/velatask_search_harness
#include "app/QtUi.h"
#include "settings/IniFile.h"
#include "store/Store.h"
#include "store/Tags.h"
#include "windows/SearchSchedule.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

using namespace velatask;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velatask"));
    QtUi ui;
    IniFile ini(IniFile::defaultPath());
    Store store(QDir::currentPath(), ui);

    QWidget harness;
    harness.setWindowTitle(QStringLiteral("Search harness"));
    auto* selected = new QLabel(&harness);
    auto* search = new QPushButton(QStringLiteral("&Search"), &harness);
    auto* layout = new QVBoxLayout(&harness);
    layout->addWidget(search);
    layout->addWidget(selected);
    const auto count = [&] {
        Tags tags(store);
        selected->setText(QStringLiteral("Selected: %1").arg(tags.CntTag_(1)));
    };
    QObject::connect(search, &QPushButton::clicked, &harness, [&] {
        SearchSchedule window(store, ini, &harness);
        window.run();
        count();
    });
    count();
    harness.show();
    return QApplication::exec();
}
