#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"
#include "windows/CategoryFollower.h"

#include <cstdint>

namespace velatask {

struct EditingContext;
class WindowCursor;

// "View Schedule": the tasks of one day, all tasks by date, the tasks of one category and the
// tasks the search selected, each row with its status icon and a coloured date. Tasks are
// added, copied, changed and deleted through the task form, rescheduled through the reschedule
// event wizard and run at once from here; the day, the category and the selection are chosen
// with the calendar, the category pick list and the search window.
class BrowseSchedule : public BrowseWindow {
    Q_OBJECT
public:
    // The tabs, in order.
    enum Tab { DayTab, DateTab, CategoryTab, SelectedTab };

    explicit BrowseSchedule(EditingContext& services, QWidget* parent = nullptr);

    // Opens on "All by Date" when the full schedule is to be shown at first, else on the day.
    bool open();

    std::int32_t selectedDay() const { return m_selectedDay; }
    // The category the category view shows.
    QString category() const { return m_category.category(); }

    Response add();
    Response copy();
    Response update(Request request);
    Response reschedule();
    void runNow();
    void pickDay();
    void pickCategory();
    void search();

private:
    WindowCursor& cursor();
    Response taskForm(Request request);
    void addButtons();
    void addMenus();
    void setSelectedDay(std::int32_t day);
    void followCategory();

    EditingContext& m_services;
    Store& m_store;
    UseCount<CategoryView> m_categories;
    UseCount<ScheduleView> m_schedule;
    UseCount<TagView> m_tags;
    std::int32_t m_selectedDay = 0;
    CategoryFollower m_category;
};

} // namespace velatask
