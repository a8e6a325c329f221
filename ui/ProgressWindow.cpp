#include "ui/ProgressWindow.h"

#include "core/Picture.h"
#include "ui/Accessibility.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velatask {

ProgressWindow::ProgressWindow(const QString& text, const QString& secondText, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Progress..."));
    setModal(true);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setTextVisible(false);
    m_bar->setAccessibleName(QStringLiteral("Progress"));
    m_text = new QLabel(text, this);
    m_second = new QLabel(secondText, this);
    m_second->setVisible(!secondText.isEmpty());
    m_percentLine = new QLabel(QStringLiteral("0% Completed"), this);
    for (QLabel* line : {m_text, m_second, m_percentLine}) {
        line->setAlignment(Qt::AlignHCenter);
    }
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_text);
    layout->addWidget(m_second);
    layout->addWidget(m_percentLine);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setMinimumWidth(fontMetrics().averageCharWidth() * 40);

    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &ProgressWindow::tick);
    Accessibility::nameControls(this);
}

int ProgressWindow::percentOf(std::int64_t done, std::int64_t total) {
    if (total <= 0) {
        return 100;
    }
    return int(std::clamp<std::int64_t>(done * 100 / total, 0, 100));
}

void ProgressWindow::setText(const QString& text) {
    m_text->setText(text);
}

void ProgressWindow::setSecondText(const QString& text) {
    m_second->setText(text);
    m_second->setVisible(!text.isEmpty());
}

void ProgressWindow::setPercent(int percent) {
    if (percent == m_percent) {
        return;
    }
    m_percent = percent;
    m_bar->setValue(percent);
    m_percentLine->setText(Picture(u"@N3").format(percent) + QStringLiteral("% Completed"));
}

Response ProgressWindow::run(const ProgressJob& job, int recordsPerTick) {
    m_job = &job;
    m_perTick = std::max(1, recordsPerTick);
    m_cancelled = false;
    m_timer.start();
    const int result = exec();
    m_timer.stop();
    m_job = nullptr;
    return result == Accepted && !m_cancelled ? Response::Completed : Response::Cancelled;
}

void ProgressWindow::tick() {
    if (!m_job || m_cancelled) {
        return;
    }
    // A slice may open a message box; its event loop must not start the next slice.
    m_timer.stop();
    ++m_slices;
    const bool more = m_job->slice(m_perTick);
    if (m_cancelled) {
        return;
    }
    if (m_job->percent) {
        setPercent(m_job->percent());
    }
    if (more) {
        m_timer.start();
    } else {
        accept();
    }
}

void ProgressWindow::reject() {
    if (m_cancelQuestion && !m_cancelled) {
        const bool running = m_timer.isActive();
        m_timer.stop();
        if (!m_cancelQuestion()) {
            if (running) {
                m_timer.start();
            }
            return;
        }
    }
    m_cancelled = true;
    m_timer.stop();
    QDialog::reject();
}

} // namespace velatask
