#include "report/CursorSource.h"

#include "store/Store.h"

namespace velatask {
namespace {

// Reads through a store of its own on the same data folder, so the program's views keep
// their buffers and positions.
template <class Record, class Key, class ViewType> class PrivateViewSource : public ReportSource {
public:
    PrivateViewSource(Store& store, Key order, ViewType Store::*view, QString table,
                      QStringList (*values)(const Record&))
        : m_store(store), m_order(order), m_view(view), m_table(std::move(table)),
          m_values(values) {}

    bool open() override {
        m_own = std::make_unique<Store>(m_store.dataDirectory(), m_store.ui());
        return view().open() == 0;
    }
    int count(std::int64_t& total) override {
        total = 0;
        int code = view().setStart(m_order);
        while (code == 0 && (code = view().next()) == 0) {
            ++total;
        }
        code = code == StoreCode::NoRecord ? view().setStart(m_order) : code;
        return pass(code);
    }
    int read(int count, std::vector<QStringList>& rows) override {
        for (int i = 0; i < count; ++i) {
            const int code = view().next();
            if (code != 0) {
                return pass(code);
            }
            rows.push_back(m_values(view().buffer()));
        }
        return 0;
    }
    void close() override {
        view().close();
        m_own.reset();
    }
    QString tableName() const override { return m_table; }

private:
    ViewType& view() { return (*m_own).*m_view; }
    int pass(int code) {
        if (code != 0 && code != StoreCode::NoRecord) {
            m_store.setLastError(view().error());
        }
        return code;
    }

    Store& m_store;
    Key m_order;
    ViewType Store::*m_view;
    QString m_table;
    QStringList (*m_values)(const Record&);
    std::unique_ptr<Store> m_own;
};

} // namespace

std::unique_ptr<ReportSource> makeScheduleSource(Store& store, ScheduleKey order,
                                                 const QStringList&,
                                                 QStringList (*values)(const ScheduleRecord&)) {
    return std::make_unique<PrivateViewSource<ScheduleRecord, ScheduleKey, ScheduleView>>(
        store, order, &Store::SCH, QStringLiteral("Schedule"), values);
}

std::unique_ptr<ReportSource> makeCategorySource(Store& store,
                                                 QStringList (*values)(const CategoryRecord&)) {
    return std::make_unique<PrivateViewSource<CategoryRecord, CategoryKey, CategoryView>>(
        store, CategoryKey::KeyCategory, &Store::CAT, QStringLiteral("Categories"), values);
}

std::unique_ptr<ReportSource> makeToDoSource(Store& store,
                                             QStringList (*values)(const ToDoRecord&)) {
    return std::make_unique<PrivateViewSource<ToDoRecord, ToDoKey, ToDoView>>(
        store, ToDoKey::KeyDone, &Store::TDO, QStringLiteral("Todo"), values);
}

} // namespace velatask
