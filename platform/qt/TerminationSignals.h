#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace velatask {

// Turns SIGTERM, SIGINT and SIGHUP (logout, `kill`, Ctrl+C) into a Qt signal on the thread that
// created it. The handler only writes the signal's number into a pipe; a socket notifier reads it
// when the event loop next runs, so nothing but that write happens inside the handler. One
// instance at a time; the previous handlers come back when it is destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the pipe could not be made; the signals then keep their default effect.
    bool installed() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readPipe();

    std::array<int, 2> m_pipe{-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    std::array<struct sigaction, 3> m_previous{};
};

} // namespace velatask
