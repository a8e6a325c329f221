#include "ui/FieldBindings.h"

#include "core/FixedText.h"

namespace velatask {

void FieldBindings::add(QWidget* control, std::function<void()> load, std::function<bool()> store) {
    m_bindings.push_back(Binding{control, std::move(load), std::move(store)});
}

void FieldBindings::text(QLineEdit* edit, QString& field, int width) {
    edit->setMaxLength(width);
    add(
        edit, [edit, &field, width] { edit->setText(FixedText::fit(field, width)); },
        [edit, &field, width] {
            field = FixedText::fit(edit->text(), width);
            return true;
        });
}

void FieldBindings::picture(QLineEdit* edit, std::int32_t& field, const Picture& picture) {
    add(
        edit, [edit, &field, picture] { edit->setText(picture.format(field)); },
        [edit, &field, picture] {
            // Text the user left as shown keeps the field's own value, which may be finer than
            // the picture shows (a time's seconds).
            if (edit->text() == picture.format(field)) {
                return true;
            }
            const std::optional<std::int64_t> value = picture.read(edit->text());
            if (!value) {
                return false;
            }
            field = std::int32_t(*value);
            return true;
        });
}

void FieldBindings::flag(QCheckBox* box, std::uint8_t& field) {
    add(
        box, [box, &field] { box->setChecked(field != 0); },
        [box, &field] {
            field = box->isChecked() ? 1 : 0;
            return true;
        });
}

void FieldBindings::load() const {
    for (const Binding& b : m_bindings) {
        b.load();
    }
}

QWidget* FieldBindings::store() const {
    QWidget* invalid = nullptr;
    for (const Binding& b : m_bindings) {
        if (!b.store() && !invalid) {
            invalid = b.control;
        }
    }
    return invalid;
}

} // namespace velatask
