#include "windows/SearchControls.h"

#include "core/Picture.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "windows/CodeMark.h"
#include "windows/SearchField.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace velatask {

namespace {

QLineEdit* sized(QLineEdit* edit, const QString& widest) {
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(widest + QStringLiteral("MM")));
    return edit;
}

SearchField::Access checkAccess(QCheckBox* box) {
    return {[box] { return QVariant(qlonglong(box->isChecked() ? 1 : 0)); },
            [box](const QVariant& v) {
                const QSignalBlocker quiet(box);
                box->setChecked(v.toLongLong() != 0);
            }};
}

SearchField::Access pictureAccess(QLineEdit* edit, const Picture& picture) {
    return {[edit, picture] {
                const std::optional<std::int64_t> n = picture.read(edit->text());
                return n ? QVariant(qlonglong(*n)) : QVariant();
            },
            [edit, picture](const QVariant& v) { edit->setText(picture.format(v.toLongLong())); }};
}

} // namespace

void SearchControls::edits(SearchField* field) {
    QWidget* c = field->control();
    if (auto* edit = qobject_cast<QLineEdit*>(c)) {
        QObject::connect(edit, &QLineEdit::textEdited, field, &SearchField::edited);
    } else if (auto* box = qobject_cast<QCheckBox*>(c)) {
        QObject::connect(box, &QCheckBox::toggled, field, &SearchField::edited);
    } else if (auto* list = qobject_cast<QComboBox*>(c)) {
        QObject::connect(list, &QComboBox::activated, field, &SearchField::edited);
    } else if (auto* spin = qobject_cast<QSpinBox*>(c)) {
        QObject::connect(spin, &QSpinBox::valueChanged, field, &SearchField::edited);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(c)) {
        QObject::connect(text, &QPlainTextEdit::textChanged, field, &SearchField::edited);
    }
}

SearchField* SearchControls::option(const QString& field, const QString& title,
                                    const QStringList& buttons, const QString& tip) {
    auto* group = new QGroupBox(title, m_page);
    group->setToolTip(tip);
    auto* grid = new QGridLayout(group);
    auto* exclusive = new QButtonGroup(group);
    std::vector<QWidget*> focusables;
    const int columns = buttons.size() > 4 ? 3 : 2;
    for (int i = 0; i < buttons.size(); ++i) {
        auto* b = new QRadioButton(buttons[i], group);
        exclusive->addButton(b);
        grid->addWidget(b, i / columns, i % columns);
        focusables.push_back(b);
    }
    m_form->addRow(group);
    SearchField::Access access{
        [exclusive] {
            QAbstractButton* chosen = exclusive->checkedButton();
            return QVariant(chosen ? chosen->text().remove(QLatin1Char('&')) : QString());
        },
        [exclusive](const QVariant& v) {
            // No button stays chosen for a value that is none of them.
            exclusive->setExclusive(false);
            for (QAbstractButton* b : exclusive->buttons()) {
                const QSignalBlocker quiet(b);
                b->setChecked(b->text()
                                  .remove(QLatin1Char('&'))
                                  .compare(v.toString().trimmed(), Qt::CaseInsensitive) == 0);
            }
            exclusive->setExclusive(true);
        }};
    auto* f =
        new SearchField(field, FieldKind::Option, Picture(), group, focusables, access, m_owner);
    QObject::connect(exclusive, &QButtonGroup::buttonClicked, f, &SearchField::edited);
    return f;
}

SearchField* SearchControls::categories(const QString& label) {
    auto* list = new QComboBox(m_page);
    list->addItem(QString());
    m_form->addRow(label, list);
    SearchField::Access access{
        [list] { return QVariant(list->currentText()); },
        [list](const QVariant& v) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(std::max(0, list->findText(v.toString(), Qt::MatchFixedString)));
        }};
    auto* f = new SearchField(QStringLiteral("Category"), FieldKind::Option, Picture(), list, {},
                              access, m_owner);
    edits(f);
    return f;
}

