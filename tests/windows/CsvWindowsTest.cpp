#include "tests/ui/WindowFixture.h"

#include "core/Date.h"
#include "scheduler/AppContext.h"
#include "store/Transaction.h"
#include "store/UseCount.h"
#include "tests/support/WaitFor.h"
#include "ui/Accessibility.h"
#include "windows/CsvFieldList.h"
#include "windows/ExportSchedule.h"
#include "windows/ImportSchedule.h"
#include "windows/PictureDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace velatask {
namespace {

class CsvWindowsTest : public WindowFixture {
protected:
    CsvWindowsTest() {
        m_ctx.ini = &ini;
        m_ctx.store = &store;
        m_ctx.ui = &ui;
    }

    QString path(const char* name) const {
        return QDir(m_dir.path()).filePath(QLatin1String(name));
    }

    void addTasks(int count) {
        UseCount open(store.SCH);
        Transaction tx(store);
        ASSERT_EQ(tx.begin(), 0);
        for (int i = 1; i <= count; ++i) {
            store.SCH.clearBuffer();
            store.SCH.buffer().ID = i;
            store.SCH.buffer().Description = QStringLiteral("Task \"%1\"").arg(i);
            store.SCH.buffer().Date = Date::fromYmd(1998, 2, 16);
            ASSERT_EQ(store.SCH.add(), 0);
        }
        ASSERT_EQ(tx.commit(), 0);
    }

    int taskCount() {
        UseCount open(store.SCH);
        int n = 0;
        store.SCH.setStart(ScheduleKey::KeyID);
        while (store.SCH.next() == 0) {
            ++n;
        }
        return n;
    }

    static QStringList texts(CsvFieldList* list, int column) {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            out << list->topLevelItem(i)->text(column);
        }
        return out;
    }

    // Answers the next modal dialog (the picture dialog) once it shows.
    static void whenDialogShows(const std::function<void(PictureDialog*)>& answer) {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<PictureDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
    }

    AppContext m_ctx;
};

TEST_F(CsvWindowsTest, ExportWindowChoosesFieldsAndPicturesThenExports) {
    addTasks(60);
    QPointer<ExportSchedule> window = new ExportSchedule(m_ctx);
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Choose Fields for Export..."));
    EXPECT_TRUE(Accessibility::unnamedControls(window).isEmpty())
        << Accessibility::unnamedControls(window).join(u',').toStdString();

    window->okButton()->click(); // nothing chosen yet
    EXPECT_EQ(boxTitles(), QStringList{"No Fields Selected for Export!"});

    window->allFields()->setCurrentRow(3); // SCH:Description
    window->button(QStringLiteral("&Add ->"))->click();
    window->allFields()->setCurrentRow(20); // SCH:Date, one row up now
    window->button(QStringLiteral("&Add ->"))->click();
    emit window->exportFields()->dropped(window->allFields(), 0, 0); // SCH:Message dragged on top
    EXPECT_EQ(texts(window->exportFields(), 0),
              (QStringList{"SCH:Message", "SCH:Description", "SCH:Date"}));
    EXPECT_EQ(window->allFields()->topLevelItemCount(), ScheduleField::kCount - 3);

    window->exportFields()->setCurrentRow(0);
    window->button(QStringLiteral("Shift &Down"))->click();
    window->button(QStringLiteral("&Remove"))->click(); // SCH:Message goes back
    EXPECT_EQ(texts(window->exportFields(), 0), (QStringList{"SCH:Description", "SCH:Date"}));
    EXPECT_EQ(window->allFields()->topLevelItem(0)->text(0), QStringLiteral("SCH:Message"));

    window->exportFields()->setCurrentRow(1);
    EXPECT_EQ(window->pictureEntry()->text(), QStringLiteral("@d6"));
    whenDialogShows([this](PictureDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Enter Picture..."));
        EXPECT_TRUE(Accessibility::unnamedControls(d).isEmpty());
        d->entry()->setText(QStringLiteral("d3"));
        d->accept(); // refused, the dialog stays
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->entry()->selectedText(), QStringLiteral("d3"));
        d->entry()->setText(QStringLiteral("@d3"));
        d->accept();
    });
    window->button(QStringLiteral("&Picture"))->click();
    EXPECT_EQ(ui.boxes().back().title, QStringLiteral("Invalid Picture!"));
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("Pictures must begin with \"@\""));
    EXPECT_EQ(window->pictureEntry()->text(), QStringLiteral("@d3"));
    whenDialogShows([](PictureDialog* d) { d->entry()->setText(QStringLiteral("@n9")); });
    window->button(QStringLiteral("&Picture"))->click(); // cancelled: no change
    EXPECT_EQ(window->pictureEntry()->text(), QStringLiteral("@d3"));

    window->headerOption()->setChecked(true);
    const QString file = path("out.csv");
    window->setFileChooser([&] { return file; });
    window->okButton()->click();
    EXPECT_TRUE(waitFor([&] { return window.isNull(); }));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 62); // header, 60 tasks, the end of the last line
    EXPECT_EQ(lines[0], QByteArray("\"SCH:Description\",\"SCH:Date\""));
    EXPECT_EQ(lines[1], QByteArray("\"Task \"\"1\"\"\",\"Feb 16, 1998\""));
}

