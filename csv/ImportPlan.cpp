#include "csv/ImportPlan.h"

#include "core/FixedText.h"

namespace velatask {

const QString ImportPlan::kQuotedPicture = QStringLiteral("@S1000");
const QString ImportPlan::kUnquotedPicture = QStringLiteral("@N30.9");

void ImportPlan::setFields(const std::vector<CsvField>& firstLine) {
    m_fields.clear();
    for (const CsvField& f : firstLine) {
        m_fields.emplace_back();
        setPicture(fieldCount() - 1, f.quoted ? kQuotedPicture : kUnquotedPicture);
    }
    m_targets.fill(kNone);
}

QString ImportPlan::fieldName(int field) {
    return QStringLiteral("Field_%1").arg(field + 1);
}

QString ImportPlan::picture(int field) const {
    return field >= 0 && field < fieldCount() ? m_fields[size_t(field)].picture : QString();
}

void ImportPlan::setPicture(int field, const QString& picture) {
    if (field < 0 || field >= fieldCount()) {
        return;
    }
    Field& f = m_fields[size_t(field)];
    f.picture = picture;
    f.how = CsvText::classify(picture);
    f.reader = Picture(picture);
}

QString ImportPlan::typeWord(int field) const {
    switch (CsvText::classify(picture(field))) {
    case CsvText::PictureClass::String:
        return QStringLiteral("Alpha-num");
    case CsvText::PictureClass::Numeric:
        return QStringLiteral("Numeric");
    case CsvText::PictureClass::Other:
        break;
    }
    return picture(field);
}

int ImportPlan::assignment(int target) const {
    return target >= 0 && target < ScheduleField::kCount ? m_targets[size_t(target)] : kNone;
}

void ImportPlan::assign(int target, int field) {
    if (target >= 0 && target < ScheduleField::kCount && field >= 0 && field < fieldCount()) {
        m_targets[size_t(target)] = field;
    }
}

void ImportPlan::unassign(int target) {
    if (target >= 0 && target < ScheduleField::kCount) {
        m_targets[size_t(target)] = kNone;
    }
}

bool ImportPlan::anyAssigned() const {
    for (const int f : m_targets) {
        if (f != kNone) {
            return true;
        }
    }
    return false;
}

void ImportPlan::autoAssign(const QStringList& values) {
    for (int t = 0; t < ScheduleField::kCount; ++t) {
        if (m_targets[size_t(t)] != kNone) {
            continue;
        }
        const ScheduleField& target = ScheduleField::all()[size_t(t)];
        for (int f = 0; f < fieldCount() && f < values.size(); ++f) {
            if (!FixedText::equal(values[f], target.nameText())) {
                continue;
            }
            m_targets[size_t(t)] = f;
            if (picture(f) == kQuotedPicture &&
                CsvText::classify(target.pictureText()) == CsvText::PictureClass::Other) {
                setPicture(f, target.pictureText());
            }
            break;
        }
    }
}

void ImportPlan::apply(QStringView record, ScheduleRecord& task) const {
    CsvFieldReader reader(record);
    size_t n = 0;
    for (;; ++n) {
        if (n == m_split.size()) {
            m_split.emplace_back();
        }
        if (!reader.next(m_split[n])) {
            break;
        }
    }
    const auto& fields = ScheduleField::all();
    for (size_t t = 0; t < fields.size(); ++t) {
        const int f = m_targets[t];
        if (f == kNone || size_t(f) >= n) {
            continue;
        }
        const Field& how = m_fields[size_t(f)];
        const QString& text = m_split[size_t(f)].text;
        if (how.how == CsvText::PictureClass::Other && how.reader.isValid()) {
            // Read through its picture; text that the picture cannot read counts as 0.
            fields[t].setNumber(task, how.reader.read(text).value_or(0));
        } else {
            fields[t].setText(task, text);
        }
    }
}

} // namespace velatask