bool SearchControls::fillCategories(SearchField& categories, Store& store) {
    auto* list = qobject_cast<QComboBox*>(categories.control());
    const QString chosen = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItem(QString());
    store.CAT.setStart(CategoryKey::KeyCategory);
    int code = 0;
    while ((code = store.CAT.next()) == 0) {
        list->addItem(store.CAT.buffer().Category);
    }
    list->setCurrentIndex(std::max(0, list->findText(chosen)));
    if (code != StoreCode::NoRecord) {
        StandardWarning(store, 35, QStringLiteral("Categories"));
        return false;
    }
    return true;
}

SearchField* SearchControls::text(const QString& field, const QString& label, int width,
                                  const QString& tip) {
    auto* edit = new QLineEdit(m_page);
    edit->setMaxLength(width);
    edit->setToolTip(tip);
    m_form->addRow(label, edit);
    SearchField::Access access{[edit] { return QVariant(edit->text()); },
                               [edit](const QVariant& v) { edit->setText(v.toString()); }};
    auto* f = new SearchField(field, FieldKind::String, Picture(), edit, {}, access, m_owner);
    edits(f);
    return f;
}

SearchField* SearchControls::memo(const QString& field, const QString& label, int width,
                                  const QString& tip) {
    auto* text = new QPlainTextEdit(m_page);
    text->setToolTip(tip);
    text->setTabChangesFocus(true);
    m_form->addRow(label, text);
    SearchField::Access access{[text, width] { return QVariant(text->toPlainText().left(width)); },
                               [text](const QVariant& v) {
                                   const QSignalBlocker quiet(text);
                                   text->setPlainText(v.toString());
                               }};
    auto* f = new SearchField(field, FieldKind::Text, Picture(), text, {}, access, m_owner);
    edits(f);
    return f;
}

SearchField* SearchControls::check(const QString& field, const QString& text, const QString& tip) {
    auto* box = new QCheckBox(text, m_page);
    box->setToolTip(tip);
    m_form->addRow(box);
    auto* f =
        new SearchField(field, FieldKind::Check, Picture(), box, {}, checkAccess(box), m_owner);
    edits(f);
    return f;
}

std::pair<SearchField*, SearchField*> SearchControls::dateAndTime(const QString& dateField,
                                                                  const QString& dateLabel,
                                                                  const QString& timeField,
                                                                  const QString& timeLabel) {
    auto* row = new QHBoxLayout;
    auto* date = sized(new QLineEdit(m_page), QStringLiteral("Sep 30, 2099"));
    auto* time = sized(new QLineEdit(m_page), QStringLiteral("12:59PM"));
    auto* timeTitle = new QLabel(timeLabel, m_page);
    timeTitle->setBuddy(time);
    row->addWidget(date);
    row->addWidget(timeTitle);
    row->addWidget(time);
    row->addStretch();
    auto* title = new QLabel(dateLabel, m_page);
    title->setBuddy(date);
    m_form->addRow(title, row);
    auto* d = new SearchField(dateField, FieldKind::Date, Picture(u"@d3"), date, {},
                              pictureAccess(date, Picture(u"@d3")), m_owner);
    // Times are searched as numbers; their picture reads and shows them.
    auto* t = new SearchField(timeField, FieldKind::Date, Picture(u"@t3"), time, {},
                              pictureAccess(time, Picture(u"@t3")), m_owner);
    edits(d);
    edits(t);
    return {d, t};
}

