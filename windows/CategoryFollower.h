#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace velatask {

class Store;

// The category in the shared Categories record, as a window that lists the tasks of one
// category follows it: the window takes a copy, and hears when another window (the category
// list, a pick, a rename) has put a different name there.
class CategoryFollower : public QObject {
    Q_OBJECT
public:
    static constexpr int kLookIntervalMs = 250;

    CategoryFollower(Store& store, QObject* parent = nullptr);

    // Copies the shared record's category and answers it.
    QString take();
    const QString& category() const { return m_copy; }
    // Whether the shared record differs from the copy.
    bool differs() const;
    // Looks a few times a second while on; changed() when the record differs.
    void follow(bool on);

signals:
    void changed();

private:
    Store& m_store;
    QString m_copy;
    QTimer m_look;
};

} // namespace velatask
