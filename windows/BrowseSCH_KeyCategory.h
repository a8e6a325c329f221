#pragma once

#include "store/Store.h"
#include "store/UseCount.h"
#include "ui/BrowseWindow.h"
#include "windows/CategoryFollower.h"

namespace velatask {

struct EditingContext;

// "Browse Schedule for " a category: the tasks of the category in the shared Categories record,
// by description, added, changed and deleted through the task form. When another window puts a
// different category into that record, the list follows it.
class BrowseSCH_KeyCategory : public BrowseWindow {
    Q_OBJECT
public:
    explicit BrowseSCH_KeyCategory(EditingContext& services, QWidget* parent = nullptr);

    QString category() const { return m_category.category(); }
    Response update(Request request);

private:
    void followCategory();
    void retitle();

    EditingContext& m_services;
    Store& m_store;
    UseCount<CategoryView> m_categories;
    UseCount<ScheduleView> m_schedule;
    CategoryFollower m_category;
};

} // namespace velatask
