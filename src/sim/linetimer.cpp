#include "sim/linetimer.h"

#include <QSocketNotifier>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>
#endif

LineTimer::LineTimer(QObject *parent) : QObject(parent)
{
#ifdef Q_OS_LINUX
    m_fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_fd, &expirations, sizeof expirations);
            fire();
        });
        return;
    }
#endif
    m_fallback.setSingleShot(true);
    m_fallback.setTimerType(Qt::PreciseTimer);
    connect(&m_fallback, &QTimer::timeout, this, &LineTimer::fire);
}

LineTimer::~LineTimer()
{
#ifdef Q_OS_LINUX
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

void LineTimer::start(qint64 ns)
{
    m_active = true;
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        // An all-zero value would disarm the timer instead of firing it.
        ns = qMax<qint64>(ns, 1);
        itimerspec due{};
        due.it_value.tv_sec = time_t(ns / 1000000000);
        due.it_value.tv_nsec = long(ns % 1000000000);
        ::timerfd_settime(m_fd, 0, &due, nullptr);
        return;
    }
#endif
    m_fallback.start(int(qMax<qint64>(0, (ns + 999999) / 1000000)));
}

void LineTimer::stop()
{
    m_active = false;
#ifdef Q_OS_LINUX
    if (m_fd >= 0) {
        const itimerspec disarm{};
        ::timerfd_settime(m_fd, 0, &disarm, nullptr);
        return;
    }
#endif
    m_fallback.stop();
}

void LineTimer::fire()
{
    // A stop() after the expiry but before its notification wins.
    if (!m_active)
        return;
    m_active = false;
    emit timeout();
}
