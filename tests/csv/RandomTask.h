#pragma once

#include "core/Date.h"
#include "core/Time.h"
#include "store/ScheduleRecord.h"

#include <QString>

#include <random>

namespace velatask {

// Random tasks whose 34 exported fields survive the default pictures: texts with quotes, commas,
// blanks and non-ASCII letters (messages also with line breaks), dates of the supported years,
// times to the minute.
class RandomTask {
public:
    explicit RandomTask(unsigned draw) : m_random(draw) {}

    ScheduleRecord next() {
        ScheduleRecord r;
        r.Message = text(ScheduleRecord::kMessageWidth, true);
        r.TaskType = text(ScheduleRecord::kTaskTypeWidth);
        r.Category = text(ScheduleRecord::kCategoryWidth);
        r.Description = text(ScheduleRecord::kDescriptionWidth);
        r.Command = text(ScheduleRecord::kCommandWidth);
        r.Path = text(ScheduleRecord::kPathWidth);
        r.ScheduleType = text(ScheduleRecord::kScheduleTypeWidth);
        for (std::uint8_t* f :
             {&r.Sunday, &r.Monday, &r.Tuesday, &r.Wednesday, &r.Thursday, &r.Friday, &r.Saturday,
              &r.Every1st, &r.Every2nd, &r.Every3rd, &r.Every4th, &r.EveryLast, &r.SkipNextTime,
              &r.Alarm, &r.AdvanceWarned, &r.Warn, &r.UserSkip, &r.Disabled}) {
            *f = std::uint8_t(m_random() % 2);
        }
        r.Every = std::int32_t(m_random() % 1000000);
        r.EveryType = text(ScheduleRecord::kEveryTypeWidth);
        r.Date = date();
        r.Time = time();
        r.LastRunDate = date();
        r.LastRunTime = time();
        r.AlarmFile = text(ScheduleRecord::kAlarmFileWidth);
        r.AdvanceWarnDate = date();
        r.AdvanceWarnTime = time();
        return r;
    }

private:
    QString text(int width, bool lines = false) {
        static const QString alphabet = QStringLiteral("abcXYZ 09,\"'\u00E9\u20AC;");
        const int n = int(m_random() % unsigned(qMin(width, 60) + 1));
        QString s;
        for (int i = 0; i < n; ++i) {
            s += lines && m_random() % 20 == 0 ? QChar(u'\n')
                                               : alphabet.at(int(m_random() % alphabet.size()));
        }
        while (s.endsWith(QLatin1Char(' '))) {
            s.chop(1);
        }
        return s;
    }
    std::int32_t date() {
        if (m_random() % 5 == 0) {
            return 0;
        }
        return Date::fromYmd(1801 + int(m_random() % 299), 1 + int(m_random() % 12),
                             1 + int(m_random() % 28));
    }
    std::int32_t time() {
        if (m_random() % 5 == 0) {
            return 0;
        }
        return Time::fromHms(int(m_random() % 24), int(m_random() % 60));
    }

    std::mt19937 m_random;
};

} // namespace velatask
