#include "../scheduler/EngineFixture.h"

#include "windows/MessageWindow.h"
#include "windows/QtMessageWindows.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace velatask;

namespace {

class MessageWindowTest : public EngineFixture {
protected:
    std::vector<ToDoRecord> toDoItems() {
        std::vector<ToDoRecord> items;
        store->TDO.open();
        store->TDO.setStart(ToDoKey::KeyToDo);
        while (store->TDO.next() == 0) {
            items.push_back(store->TDO.buffer());
        }
        store->TDO.close();
        return items;
    }
};

} // namespace

TEST_F(MessageWindowTest, SeveralWindowsEachWithItsOwnTextAndTheCounter) {
    QtMessageWindows opener(ctx);
    ctx.PendingMessage = QStringLiteral("First message");
    opener.openMessageWindow();
    ctx.PendingMessage = QStringLiteral("Second message");
    opener.openMessageWindow();
    EXPECT_EQ(ctx.OpenMessageWindows.load(), 2);

    QStringList texts;
    QList<MessageWindow*> opened;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* m = qobject_cast<MessageWindow*>(w); m && m->isVisible()) {
            opened << m;
            texts << m->findChild<QPlainTextEdit*>()->toPlainText();
            EXPECT_EQ(m->windowTitle(), QStringLiteral("Message"));
            EXPECT_EQ(m->focusWidget(), m->closeButton());
        }
    }
    texts.sort();
    EXPECT_EQ(texts,
              (QStringList{QStringLiteral("First message"), QStringLiteral("Second message")}));

    opened[0]->closeButton()->click();
    EXPECT_EQ(ctx.OpenMessageWindows.load(), 1);
    opened[1]->close();
    EXPECT_EQ(ctx.OpenMessageWindows.load(), 0);
    QApplication::processEvents(); // deletes the closed windows
}

TEST_F(MessageWindowTest, AddToToDoListTakesTheFirstFortyCharactersEachTime) {
    ctx.PendingMessage =
        QStringLiteral("Renew the car insurance before the end of the month, online");
    auto* window = new MessageWindow(ctx);
    window->addToDoButton()->click();
    window->addToDoButton()->click();
    const auto items = toDoItems();
    ASSERT_EQ(items.size(), 2u);
    for (const ToDoRecord& item : items) {
        EXPECT_EQ(item.ToDo, QStringLiteral("Renew the car insurance before the end o"));
        EXPECT_EQ(item.Priority, 5);
        EXPECT_EQ(item.Done, 0);
    }
    window->close();
    QApplication::processEvents();
}

TEST_F(MessageWindowTest, RemembersItsPlace) {
    ctx.PendingMessage = QStringLiteral("x");
    auto* window = new MessageWindow(ctx);
    window->setGeometry(150, 120, 500, 260);
    window->close();
    QApplication::processEvents();
    EXPECT_EQ(ini.readNumber(QStringLiteral("ShowMessage"), QStringLiteral("Width")), 500);
    auto* again = new MessageWindow(ctx);
    EXPECT_EQ(again->geometry(), QRect(150, 120, 500, 260));
    again->close();
    QApplication::processEvents();
}
