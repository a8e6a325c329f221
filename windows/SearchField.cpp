#include "windows/SearchField.h"

#include "windows/CodeMark.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace velatask {

SearchField::SearchField(QString field, FieldKind kind, Picture picture, QWidget* control,
                         std::vector<QWidget*> focusables, Access access, QObject* parent)
    : QObject(parent), m_field(std::move(field)), m_kind(kind), m_picture(picture),
      m_control(control), m_focusables(std::move(focusables)), m_access(std::move(access)) {
    if (m_focusables.empty()) {
        m_focusables.push_back(control);
    }
    m_mark = CodeMark::attach(control);
    setType(MatchType::Ignore);
}

bool SearchField::owns(const QWidget* focus) const {
    return focus && std::any_of(m_focusables.begin(), m_focusables.end(), [focus](QWidget* w) {
               return w == focus || w->isAncestorOf(focus);
           });
}

void SearchField::setType(MatchType type) {
    m_type = type;
    m_mark->setText(MatchTypes::code(type));
    m_mark->setToolTip(MatchTypes::dialogText(type).remove(QLatin1Char('&')));
    m_mark->setAccessibleDescription(m_mark->toolTip());
}

std::optional<QVariant> SearchField::value() const {
    const QVariant v = m_access.read();
    if (!v.isValid()) {
        return std::nullopt;
    }
    return v;
}

void SearchField::showValue(const QVariant& value) {
    m_access.show(value);
}

std::optional<Criterion> SearchField::criterion() const {
    const std::optional<QVariant> v = value();
    if (!v) {
        return std::nullopt;
    }
    return Criterion{m_field, m_kind, m_type, *v, m_upper};
}

QString SearchField::text(const QVariant& value) const {
    if (FieldKinds::isText(m_kind) || !m_picture.isValid()) {
        return value.toString();
    }
    return m_picture.format(value.toLongLong());
}

std::optional<QVariant> SearchField::parse(const QString& text) const {
    if (FieldKinds::isText(m_kind)) {
        return QVariant(text);
    }
    if (m_picture.isValid()) {
        const std::optional<std::int64_t> n = m_picture.read(text);
        return n ? std::optional<QVariant>(qlonglong(*n)) : std::nullopt;
    }
    bool ok = false;
    const qlonglong n = text.trimmed().isEmpty() ? 0 : text.trimmed().toLongLong(&ok);
    return ok || text.trimmed().isEmpty() ? std::optional<QVariant>(n) : std::nullopt;
}

void SearchField::edited() {
    if (m_type == MatchType::Ignore) {
        setType(MatchType::Equals);
    }
}

} // namespace velatask
