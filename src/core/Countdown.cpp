#include "Countdown.h"

#include "WallClockWatcher.h"

namespace {

constexpr int kTickIntervalMs = 1000;

} // namespace

Countdown::Countdown(Clock clock, QObject* parent)
    : QObject(parent)
    , m_clock(std::move(clock))
    , m_wallClock(new WallClockWatcher(this))
{
    // A precise timer keeps the ticks a whole second apart, so no second is shown twice or skipped.
    m_ticker.setTimerType(Qt::PreciseTimer);
    m_ticker.setInterval(kTickIntervalMs);
    connect(&m_ticker, &QTimer::timeout, this, &Countdown::tick);
    connect(m_wallClock, &WallClockWatcher::clockChanged, this, &Countdown::clockChanged);
}

void Countdown::setTarget(const QDateTime& target)
{
    m_target = target.toUTC();
    update();
}

void Countdown::tick()
{
    update();
}

void Countdown::clockChanged()
{
    if (isRunning())
        m_ticker.start(); // back in phase with the new clock's seconds
    update();
}

void Countdown::update()
{
    const bool wasRunning = isRunning();
    m_remaining = RemainingTime::parts(m_target, m_clock());
    if (m_remaining.isZero())
        m_ticker.stop();
    else if (!wasRunning)
        m_ticker.start(); // restarting also puts the ticks in phase with now
    emit remainingChanged(m_remaining);
    if (wasRunning && !isRunning())
        emit finished();
}
