#pragma once

#include <QString>

namespace velatask {

// What a message box shows; buttons are a combination of Ui::Button values.
struct MessageBoxSpec {
    QString title;
    QString text;
    int icon = 0;          // Ui::Icon
    int buttons = 1;       // Ui::Button bits
    int defaultButton = 0; // one Ui::Button, or 0 for none
};

// The user dialogue that logic needs. The desktop build shows real windows; tests answer with a
// scripted fake.
class Ui {
public:
    enum Icon { NoIcon = 0, Exclamation = 1, Question = 2, Information = 3 };
    enum Button { Ok = 1, Yes = 2, No = 4, Abort = 8, Retry = 16, Cancel = 64 };

    virtual ~Ui() = default;

    // Shows a modal message box and returns the button pressed.
    virtual int messageBox(const MessageBoxSpec& box) = 0;

    // Shows a box with an OK button and returns at once; the user closes it at leisure. For
    // reports from the scheduler, which must not wait for the user before its next tick.
    virtual void notice(const MessageBoxSpec& box) = 0;

    // Ends the program after a final message that cannot be recovered from; the text is the
    // last word shown ("Disk Error", "Invalid Key!"). Returns only in tests.
    virtual void stopProgram(const QString& finalText) = 0;

    // Convenience for the common box.
    int message(const QString& text, const QString& title = QString(), int icon = NoIcon,
                int buttons = Ok, int defaultButton = 0) {
        return messageBox(MessageBoxSpec{title, text, icon, buttons, defaultButton});
    }
};

} // namespace velatask
