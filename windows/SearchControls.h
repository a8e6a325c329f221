#pragma once

#include "core/Picture.h"
#include "qbe/FieldKind.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QObject;
class QPlainTextEdit;
class QSpinBox;

namespace velatask {

class OptionGroup;
class SearchField;
class Store;

// Makes the controls of the task form's building blocks into search fields: each stands for the
// record field it edits on the task form, and an edit of it makes the field take part.
class SearchControls {
public:
    explicit SearchControls(QObject* owner) : m_owner(owner) {}

    // The value is the chosen button's text.
    SearchField* option(const QString& field, OptionGroup* group);
    // A drop list of the categories, blank first (fillCategories).
    SearchField* categories(QComboBox* list);
    SearchField* text(const QString& field, QLineEdit* edit);
    SearchField* memo(const QString& field, QPlainTextEdit* text);
    SearchField* check(const QString& field, QCheckBox* box);
    // A count; 0 stands for no example.
    SearchField* number(const QString& field, QSpinBox* count);
    // A date or a time, read and shown through its picture.
    SearchField* picture(const QString& field, QLineEdit* edit, const Picture& picture);

    // Reads the categories into the drop list; false when they could not be read (the warning
    // was shown).
    static bool fillCategories(SearchField& categories, Store& store);

private:
    QObject* m_owner;
};

} // namespace velatask