// In a frame smaller than the window, the window starts at the top left corner of the frame's
// area, its title within reach; in a large one it starts wholly inside.
TEST_F(CsvWindowsTest, ExportWindowStartsInsideTheFramesArea) {
    for (const QSize areaSize : {QSize(420, 260), QSize(1600, 1000)}) {
        QMdiArea area;
        area.resize(areaSize);
        area.show();
        auto* window = new ExportSchedule(m_ctx);
        QMdiSubWindow* sub = window->showIn(&area);
        const QRect room = area.viewport()->rect();
        EXPECT_GE(sub->x(), 0) << areaSize.width();
        EXPECT_GE(sub->y(), 0) << areaSize.width();
        EXPECT_EQ(sub->size(), sub->sizeHint()) << areaSize.width();
        if (sub->width() <= room.width()) {
            EXPECT_LE(sub->geometry().right(), room.right());
        }
        sub->close();
    }
}

// Alt+letter inside either window goes to the window's own control, not to the frame's menu with
// the same letter; a letter the window leaves free still opens the frame's menu. Two controls
// with one letter take the focus in turn without being pressed.
TEST_F(CsvWindowsTest, OwnMnemonicsWinOverTheFramesMenuBar) {
    QFile f(path("in.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"a\",1\n");
    f.close();
    QMainWindow frame;
    auto* area = new QMdiArea;
    frame.setCentralWidget(area);
    QMenu* fileMenu = frame.menuBar()->addMenu(QStringLiteral("&File"));
    for (QMenu* menu : {fileMenu, frame.menuBar()->addMenu(QStringLiteral("&Reports")),
                        frame.menuBar()->addMenu(QStringLiteral("&Help"))}) {
        menu->addAction(QStringLiteral("Item"));
    }
    frame.resize(1000, 800);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QPointer<ImportSchedule> import = ImportSchedule::open(m_ctx, [&] { return path("in.csv"); });
    ASSERT_FALSE(import.isNull());
    QMdiSubWindow* importSub = import->showIn(area);
    auto* exporter = new ExportSchedule(m_ctx);
    QMdiSubWindow* exportSub = exporter->showIn(area);
    QPushButton* autoButton = import->button(QStringLiteral("A&uto"));
    QPushButton* unassign = import->button(QStringLiteral("&Unassign"));
    const bool headerWas = exporter->headerOption()->isChecked();

    const struct {
        const char* name;
        QMdiSubWindow* sub;
        QWidget* start; // has the focus before the key
        Qt::Key key;
        QWidget* focused; // has it afterwards (nullptr: a menu of the frame opened)
        std::function<bool()> done;
    } cases[] = {
        {"strip header", importSub, import->importFields(), Qt::Key_H, import->stripHeader(),
         [&] { return import->stripHeader()->isChecked(); }},
        {"include header", exportSub, exporter->allFields(), Qt::Key_H, exporter->headerOption(),
         [&] { return exporter->headerOption()->isChecked() != headerWas; }},
        {"remove, not reports", exportSub, exporter->allFields(), Qt::Key_R,
         exporter->button(QStringLiteral("&Remove")), [] { return true; }},
        {"two with U, first", importSub, import->importFields(), Qt::Key_U, autoButton,
         [&] { return !import->plan().anyAssigned(); }},
        {"two with U, second", importSub, autoButton, Qt::Key_U, unassign,
         [&] { return !import->plan().anyAssigned(); }},
        {"file menu is free", importSub, import->importFields(), Qt::Key_F, nullptr,
         [&] { return QApplication::activePopupWidget() == fileMenu; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        area->setActiveSubWindow(c.sub);
        c.start->setFocus();
        ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == c.start; }));
        QTest::keyClick(c.start, c.key, Qt::AltModifier);
        EXPECT_TRUE(waitFor(c.done));
        if (c.focused) {
            EXPECT_EQ(QApplication::focusWidget(), c.focused);
            EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        } else if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }
    import->frameWidget()->close();
    exporter->frameWidget()->close();
}