std::pair<QLineEdit*, QLineEdit*> SearchControls::shownDateAndTime(const QString& label,
                                                                   const QString& dateTip,
                                                                   const QString& timeTip) {
    auto* row = new QHBoxLayout;
    auto* date = sized(new QLineEdit(m_page), QStringLiteral("Sep 30, 2099"));
    auto* time = sized(new QLineEdit(m_page), QStringLiteral("12:59PM"));
    date->setReadOnly(true);
    time->setReadOnly(true);
    date->setToolTip(dateTip);
    time->setToolTip(timeTip);
    auto* timeTitle = new QLabel(QStringLiteral("Time:"), m_page);
    timeTitle->setBuddy(time);
    row->addWidget(date);
    row->addWidget(timeTitle);
    row->addWidget(time);
    row->addStretch();
    auto* title = new QLabel(label, m_page);
    title->setBuddy(date);
    m_form->addRow(title, row);
    // Marks that stay empty, so that these line up with the searched dates above and below.
    for (QLineEdit* edit : {date, time}) {
        QLabel* mark = CodeMark::attach(edit);
        mark->setToolTip(QString());
        mark->setAccessibleName(QString());
    }
    return {date, time};
}

std::vector<SearchField*> SearchControls::every() {
    auto* group = new QGroupBox(QStringLiteral("&Every..."), m_page);
    auto* grid = new QGridLayout(group);
    std::vector<SearchField*> out;
    auto box = [&](const QString& field, const QString& text, int row, int column) {
        auto* b = new QCheckBox(text, group);
        grid->addWidget(b, row, column);
        auto* f =
            new SearchField(field, FieldKind::Check, Picture(), b, {}, checkAccess(b), m_owner);
        edits(f);
        out.push_back(f);
    };
    const char* ordinals[][2] = {{"Every1st", "1st"},
                                 {"Every2nd", "2nd"},
                                 {"Every3rd", "3rd"},
                                 {"Every4th", "4th"},
                                 {"EveryLast", "Last"}};
    for (int i = 0; i < 5; ++i) {
        box(QLatin1String(ordinals[i][0]), QLatin1String(ordinals[i][1]), 0, i);
    }
    const char* days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                          "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i) {
        box(QLatin1String(days[i]), QLatin1String(days[i]), 1 + i / 5, i % 5);
    }
    auto* count = new QSpinBox(group);
    count->setRange(0, 999999);
    count->setSpecialValueText(QStringLiteral(" ")); // 0 is no example
    count->setToolTip(QStringLiteral("Repeat Task Every..."));
    auto* countLabel = new QLabel(QStringLiteral("Every:"), group);
    countLabel->setBuddy(count);
    grid->addWidget(countLabel, 3, 0);
    grid->addWidget(count, 3, 1);
    auto* every =
        new SearchField(QStringLiteral("Every"), FieldKind::Number, Picture(u"@n6"), count, {},
                        {[count] { return QVariant(qlonglong(count->value())); },
                         [count](const QVariant& v) {
                             const QSignalBlocker quiet(count);
                             count->setValue(int(v.toLongLong()));
                         }},
                        m_owner);
    edits(every);
    out.push_back(every);
    m_form->addRow(group);
    SearchControls units(group, nullptr, m_owner);
    auto* unitForm = new QFormLayout;
    grid->addLayout(unitForm, 4, 0, 1, 5);
    units.m_form = unitForm;
    out.push_back(units.option(QStringLiteral("EveryType"), QStringLiteral("Every Type"),
                               {QStringLiteral("minute(s)"), QStringLiteral("hour(s)"),
                                QStringLiteral("day(s)"), QStringLiteral("week(s)"),
                                QStringLiteral("month(s)"), QStringLiteral("year(s)")},
                               QString()));
    return out;
}

std::vector<SearchField*> SearchControls::alarm() {
    auto* group = new QGroupBox(QStringLiteral("Alarm"), m_page);
    auto* form = new QFormLayout(group);
    m_form->addRow(group);
    SearchControls inside(group, form, m_owner);
    return {inside.check(QStringLiteral("Alarm"), QStringLiteral("Alarm"),
                         QStringLiteral("Play a WAV file as an alarm")),
            inside.text(QStringLiteral("AlarmFile"), QStringLiteral("WAV File to Play:"), 80,
                        QString())};
}

} // namespace velatask
