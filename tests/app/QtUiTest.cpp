#include "app/QtUi.h"
#include "ui/TitleWidth.h"

#include <QApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <memory>

using namespace velatask;

// A file message names the whole path in its title: the box is wide enough to show it, however
// short its text.
TEST(QtUi, ABoxIsWideEnoughForItsTitle) {
    QtUi ui;
    const QString title = QStringLiteral("Cannot OPEN /home/someone/Documents/office tasks.csv");
    ui.notice(
        {title, QStringLiteral("Error #5 - Not a text file"), Ui::Exclamation, Ui::Ok, Ui::Ok});
    std::unique_ptr<QMessageBox> box;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->windowTitle() == title) {
            box.reset(b);
        }
    }
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_GE(box->width(), titleWidth(box.get()));
}
