// A writer that the crash test kills: adds tasks with ten steps each, one transaction per task,
// and reports on stdout halfway through each transaction and after each commit.
#include "platform/fake/ScriptedUi.h"
#include "store/Store.h"
#include "store/Transaction.h"

#include <QCoreApplication>

#include <cstdio>

using namespace velatask;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int steps = std::atoi(argv[2]);
    ScriptedUi ui;
    Store store(folder, ui);
    if (store.SCH.open() != 0 || store.SCR.open() != 0) {
        return 1;
    }
    for (int id = 1; id < 1000000; ++id) {
        Transaction tx(store);
        if (tx.begin() != 0) {
            return 1;
        }
        store.SCH.clearBuffer();
        store.SCH.buffer().ID = id;
        store.SCH.buffer().Description = QStringLiteral("task %1").arg(id);
        if (store.SCH.add() != 0) {
            return 1;
        }
        for (int s = 1; s <= steps; ++s) {
            store.SCR.buffer() = ScriptingRecord{};
            store.SCR.buffer().ID = id;
            store.SCR.buffer().Sequence = s;
            store.SCR.buffer().Keystrokes = QString(60, QLatin1Char('k'));
            if (store.SCR.add() != 0) {
                return 1;
            }
            if (s == steps / 2) {
                std::printf("half %d\n", id);
                std::fflush(stdout);
            }
        }
        if (tx.commit() != 0) {
            return 1;
        }
        std::printf("committed %d\n", id);
        std::fflush(stdout);
    }
    return 0;
}
