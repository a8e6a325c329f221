#include "report/CursorSource.h"

#include "store/Store.h"
#include "store/WindowCursor.h"

namespace velatask {
namespace {

// Reads a table through a window cursor of its own: the views' shared buffers and positions
// stay as the browses and forms left them. The view only lends its use count.
template <class Record, class Key, class ViewType> class WindowCursorSource : public ReportSource {
public:
    WindowCursorSource(Store& store, ViewType& view, Key order, QStringList columns, bool memo,
                       QString table, QStringList (*values)(const Record&))
        : m_view(view), m_cursor(store, order), m_table(std::move(table)), m_values(values) {
        // The memo is read only by the reports that print it.
        if (columns.isEmpty()) {
            columns = m_cursor.columns();
        }
        if (memo) {
            columns << QStringLiteral("Message");
        }
        m_columnsCode = m_cursor.setColumns(columns);
    }

    bool open() override {
        m_open = m_view.open() == 0;
        return m_open;
    }
    int count(std::int64_t& total) override {
        return m_columnsCode != 0 ? m_columnsCode : m_cursor.count(total);
    }
    int read(int count, std::vector<QStringList>& rows) override {
        m_page.clear();
        const int code =
            m_started ? m_cursor.after(m_last, count, m_page) : m_cursor.first(count, m_page);
        if (code != 0) {
            return code;
        }
        m_started = true;
        Record record;
        for (const WindowCursor::Row& row : m_page) {
            m_cursor.toRecord(row, record);
            rows.push_back(m_values(record));
        }
        if (!m_page.empty()) {
            m_last = std::move(m_page.back());
        }
        return int(m_page.size()) < count ? StoreCode::NoRecord : 0;
    }
    void close() override {
        if (m_open) {
            m_view.close();
            m_open = false;
        }
    }
    QString tableName() const override { return m_table; }

private:
    ViewType& m_view;
    WindowCursor m_cursor;
    int m_columnsCode = 0;
    QString m_table;
    QStringList (*m_values)(const Record&);
    WindowCursor::Page m_page;
    WindowCursor::Row m_last;
    bool m_started = false;
    bool m_open = false;
};

} // namespace

std::unique_ptr<ReportSource> makeScheduleSource(Store& store, ScheduleKey order,
                                                 const QStringList& columns, bool memo,
                                                 QStringList (*values)(const ScheduleRecord&)) {
    return std::make_unique<WindowCursorSource<ScheduleRecord, ScheduleKey, ScheduleView>>(
        store, store.SCH, order, columns, memo, QStringLiteral("Schedule"), values);
}

std::unique_ptr<ReportSource> makeCategorySource(Store& store,
                                                 QStringList (*values)(const CategoryRecord&)) {
    return std::make_unique<WindowCursorSource<CategoryRecord, CategoryKey, CategoryView>>(
        store, store.CAT, CategoryKey::KeyCategory, QStringList(), false,
        QStringLiteral("Categories"), values);
}

std::unique_ptr<ReportSource> makeToDoSource(Store& store,
                                             QStringList (*values)(const ToDoRecord&)) {
    return std::make_unique<WindowCursorSource<ToDoRecord, ToDoKey, ToDoView>>(
        store, store.TDO, ToDoKey::KeyDone, QStringList(), false, QStringLiteral("Todo"), values);
}

} // namespace velatask
