#include "Countdown.h"

#include "WallClockWatcher.h"

namespace {

constexpr int kTickIntervalMs = 1000;

bool isCounting(const RemainingTime::Parts& remaining)
{
    return !remaining.isZero() && !remaining.overtime;
}

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
    m_held.reset();
    update();
}

void Countdown::hold(qint64 msecsLeft)
{
    m_held = std::max<qint64>(msecsLeft, 0);
    update();
}

void Countdown::setOvertime(bool on)
{
    m_overtime = on;
    update();
}

void Countdown::setThresholds(std::optional<qint64> warning, std::optional<qint64> final)
{
    m_warning = warning;
    m_final = final;
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

Countdown::Stage Countdown::stageFor(const RemainingTime::Parts& remaining) const
{
    if (remaining.overtime)
        return Stage::Overtime;
    const qint64 left = remaining.totalSeconds();
    if (m_final && left <= *m_final)
        return Stage::Final;
    if (m_warning && left <= *m_warning)
        return Stage::Warning;
    return Stage::Normal;
}

void Countdown::update()
{
    const bool wasCounting = isRunning() && isCounting(m_remaining);
    bool ticks = false;
    if (m_held) {
        // Measured from a fixed origin, so that the held time does not depend on the clock.
        const QDateTime origin = QDateTime::fromMSecsSinceEpoch(0, Qt::UTC);
        m_remaining = RemainingTime::parts(origin.addMSecs(*m_held), origin);
    } else {
        const QDateTime now = m_clock();
        m_remaining = RemainingTime::parts(m_target, now);
        if (m_overtime && m_remaining.isZero())
            m_remaining = RemainingTime::overtime(m_target, now);
        ticks = isCounting(m_remaining) || (m_overtime && m_target.isValid() && now.isValid());
    }
    if (!ticks)
        m_ticker.stop();
    else if (!isRunning())
        m_ticker.start(); // restarting also puts the ticks in phase with now

    if (const Stage stage = stageFor(m_remaining); stage != m_stage) {
        m_stage = stage;
        emit stageChanged(stage);
    }
    emit remainingChanged(m_remaining);
    if (wasCounting && !m_held && !isCounting(m_remaining))
        emit finished();
}
