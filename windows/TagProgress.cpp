#include "windows/TagProgress.h"

#include "store/Tags.h"
#include "ui/ProgressWindow.h"

#include <QCoreApplication>

#include <functional>

namespace velatask::TagProgress {

namespace {

// Runs a tag operation that calls its progress hook after each slice: the window shows the
// percentage and handles its events ("Cancel", the frame's timer) between slices.
bool runHooked(const QString& text, QWidget* parent,
               const std::function<void(const Tags::Progress&)>& operation) {
    ProgressWindow window(text, QString(), parent);
    bool cancelled = false;
    QObject::connect(&window, &QDialog::rejected, [&cancelled] { cancelled = true; });
    ProgressJob job;
    job.slice = [&](int) {
        operation([&](int done, int total) {
            if (total > 0) {
                window.setPercent(ProgressWindow::percentOf(done, total));
            }
            QCoreApplication::processEvents();
            return !cancelled;
        });
        return false;
    };
    job.percent = [] { return 100; };
    return window.run(job, Tags::kClearSlice) == Response::Completed;
}

} // namespace

bool NewTag_(Tags& tags, int set, QWidget* parent) {
    bool cleared = false;
    const bool completed =
        runHooked(QStringLiteral("Clearing Tags"), parent,
                  [&](const Tags::Progress& hook) { cleared = tags.NewTag_(set, hook); });
    return completed && cleared;
}

int CntTag_(Tags& tags, int set, QWidget* parent) {
    int count = -1;
    const bool completed =
        runHooked(QStringLiteral("Counting Tags"), parent,
                  [&](const Tags::Progress& hook) { count = tags.CntTag_(set, hook); });
    return completed ? count : -1;
}

} // namespace velatask::TagProgress
