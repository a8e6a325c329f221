#pragma once

#include "core/Picture.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace velatask {

// The controls of a form bound to the fields of the record buffer they edit: load() shows the
// buffer, store() writes the controls back. Fields are referenced in place, so the buffer must
// outlive the bindings (the store's shared buffers do).
class FieldBindings {
public:
    // A text field of `width` characters.
    void text(QLineEdit* edit, QString& field, int width);
    // A date, time or number shown and read through a picture.
    void picture(QLineEdit* edit, std::int32_t& field, const Picture& picture);
    void flag(QCheckBox* box, std::uint8_t& field);
    template <class Int> void number(QSpinBox* spin, Int& field) {
        add(
            spin, [spin, &field] { spin->setValue(int(field)); },
            [spin, &field] {
                spin->interpretText();
                field = Int(spin->value());
                return true;
            });
    }

    // Any other control: `load` shows the field, `store` reads it back (false when it cannot).
    void custom(QWidget* control, std::function<void()> load, std::function<bool()> store) {
        add(control, std::move(load), std::move(store));
    }

    void load() const;
    // The first control whose text its picture cannot read (the buffer keeps the old value
    // there), or nullptr when everything was stored.
    QWidget* store() const;

private:
    struct Binding {
        QWidget* control;
        std::function<void()> load;
        std::function<bool()> store;
    };
    void add(QWidget* control, std::function<void()> load, std::function<bool()> store);

    std::vector<Binding> m_bindings;
};

} // namespace velatask
