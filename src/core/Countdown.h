#pragma once

#include "RemainingTime.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

class WallClockWatcher;

// The countdown to one instant: it ticks once a second while time is left, stops at zero, and comes back
// by itself when the wall clock is set back before the target. The clock is injectable so that tests move
// time by hand; it reads UTC, since the countdown lies between two instants and local time would cost a
// time-zone lookup at every tick.
class Countdown : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit Countdown(Clock clock = &QDateTime::currentDateTimeUtc, QObject* parent = nullptr);

    QDateTime target() const { return m_target; }
    // Counts to the new target from now; restarts the ticks if the countdown had finished.
    void setTarget(const QDateTime& target);

    bool isRunning() const { return m_ticker.isActive(); }
    RemainingTime::Parts remaining() const { return m_remaining; }
    const QTimer& ticker() const { return m_ticker; }

    // The ticker's work; public so that tests can tick by hand after moving their clock.
    void tick();
    // The wall clock was set: the time left may have jumped, or grown again after the end.
    void clockChanged();

signals:
    void remainingChanged(const RemainingTime::Parts& remaining);
    // Once, when the time left reaches zero while counting.
    void finished();

private:
    void update();

    Clock m_clock;
    QDateTime m_target;
    RemainingTime::Parts m_remaining;
    QTimer m_ticker;
    WallClockWatcher* m_wallClock;
};
