#pragma once

#include "core/Picture.h"
#include "qbe/Criterion.h"

#include <QObject>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QWidget;

namespace velatask {

// One control of the search window as a criterion: the record field and kind it stands for,
// the match type chosen for it with its upper limit, and the mark beside the control that
// shows the type. The value is the control's: text for text kinds, a number (read through the
// field's picture when it has one) for the others.
class SearchField : public QObject {
    Q_OBJECT
public:
    // How the value gets out of the control and into it. `read` answers an invalid QVariant
    // for text the field's picture cannot read.
    struct Access {
        std::function<QVariant()> read;
        std::function<void(const QVariant&)> show;
    };

    SearchField(QString field, FieldKind kind, Picture picture, QWidget* control,
                std::vector<QWidget*> focusables, Access access, QObject* parent = nullptr);

    const QString& field() const { return m_field; }
    FieldKind kind() const { return m_kind; }
    QWidget* control() const { return m_control; }
    QLabel* mark() const { return m_mark; }
    // The focus is on one of the field's controls.
    bool owns(const QWidget* focus) const;
    // The control to put the focus on.
    QWidget* focusControl() const { return m_focusables.front(); }

    MatchType type() const { return m_type; }
    void setType(MatchType type);
    const QVariant& upper() const { return m_upper; }
    void setUpper(const QVariant& upper) { m_upper = upper; }

    // The control's value; nullopt when its text cannot be read through the picture.
    std::optional<QVariant> value() const;
    void showValue(const QVariant& value);
    // The criterion the control stands for now; nullopt when its value cannot be read.
    std::optional<Criterion> criterion() const;

    // A value as the user types it, and back (for the limits of a range).
    QString text(const QVariant& value) const;
    std::optional<QVariant> parse(const QString& text) const;

    // The user changed the value: a field still ignored becomes "equals".
    void edited();

private:
    QString m_field;
    FieldKind m_kind;
    Picture m_picture;
    QWidget* m_control;
    std::vector<QWidget*> m_focusables;
    Access m_access;
    QLabel* m_mark = nullptr;
    MatchType m_type = MatchType::Ignore;
    QVariant m_upper;
};

} // namespace velatask
