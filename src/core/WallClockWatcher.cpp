#include "WallClockWatcher.h"

#include <QSocketNotifier>

#include <sys/timerfd.h>

#include <cerrno>
#include <cstdint>
#include <unistd.h>

WallClockWatcher::WallClockWatcher(QObject* parent)
    : QObject(parent)
{
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0)
        return;
    if (!arm()) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WallClockWatcher::readNotice);
}

WallClockWatcher::~WallClockWatcher()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

// An absolute timer on the real-time clock, armed for a moment that never comes, is cancelled by the
// kernel whenever the clock is set: the one notice Linux gives of that without polling.
bool WallClockWatcher::arm()
{
    itimerspec never{};
    never.it_value.tv_sec = static_cast<time_t>(INT64_C(1) << 40);
    return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &never, nullptr) == 0;
}

void WallClockWatcher::readNotice()
{
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(m_fd, &expirations, sizeof expirations);
    if (got < 0 && errno == EAGAIN)
        return;
    // Cancelled or (in some tens of thousands of years) expired: either way arm again for the next one.
    const bool changed = got < 0 && errno == ECANCELED;
    if (!arm()) {
        m_notifier->setEnabled(false);
        return;
    }
    if (changed)
        emit clockChanged();
}
