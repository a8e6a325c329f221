// The query-by-example dialogs and the tag operations in the progress window.
#include "../ui/WindowFixture.h"

#include "store/Tags.h"
#include "ui/Accessibility.h"
#include "ui/ProgressWindow.h"
#include "windows/MatchTypeDialog.h"
#include "windows/SearchActionDialog.h"
#include "windows/TagProgress.h"
#include "windows/UpperLimitDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace velatask;

namespace {

class SearchDialogsTest : public WindowFixture {};

// Runs `actions` once the dialog shows; a dialog still open afterwards is rejected.
void whileShown(QDialog& dialog, const std::function<void()>& actions) {
    QTimer::singleShot(0, &dialog, [&] {
        actions();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });
    dialog.exec();
}

TEST_F(SearchDialogsTest, MatchTypeDialogOffersTheTypesOfTheFieldsKindAndAnswersTheChoice) {
    MatchTypeDialog date(FieldKind::Date, MatchType::InYear);
    EXPECT_EQ(date.windowTitle(), "Match Type for DATE Field");
    EXPECT_TRUE(date.button(MatchType::InYear)->isChecked());
    EXPECT_EQ(date.button(MatchType::Contains), nullptr);
    whileShown(date, [&] {
        date.button(MatchType::InsideRange)->click();
        QTest::keyClick(&date, Qt::Key_Return);
    });
    EXPECT_EQ(date.result(), QDialog::Accepted);
    EXPECT_EQ(date.chosen(), MatchType::InsideRange);
    EXPECT_TRUE(Accessibility::unnamedControls(&date).isEmpty());

    MatchTypeDialog check(FieldKind::Check, MatchType::MonthOfYear); // not offered: Ignore
    EXPECT_TRUE(check.button(MatchType::Ignore)->isChecked());
    EXPECT_EQ(check.button(MatchType::MoreThan), nullptr);
}

TEST_F(SearchDialogsTest, UpperLimitDialogKeepsALimitItCannotReadSelected) {
    UpperLimitDialog dialog("10", "", [](const QString& t) {
        bool ok = false;
        t.toInt(&ok);
        return t.isEmpty() || ok;
    });
    EXPECT_EQ(dialog.upperEdit()->maxLength(), 20);
    whileShown(dialog, [&] {
        dialog.upperEdit()->setText("2o");
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.upperEdit()->hasSelectedText());
        dialog.upperEdit()->setText("20");
        dialog.accept();
    });
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.lower(), "10");
    EXPECT_EQ(dialog.upper(), "20");
    EXPECT_TRUE(Accessibility::unnamedControls(&dialog).isEmpty());
}

TEST_F(SearchDialogsTest, ActionDialogAnswersTheButtonPressed) {
    for (auto action : {SearchActionDialog::Edit, SearchActionDialog::Select,
                        SearchActionDialog::Unselect, SearchActionDialog::Cancel}) {
        SearchActionDialog dialog;
        whileShown(dialog, [&] { dialog.button(action)->click(); });
        EXPECT_EQ(dialog.action(), action);
    }
    SearchActionDialog escaped;
    whileShown(escaped, [&] { QTest::keyClick(&escaped, Qt::Key_Escape); });
    EXPECT_EQ(escaped.action(), SearchActionDialog::Cancel);
}

// Clicks "Cancel" of the progress window once its percentage has moved.
void cancelOnceUnderway(QTimer& poll) {
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
        auto* window = qobject_cast<ProgressWindow*>(QApplication::activeModalWidget());
        if (window && window->percentLine()->text() != "0% Completed") {
            poll.stop();
            window->cancelButton()->click();
        }
    });
    poll.start(0);
}

TEST_F(SearchDialogsTest, ClearingASetInTheProgressWindowLeavesOtherSetsAndStopsOnCancel) {
    Tags tags(store);
    for (int p = 1; p <= 60; ++p) {
        tags.SetTag_(1, p);
    }
    tags.SetTag_(2, 5); // another set: the tags go one by one
    QTimer poll;
    cancelOnceUnderway(poll);
    EXPECT_FALSE(TagProgress::NewTag_(tags, 1, nullptr));
    const int left = tags.CntTag_(1);
    EXPECT_GT(left, 0);
    EXPECT_LT(left, 60);
    EXPECT_EQ(left % Tags::kClearSlice, 0); // whole slices of ten went

    EXPECT_TRUE(TagProgress::NewTag_(tags, 1, nullptr));
    EXPECT_EQ(TagProgress::CntTag_(tags, 1, nullptr), 0);
    EXPECT_EQ(TagProgress::CntTag_(tags, 2, nullptr), 1);
}

} // namespace
