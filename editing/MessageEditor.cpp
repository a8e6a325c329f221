#include "editing/MessageEditor.h"

#include "core/FixedText.h"
#include "editing/TaskControls.h"
#include "store/ScheduleRecord.h"
#include "ui/FieldBindings.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QVBoxLayout>

namespace velatask {

MessageEditor::MessageEditor(QWidget* parent) : QWidget(parent) {
    m_text = new QPlainTextEdit(this);
    m_text->setToolTip(QStringLiteral("Message to display"));
    m_text->setTabChangesFocus(true);
    auto* label = new QLabel(QStringLiteral("Enter your customized message here..."), this);
    label->setBuddy(m_text);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    connect(m_text, &QPlainTextEdit::textChanged, this, &MessageEditor::keepToWidth);
}

MessageEditor::MessageEditor(TaskControls& controls, QWidget* parent) : MessageEditor(parent) {
    QString& message = controls.task().Message;
    controls.fields().custom(
        m_text, [this, &message] { m_text->setPlainText(message); },
        [this, &message] {
            message = FixedText::fit(m_text->toPlainText(), ScheduleRecord::kMessageWidth);
            return true;
        });
}

void MessageEditor::keepToWidth() {
    const QString text = m_text->toPlainText();
    if (text.size() <= ScheduleRecord::kMessageWidth) {
        return;
    }
    const int position = m_text->textCursor().position();
    m_text->setPlainText(text.left(ScheduleRecord::kMessageWidth));
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(std::min(position, ScheduleRecord::kMessageWidth));
    m_text->setTextCursor(cursor);
}

} // namespace velatask