TEST_F(CsvWindowsTest, ImportWindowAssignsFieldsAndAddsTasks) {
    QFile f(path("in.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\"SCH:Description\",\"SCH:Date\",\"extra\"\n\"one\",\"16/02/1998\",1\n"
            "\"two\",\"17/02/1998\",2\n");
    f.close();
    QStringList answers{path("missing.csv"), path("in.csv")};
    QPointer<ImportSchedule> window =
        ImportSchedule::open(m_ctx, [&] { return answers.takeFirst(); });
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(boxTitles(), QStringList{QStringLiteral("Cannot OPEN ") + path("missing.csv")});
    window->show();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Assign fields for Import..."));
    EXPECT_TRUE(Accessibility::unnamedControls(window).isEmpty())
        << Accessibility::unnamedControls(window).join(u',').toStdString();
    // The columns come from the lists' formats.
    ASSERT_EQ(window->importFields()->columnCount(), 3);
    ASSERT_EQ(window->targetFields()->columnCount(), 3);
    EXPECT_EQ(window->importFields()->headerItem()->text(2), QStringLiteral("Value"));
    EXPECT_EQ(window->targetFields()->headerItem()->text(2), QStringLiteral("Import Field"));
    EXPECT_EQ(texts(window->importFields(), 0), (QStringList{"Field_1", "Field_2", "Field_3"}));
    EXPECT_EQ(texts(window->importFields(), 1),
              (QStringList{"Alpha-num", "Alpha-num", "Alpha-num"}));
    EXPECT_EQ(window->recordNumber()->text(), QStringLiteral("Rec# 1"));

    window->okButton()->click();
    EXPECT_EQ(ui.boxes().back().title, QStringLiteral("No Fields Selected for Import!"));

    window->button(QStringLiteral("A&uto"))->click();
    EXPECT_EQ(texts(window->importFields(), 1), (QStringList{"Alpha-num", "@d6", "Alpha-num"}));
    const int description = ScheduleField::indexOf(u"SCH:Description");
    EXPECT_EQ(window->targetFields()->topLevelItem(description)->text(1), QStringLiteral("="));
    EXPECT_EQ(window->targetFields()->topLevelItem(description)->text(2),
              QStringLiteral("Field_1"));
    // No text is cut short: every column but the last (which takes the rest) is wide enough.
    for (CsvFieldList* list : {window->importFields(), window->targetFields()}) {
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            for (int column = 0; column + 1 < list->columnCount(); ++column) {
                const QString text = list->topLevelItem(row)->text(column);
                EXPECT_GE(list->columnWidth(column), list->fontMetrics().horizontalAdvance(text))
                    << text.toStdString();
            }
        }
    }

    // Field_3 to SCH:Every by hand, then taken back.
    const int every = ScheduleField::indexOf(u"SCH:Every");
    window->importFields()->setCurrentRow(2);
    window->targetFields()->setCurrentRow(every);
    window->button(QStringLiteral("&Assign"))->click();
    EXPECT_EQ(window->plan().assignment(every), 2);
    window->button(QStringLiteral("&Unassign"))->click();
    EXPECT_EQ(window->plan().assignment(every), ImportPlan::kNone);

    window->button(QStringLiteral("&Next"))->click();
    EXPECT_EQ(window->recordNumber()->text(), QStringLiteral("Rec# 2"));
    EXPECT_EQ(window->importFields()->topLevelItem(0)->text(2), QStringLiteral("one"));

    window->stripHeader()->setChecked(true);
    window->okButton()->click();
    EXPECT_TRUE(waitFor([&] { return window.isNull(); }));
    EXPECT_EQ(taskCount(), 2);
    UseCount open(store.SCH);
    store.SCH.setStart(ScheduleKey::KeyID);
    ASSERT_EQ(store.SCH.next(), 0);
    EXPECT_EQ(store.SCH.buffer().Description, QStringLiteral("one"));
    EXPECT_EQ(store.SCH.buffer().Date, Date::fromYmd(1998, 2, 16));

    EXPECT_EQ(ImportSchedule::open(m_ctx, [] { return QString(); }), nullptr);
}

} // namespace
} // namespace velatask
