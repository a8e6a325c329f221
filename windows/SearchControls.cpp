#include "windows/SearchControls.h"

#include "editing/CategoryNames.h"
#include "store/StandardWarning.h"
#include "store/Store.h"
#include "ui/OptionGroup.h"
#include "windows/SearchField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace velatask {

SearchField* SearchControls::option(const QString& field, OptionGroup* group) {
    const std::vector<QWidget*> focusables(group->buttons().begin(), group->buttons().end());
    auto* f = new SearchField(field, FieldKind::Option, Picture(), group, focusables,
                              {[group] { return QVariant(group->value()); },
                               [group](const QVariant& v) { group->setValue(v.toString()); }},
                              m_owner);
    QObject::connect(group, &OptionGroup::chosen, f, &SearchField::edited);
    return f;
}

SearchField* SearchControls::categories(QComboBox* list) {
    list->addItem(QString());
    SearchField::Access access{
        [list] { return QVariant(list->currentText()); },
        [list](const QVariant& v) {
            const QSignalBlocker quiet(list);
            list->setCurrentIndex(std::max(0, list->findText(v.toString(), Qt::MatchFixedString)));
        }};
    auto* f = new SearchField(QStringLiteral("Category"), FieldKind::Option, Picture(), list, {},
                              access, m_owner);
    QObject::connect(list, &QComboBox::activated, f, &SearchField::edited);
    return f;
}

bool SearchControls::fillCategories(SearchField& categories, Store& store) {
    auto* list = qobject_cast<QComboBox*>(categories.control());
    const QString chosen = list->currentText();
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItem(QString());
    QStringList names;
    const int code = CategoryNames::read(store, names);
    list->addItems(names);
    list->setCurrentIndex(std::max(0, list->findText(chosen)));
    if (code != 0) {
        StandardWarning(store, 35, QStringLiteral("Categories"));
        return false;
    }
    return true;
}

SearchField* SearchControls::text(const QString& field, QLineEdit* edit) {
    auto* f = new SearchField(field, FieldKind::String, Picture(), edit, {},
                              {[edit] { return QVariant(edit->text()); },
                               [edit](const QVariant& v) { edit->setText(v.toString()); }},
                              m_owner);
    QObject::connect(edit, &QLineEdit::textEdited, f, &SearchField::edited);
    return f;
}

SearchField* SearchControls::memo(const QString& field, QPlainTextEdit* text) {
    SearchField::Access access{[text] { return QVariant(text->toPlainText()); },
                               [text](const QVariant& v) {
                                   const QSignalBlocker quiet(text);
                                   text->setPlainText(v.toString());
                               }};
    auto* f = new SearchField(field, FieldKind::Text, Picture(), text, {}, access, m_owner);
    QObject::connect(text, &QPlainTextEdit::textChanged, f, &SearchField::edited);
    return f;
}

SearchField* SearchControls::check(const QString& field, QCheckBox* box) {
    SearchField::Access access{[box] { return QVariant(qlonglong(box->isChecked() ? 1 : 0)); },
                               [box](const QVariant& v) {
                                   const QSignalBlocker quiet(box);
                                   box->setChecked(v.toLongLong() != 0);
                               }};
    auto* f = new SearchField(field, FieldKind::Check, Picture(), box, {}, access, m_owner);
    QObject::connect(box, &QCheckBox::toggled, f, &SearchField::edited);
    return f;
}

SearchField* SearchControls::number(const QString& field, QSpinBox* count) {
    count->setSpecialValueText(QStringLiteral(" "));
    SearchField::Access access{[count] { return QVariant(qlonglong(count->value())); },
                               [count](const QVariant& v) {
                                   const QSignalBlocker quiet(count);
                                   count->setValue(int(v.toLongLong()));
                               }};
    auto* f =
        new SearchField(field, FieldKind::Number, Picture(u"@n6"), count, {}, access, m_owner);
    QObject::connect(count, &QSpinBox::valueChanged, f, &SearchField::edited);
    return f;
}

SearchField* SearchControls::picture(const QString& field, QLineEdit* edit,
                                     const Picture& picture) {
    SearchField::Access access{
        [edit, picture] {
            const std::optional<std::int64_t> n = picture.read(edit->text());
            return n ? QVariant(qlonglong(*n)) : QVariant();
        },
        [edit, picture](const QVariant& v) { edit->setText(picture.format(v.toLongLong())); }};
    // Dates and times are searched as numbers; the picture reads and shows them.
    auto* f = new SearchField(field, FieldKind::Date, picture, edit, {}, access, m_owner);
    QObject::connect(edit, &QLineEdit::textEdited, f, &SearchField::edited);
    return f;
}

} // namespace velatask
