#include "windows/CalendarDialog.h"

#include "core/Date.h"
#include "core/FixedText.h"
#include "core/Ui.h"
#include "platform/Clock.h"
#include "resources/Resources.h"
#include "settings/qt/WidgetGeometry.h"
#include "windows/CalendarMonth.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace velatask {
namespace {

const QString kSection = QStringLiteral("Calendar");

// A spin field whose arrows wrap inside the valid range, while typing may still produce an
// out-of-range value that the calendar rejects with its message.
class WrappingSpinBox : public QSpinBox {
public:
    WrappingSpinBox(int low, int high, QWidget* parent)
        : QSpinBox(parent), m_low(low), m_high(high) {
        setRange(0, high < 100 ? 99 : 9999);
        setKeyboardTracking(false);
    }
    void stepBy(int steps) override {
        int v = value() + steps;
        if (v > m_high) {
            v = m_low;
        } else if (v < m_low) {
            v = m_high;
        }
        setValue(v);
        emit editingFinished();
    }

private:
    int m_low;
    int m_high;
};

QPushButton* arrowButton(const char* icon, const QString& tip, QWidget* parent) {
    auto* b = new QPushButton(resourceIcon(QLatin1String(icon)), QString(), parent);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CalendarDialog::CalendarDialog(IniFile& ini, const Clock& clock, Ui& ui, const ScheduleRecord& task,
                               std::int32_t date, const QString& mode, const QString& title,
                               QWidget* parent)
    : QDialog(parent), m_ini(ini), m_clock(clock), m_ui(ui), m_task(task), m_passed(date),
      m_result(date), m_filter(FixedText::rtrim(mode) != QLatin1String("None")) {
    buildWindow();
    WidgetGeometry::restore(this, m_ini, kSection);

    const std::int32_t start = date == 0 ? m_clock.today() : date;
    const Ymd c = Date::toYmd(start);
    m_month = c.month;
    m_year = c.year;
    const QString caption = FixedText::rtrim(title);
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Select Date") : caption);
    fillGrid();
    m_days[CalendarMonth::firstButton(m_month, m_year) + c.day - 1]->setFocus();
}

CalendarDialog::~CalendarDialog() = default;

void CalendarDialog::buildWindow() {
    setWindowIcon(resourceIcon(QStringLiteral("CAL.ICO")));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    QPushButton* prevYear = arrowButton("LEFT2", tr("Previous year"), this);
    QPushButton* prevMonth = arrowButton("LEFT", tr("Previous month"), this);
    QPushButton* nextMonthButton = arrowButton("RIGHT", tr("Next month"), this);
    QPushButton* nextYearButton = arrowButton("RIGHT2", tr("Next year"), this);
    m_monthField = new WrappingSpinBox(1, 12, this);
    m_yearField = new WrappingSpinBox(Date::kFirstYear, Date::kLastYear, this);
    auto* monthLabel = new QLabel(QStringLiteral("Month:"), this);
    monthLabel->setBuddy(m_monthField);
    auto* yearLabel = new QLabel(QStringLiteral("Year:"), this);
    yearLabel->setBuddy(m_yearField);
    top->addWidget(prevYear);
    top->addWidget(prevMonth);
    top->addStretch();
    top->addWidget(monthLabel);
    top->addWidget(m_monthField);
    top->addSpacing(12);
    top->addWidget(yearLabel);
    top->addWidget(m_yearField);
    top->addStretch();
    top->addWidget(nextMonthButton);
    top->addWidget(nextYearButton);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    grid->setSpacing(3);
    static const char* const kDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int c = 0; c < 7; ++c) {
        auto* label = new QLabel(QLatin1String(kDayNames[c]), this);
        label->setAlignment(Qt::AlignCenter);
        grid->addWidget(label, 0, c);
    }
    for (int k = 0; k < CalendarMonth::kButtons; ++k) {
        auto* b = new QPushButton(this);
        b->setAutoDefault(false);
        b->setMinimumSize(38, 30);
        QSizePolicy policy = b->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        b->setSizePolicy(policy);
        connect(b, &QPushButton::clicked, this, [this, k] { pick(k); });
        grid->addWidget(b, 1 + k / 7, k % 7);
        m_days[k] = b;
    }
    layout->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    auto* close =
        new QPushButton(resourceIcon(QStringLiteral("EXIT.ICO")), QStringLiteral("Cl&ose"), this);
    close->setAutoDefault(false);
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(prevMonth, &QPushButton::clicked, this, &CalendarDialog::previousMonth);
    connect(nextMonthButton, &QPushButton::clicked, this, &CalendarDialog::nextMonth);
    connect(prevYear, &QPushButton::clicked, this, &CalendarDialog::previousYear);
    connect(nextYearButton, &QPushButton::clicked, this, &CalendarDialog::nextYear);
    connect(m_monthField, &QSpinBox::editingFinished, this, &CalendarDialog::monthAccepted);
    connect(m_yearField, &QSpinBox::editingFinished, this, &CalendarDialog::yearAccepted);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void CalendarDialog::fillGrid() {
    const auto cells = CalendarMonth::fill(m_month, m_year, m_filter, m_task);
    for (int k = 0; k < CalendarMonth::kButtons; ++k) {
        QPushButton* b = m_days[k];
        b->setText(cells[k].day ? QString::number(cells[k].day) : QString());
        b->setEnabled(cells[k].enabled);
        b->setVisible(cells[k].visible);
    }
    showMonthYear();
}

void CalendarDialog::showMonthYear() {
    const QSignalBlocker a(m_monthField);
    const QSignalBlocker b(m_yearField);
    m_monthField->setValue(m_month);
    m_yearField->setValue(m_year);
}

void CalendarDialog::pick(int index) {
    const int day = m_days[index]->text().toInt();
    if (day == 0) {
        return;
    }
    const std::int32_t date = Date::make(m_month, day, m_year);
    if (date < m_clock.today()) {
        const int answer = m_ui.message(
            QStringLiteral("You have selected a date earlier than today.  Do you wish to use "
                           "this date?"),
            QStringLiteral("Confirm"), Ui::Exclamation, Ui::Yes | Ui::No, Ui::No);
        if (answer != Ui::Yes) {
            return;
        }
    }
    m_result = date;
    accept();
}

void CalendarDialog::previousMonth() {
    if (--m_month < 1) {
        m_month = 12;
        --m_year;
    }
    fillGrid();
}

void CalendarDialog::nextMonth() {
    if (++m_month > 12) {
        m_month = 1;
        ++m_year;
    }
    fillGrid();
}

void CalendarDialog::previousYear() {
    if (--m_year < Date::kFirstYear) {
        m_year = Date::kLastYear;
    }
    fillGrid();
}

void CalendarDialog::nextYear() {
    if (++m_year > Date::kLastYear) {
        m_year = Date::kFirstYear;
    }
    fillGrid();
}

void CalendarDialog::monthAccepted() {
    if (m_validating) {
        return;
    }
    const int month = m_monthField->value();
    if (month >= 1 && month <= 12) {
        if (month != m_month) {
            m_month = month;
            fillGrid();
        }
        return;
    }
    m_validating = true;
    m_ui.message(QStringLiteral("Month should be between 1 to 12"), QStringLiteral("Error Message"),
                 Ui::Information, Ui::Ok, Ui::Ok);
    m_validating = false;
    m_monthField->setFocus();
    m_monthField->selectAll();
}

void CalendarDialog::yearAccepted() {
    if (m_validating) {
        return;
    }
    const int year = m_yearField->value();
    if (year >= Date::kFirstYear && year <= Date::kLastYear) {
        if (year != m_year) {
            m_year = year;
            fillGrid();
        }
        return;
    }
    m_validating = true;
    m_ui.message(QStringLiteral("Year should be between %1 to %2")
                     .arg(Date::kFirstYear)
                     .arg(Date::kLastYear),
                 QStringLiteral("Error Message"), Ui::Information, Ui::Ok, Ui::Ok);
    m_validating = false;
    m_yearField->setFocus();
    m_yearField->selectAll();
}

void CalendarDialog::done(int r) {
    WidgetGeometry::save(this, m_ini, kSection);
    if (r != QDialog::Accepted) {
        m_result = m_passed;
    }
    QDialog::done(r);
}

std::int32_t Calendar(IniFile& ini, const Clock& clock, Ui& ui, const ScheduleRecord& task,
                      std::int32_t date, const QString& mode, const QString& title,
                      QWidget* parent) {
    CalendarDialog dialog(ini, clock, ui, task, date, mode, title, parent);
    dialog.exec();
    return dialog.pickedDate();
}

} // namespace velatask
