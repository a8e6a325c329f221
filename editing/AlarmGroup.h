#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velatask {

class TaskControls;

// The group "Alarm": the check box, "WAV File to Play:" with its "&Browse", and "&Play" to hear
// the file at once. The file's controls are available only while "Alarm" is ticked.
class AlarmGroup : public QGroupBox {
    Q_OBJECT
public:
    AlarmGroup(TaskControls& controls, QWidget* parent = nullptr);
    // The check box and the file's entry alone, without "&Browse" and "&Play", always
    // available: for a window that reads them its own way.
    explicit AlarmGroup(QWidget* parent);

    QCheckBox* alarm() const { return m_alarm; }
    QLineEdit* wavFile() const { return m_file; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* playButton() const { return m_play; }

    // The title of the WAV dialog ("Select WAV File for Alarm" unless set).
    void setBrowseTitle(const QString& title) { m_browseTitle = title; }

    void browse();
    void play();

private:
    void enableFile(bool enabled);

    TaskControls* m_controls = nullptr;
    QString m_browseTitle = QStringLiteral("Select WAV File for Alarm");
    QCheckBox* m_alarm = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLineEdit* m_file = nullptr;
    QPushButton* m_browse = nullptr;
    QPushButton* m_play = nullptr;
};

} // namespace velatask
