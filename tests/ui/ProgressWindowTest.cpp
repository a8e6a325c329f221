#include "ui/ProgressWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace velatask;

TEST(ProgressWindow, WorksSliceBySliceAndShowsThePercentage) {
    ProgressWindow window(QStringLiteral("Exporting Records"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress..."));
    EXPECT_EQ(window.percentLine()->text(), QStringLiteral("0% Completed"));
    const int total = 130;
    int done = 0;
    QStringList seen;
    ProgressJob job;
    job.slice = [&](int records) {
        seen << window.percentLine()->text();
        done = std::min(total, done + records);
        return done < total;
    };
    job.percent = [&] { return ProgressWindow::percentOf(done, total); };
    EXPECT_EQ(window.run(job, 25), Response::Completed);
    EXPECT_EQ(window.slicesRun(), 6);
    EXPECT_EQ(seen, (QStringList{"0% Completed", "19% Completed", "38% Completed", "57% Completed",
                                 "76% Completed", "96% Completed"}));
    EXPECT_EQ(window.percentLine()->text(), QStringLiteral("100% Completed"));
    EXPECT_EQ(ProgressWindow::percentOf(5, 0), 100);
    EXPECT_EQ(ProgressWindow::percentOf(7, 5), 100);
}

TEST(ProgressWindow, CancelStopsBeforeTheNextSlice) {
    ProgressWindow window(QStringLiteral("Clearing Tags"));
    int slicesAtCancel = -1;
    QObject::connect(window.cancelButton(), &QPushButton::clicked,
                     [&] { slicesAtCancel = window.slicesRun(); });
    ProgressJob job;
    job.slice = [&](int records) {
        EXPECT_EQ(records, 10);
        if (window.slicesRun() == 3) {
            QTimer::singleShot(0, window.cancelButton(), &QPushButton::click);
        }
        return true; // endless without "Cancel"
    };
    EXPECT_EQ(window.run(job, 10), Response::Cancelled);
    EXPECT_GE(slicesAtCancel, 3);
    EXPECT_EQ(window.slicesRun(), slicesAtCancel);
}

TEST(ProgressWindow, OtherTimersKeepRunningWhileItWorks) {
    ProgressWindow window(QStringLiteral("Importing Records"), QStringLiteral("SM"));
    EXPECT_EQ(window.secondLine()->text(), QStringLiteral("SM"));
    QTimer frameTimer;
    int ticks = 0;
    QObject::connect(&frameTimer, &QTimer::timeout, [&] { ++ticks; });
    frameTimer.start(5);
    ProgressJob job;
    job.slice = [&](int) { return ticks < 3; };
    EXPECT_EQ(window.run(job), Response::Completed);
    EXPECT_GE(ticks, 3);
}
