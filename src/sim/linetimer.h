#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

// A one-shot timer with nanosecond resolution for the line emulation. A
// QTimer counts whole milliseconds; rounded up, every emulated byte would
// arrive up to a millisecond late, and a run of a thousand exchanges would
// take a second longer than its line time. On Linux a timerfd keeps the
// time to the microsecond; elsewhere a precise QTimer rounds up to the next
// millisecond (never early).
class LineTimer : public QObject
{
    Q_OBJECT

public:
    explicit LineTimer(QObject *parent = nullptr);
    ~LineTimer() override;

    // Fires once after `ns` nanoseconds; 0 or less fires at the next pass
    // of the event loop. Starting an active timer restarts it.
    void start(qint64 ns);
    void stop();
    bool isActive() const { return m_active; }

signals:
    void timeout();

private:
    void fire();

    bool m_active = false;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_fallback;
};
