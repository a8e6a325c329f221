#include "ui/SubWindowPlacement.h"

#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include <gtest/gtest.h>

using namespace velatask;

// A child window larger than the shown frame's room makes the frame grow, within the screen; it ends
// up whole inside the area wherever the room allows.
TEST(SubWindowPlacement, TheFrameGrowsToShowALargerChildWhole) {
    const struct {
        QSize child;
        bool maximised;
        bool fitsAfter;
    } cases[] = {
        {{200, 150}, false, true},   // fits already
        {{700, 200}, false, true},   // wider than the frame
        {{300, 500}, false, true},   // taller than the frame
        {{5000, 200}, false, false}, // wider than the screen: the frame stops at the screen
        {{700, 200}, true, false},   // a maximised frame keeps its size
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.child.width() << "x" << c.child.height());
        QMainWindow frame;
        auto* area = new QMdiArea;
        frame.setCentralWidget(area);
        frame.resize(400, 300);
        c.maximised ? frame.showMaximized() : frame.show();
        const QSize before = frame.size();
        auto* sub = area->addSubWindow(new QWidget);
        sub->resize(c.child);
        sub->move(50, 40);
        sub->show();

        SubWindowPlacement::keepInside(sub, area);
        frame.layout()->activate();

        const QSize screen = frame.screen()->availableGeometry().size();
        EXPECT_LE(frame.width(), screen.width());
        EXPECT_LE(frame.height(), screen.height());
        if (c.maximised) {
            EXPECT_EQ(frame.size(), before);
        }
        const QRect room = area->viewport()->rect();
        EXPECT_EQ(room.contains(sub->geometry()), c.fitsAfter);
        EXPECT_GE(sub->x(), 0);
        EXPECT_GE(sub->y(), 0);
    }
}
