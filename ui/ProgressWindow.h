#pragma once

#include "ui/Request.h"

#include <QDialog>
#include <QTimer>

#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velatask {

// A batch job as the progress window drives it: each tick of the window's timer hands it a slice
// of at most N records; it answers false once the work is done (or has failed and said so).
struct ProgressJob {
    std::function<bool(int records)> slice;
    // Percent done so far, 0 to 100.
    std::function<int()> percent;
};

// "Progress...": a bar, a text line, an optional second line, the percentage line and "Cancel".
// run() works the job slice by slice from the window's own timer, so the rest of the program
// (the main frame's one-second timer included) runs between slices; "Cancel" stops it before the
// next slice.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(const QString& text, const QString& secondText = QString(),
                            QWidget* parent = nullptr);

    // Completed when the job ran to its end, Cancelled when the user stopped it.
    Response run(const ProgressJob& job, int recordsPerTick = 25);

    // Asked when the user presses "Cancel" (or closes the window): false carries on. Slices wait
    // while it asks.
    void setCancelQuestion(std::function<bool()> question) {
        m_cancelQuestion = std::move(question);
    }

    void setText(const QString& text);
    void setSecondText(const QString& text);
    void setPercent(int percent);

    QLabel* textLine() const { return m_text; }
    QLabel* secondLine() const { return m_second; }
    QLabel* percentLine() const { return m_percentLine; }
    QPushButton* cancelButton() const { return m_cancel; }
    int slicesRun() const { return m_slices; }

    // records done x 100 / records to process, at most 100 (100 when there is nothing to do).
    static int percentOf(std::int64_t done, std::int64_t total);

    void reject() override;

private:
    void tick();

    QProgressBar* m_bar = nullptr;
    QLabel* m_text = nullptr;
    QLabel* m_second = nullptr;
    QLabel* m_percentLine = nullptr;
    QPushButton* m_cancel = nullptr;
    QTimer m_timer;
    const ProgressJob* m_job = nullptr;
    std::function<bool()> m_cancelQuestion;
    int m_perTick = 25;
    int m_percent = -1;
    int m_slices = 0;
    bool m_cancelled = false;
};

} // namespace velatask
