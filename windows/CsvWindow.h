#pragma once

#include "csv/SliceBudget.h"
#include "ui/ProgressWindow.h"

#include <QWidget>

#include <functional>
#include <initializer_list>

class QLayout;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace velatask {

struct AppContext;

// What the export and import windows share: an independent window (an MDI child when it is put
// in one) whose size and position live in its own settings section, the "&OK", "&Cancel" and
// "Help" buttons, and the way it asks for a file.
class CsvWindow : public QWidget {
    Q_OBJECT
public:
    // Answers the chosen file, or an empty text when the user cancelled.
    using FileChooser = std::function<QString()>;

    CsvWindow(AppContext& ctx, const QString& section, QWidget* parent = nullptr);

    // Puts the window into the frame's area at its remembered place.
    QMdiSubWindow* showIn(QMdiArea* area);
    // The window's own frame: the MDI child around it, or itself.
    QWidget* frameWidget();
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    void setHelp(std::function<void()> help) { m_help = std::move(help); }

    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* helpButton() const { return m_helpButton; }
    // The window's push button with that text (mnemonic included); nullptr when there is none.
    QPushButton* button(const QString& text) const;

protected:
    QPushButton* makeButton(const QString& text, const std::function<void()>& onClick);
    // The lists above the window's option, then "&OK", "&Cancel" and "Help" in a row, OK the
    // default; OK runs `onOk`.
    void layOut(QLayout* lists, QWidget* option, const std::function<void()>& onOk);
    // The Tab order: these controls, then the row of buttons.
    void setKeyboardOrder(std::initializer_list<QWidget*> controls);
    // Runs an export or import job in a progress window until it ends or is cancelled.
    template <class Job> void runInProgressWindow(const QString& title, Job& job) {
        job.setSliceMilliseconds(SliceBudget::kWindowMs);
        ProgressWindow progress(title, QString(), this);
        const ProgressJob work{[&](int records) {
                                   const typename Job::Step step = job.step(records);
                                   if (step == Job::Step::Finished) {
                                       progress.setText(QStringLiteral("Process Completed"));
                                   }
                                   return step == Job::Step::More;
                               },
                               [&] { return job.percent(); }};
        progress.run(work, 25);
    }
    QString chooseFile() const { return m_chooser ? m_chooser() : QString(); }
    AppContext& context() { return m_ctx; }

    void closeEvent(QCloseEvent* event) override;

private:
    AppContext& m_ctx;
    QString m_section;
    FileChooser m_chooser;
    std::function<void()> m_help;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_helpButton = nullptr;
};

} // namespace velatask
