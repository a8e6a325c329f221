#include "editing/CategoryAndDescription.h"

#include "core/FixedText.h"
#include "editing/CategoryNames.h"
#include "editing/TaskControls.h"
#include "scheduler/AppContext.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/FieldBindings.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace velatask {

CategoryAndDescription::CategoryAndDescription(QWidget* parent) : QWidget(parent) {
    m_categories = new QComboBox(this);
    m_categories->setMinimumContentsLength(ScheduleRecord::kCategoryWidth);
    m_categories->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_categories->view()->setAccessibleName(QStringLiteral("Categories"));
    m_description = new QLineEdit(this);
    m_description->setToolTip(QStringLiteral("Description or Title of Task"));
    m_description->setMinimumWidth(m_description->fontMetrics().averageCharWidth() *
                                   (ScheduleRecord::kDescriptionWidth + 2));
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("&Category:"), m_categories);
    layout->addRow(QStringLiteral("&Description:"), m_description);
}

CategoryAndDescription::CategoryAndDescription(TaskControls& controls, QWidget* parent)
    : CategoryAndDescription(parent) {
    m_controls = &controls;
    ScheduleRecord& task = controls.task();
    controls.fields().custom(
        m_categories,
        [this, &task] {
            fill();
            if (m_categories->count() == 0) {
                task.Category.clear();
            }
            m_categories->setCurrentIndex(
                FixedText::isBlank(task.Category)
                    ? -1
                    : m_categories->findText(FixedText::rtrim(task.Category),
                                             Qt::MatchFixedString));
        },
        [this, &task] {
            if (m_categories->currentIndex() >= 0) {
                task.Category =
                    FixedText::fit(m_categories->currentText(), ScheduleRecord::kCategoryWidth);
            }
            return true;
        });
    controls.fields().text(m_description, task.Description, ScheduleRecord::kDescriptionWidth);
}

void CategoryAndDescription::fill() {
    if (m_filled) {
        return;
    }
    m_filled = true;
    Store& store = *m_controls->app().store;
    QStringList names;
    const int code = CategoryNames::read(store, names);
    m_categories->addItems(names);
    if (code != 0) {
        StandardWarning(store, 35, QStringLiteral("Categories"));
        emit failed();
    }
}

} // namespace velatask
