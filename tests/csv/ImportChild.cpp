// An import that the kill test ends at a random moment: imports the file into the data folder as
// the import window does (slices of the window's time, commits at a pace), and reports on stdout
// each time more tasks are committed.
#include "csv/ImportFile.h"
#include "csv/ImportJob.h"
#include "platform/fake/ScriptedUi.h"
#include "store/Store.h"

#include <QCoreApplication>

#include <cstdio>

using namespace velatask;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        return 2;
    }
    ScriptedUi ui;
    Store store(QString::fromLocal8Bit(argv[1]), ui);
    ImportFile file;
    if (!file.open(QString::fromLocal8Bit(argv[2]))) {
        return 1;
    }
    ImportPlan plan;
    plan.setFields(file.fields());
    plan.autoAssign(file.values());
    ImportJob job(store, file.reader(), file.size(), plan);
    job.setSliceMilliseconds(SliceBudget::kWindowMs);
    job.commitAtPace();
    if (!job.start(true)) {
        return 1;
    }
    int reported = 0;
    ImportJob::Step step = ImportJob::Step::More;
    while (step == ImportJob::Step::More) {
        step = job.step(25);
        if (job.committed() != reported) {
            reported = job.committed();
            std::printf("committed %d\n", reported);
            std::fflush(stdout);
        }
    }
    return step == ImportJob::Step::Finished ? 0 : 1;
}
