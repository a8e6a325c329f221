#pragma once

#include "editing/DatePicker.h"
#include "editing/FileChooser.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace velatask {

// A calendar that answers with the dates queued for it and records how it was called.
class FakeDatePicker : public DatePicker {
public:
    struct Call {
        std::int32_t date;
        QString mode;
        QString title;
    };
    std::int32_t pickDate(const ScheduleRecord&, std::int32_t date, const QString& mode,
                          const QString& title, QWidget*) override {
        calls.push_back({date, mode, title});
        if (answers.empty()) {
            return date;
        }
        const std::int32_t picked = answers.front();
        answers.pop_front();
        return picked;
    }
    std::deque<std::int32_t> answers;
    std::vector<Call> calls;
};

// An open-file dialog that answers with the paths queued for it ("" = cancelled).
class FakeFileChooser : public FileChooser {
public:
    struct Call {
        QString title;
        QString start;
        QStringList filters;
    };
    QString openFile(QWidget*, const QString& title, const QString& start,
                     const QStringList& filters) override {
        calls.push_back({title, start, filters});
        if (answers.empty()) {
            return QString();
        }
        const QString chosen = answers.front();
        answers.pop_front();
        return chosen;
    }
    std::deque<QString> answers;
    std::vector<Call> calls;
};

} // namespace velatask
