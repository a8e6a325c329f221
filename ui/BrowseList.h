#pragma once

#include "ui/BrowseModel.h"
#include "ui/BrowsePager.h"
#include "ui/ColumnDelegate.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>

class QScrollBar;
class QTableView;

namespace velatask {

class DialogUnits;

// The list of a browse over a page source: only the rows on screen are read. Home, End, the
// arrows, Page Up and Page Down, the wheel and the scroll bar move through the whole range; the
// thumb is approximate, everything else exact. Typed characters locate on the first free key
// component of the order. Insert, Delete, Ctrl+Enter, a double click and a right click are
// handed to the window. The list reads itself again when the data changed underneath.
class BrowseList : public QWidget {
    Q_OBJECT
public:
    static constexpr int kThumbSteps = 1000;

    BrowseList(PageSource& source, const ListFormat& format, QWidget* parent = nullptr);
    ~BrowseList() override;

    BrowsePager& pager() { return m_pager; }
    BrowseModel& model() { return m_model; }
    QTableView* view() const { return m_view; }
    QScrollBar* scrollBar() const { return m_thumb; }
    const PageSource::Row* currentRow() const { return m_pager.currentRow(); }
    bool isEmpty() const { return m_pager.isEmpty(); }

    // Called once per failed read (not again until a read succeeds) with the store code.
    void setErrorReporter(std::function<void(int code)> report) { m_report = std::move(report); }
    // Which key component typed characters locate on (the first one after the range).
    void setLocatorComponent(int index) { m_locatorComponent = index; }
    // How often the list looks whether the data changed (0: never).
    void setChangeInterval(int ms);

    // The format with the widths the user gave the columns, and the widths of a remembered one.
    ListFormat layout() const;
    void applyLayout(const ListFormat& saved);
    // Widens a column, when it is narrower, so that `widest` (the longest text it shows) fits.
    void fitText(int column, const QString& widest);

    // Moves the list as a key or the scroll bar does (`list.act(&BrowsePager::end)`) and
    // shows the result; answers the store code of a failed read.
    int act(const std::function<int(BrowsePager&)>& move);
    int locate(const QString& typed);
    int reload();
    int showRecord(std::int64_t position);
    // Reads the first page: a new list, or a new order.
    int start();

signals:
    void insertPressed();
    void deletePressed();
    void changeRequested();
    void recordMenuRequested(const QPoint& globalPos);
    void currentChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int done(int code);
    void selectCurrent();
    void updateThumb();
    void thumbAction(int action);
    bool keyPressed(QKeyEvent* event);
    int visibleRows() const;
    int columnPixels(const ListColumn& column, const DialogUnits& units) const;
    int widestValue(const ListColumn& column) const;
    void viewportResized();
    void lookForChanges();
    QVariant locatorValue(const QString& typed) const;

    PageSource& m_source;
    BrowsePager m_pager;
    BrowseModel m_model;
    ColumnDelegate m_delegate;
    QTableView* m_view = nullptr;
    QScrollBar* m_thumb = nullptr;
    QTimer m_thumbLater;
    QTimer m_changes;
    std::uint64_t m_stamp = 0;
    std::function<void(int)> m_report;
    bool m_failing = false;
    bool m_syncing = false;
    int m_locatorComponent = 0;
    QString m_locator;
    QElapsedTimer m_lastTyped;
    int m_wheelRemainder = 0;
};

} // namespace velatask
