#pragma once

#include "RemainingTime.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class WallClockWatcher;

// The countdown to one instant: it ticks once a second while time is left, stops at zero (or, with
// overtime on, goes on counting the time past the end), and comes back by itself when the wall clock is
// set back before the target. The clock is injectable so that tests move time by hand; it reads UTC, since
// the countdown lies between two instants and local time would cost a time-zone lookup at every tick.
class Countdown : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    // Which colours the panel wears: from the tick whose whole seconds left are at or below a threshold,
    // and in overtime once past the end.
    enum class Stage { Normal, Warning, Final, Overtime };
    Q_ENUM(Stage)

    explicit Countdown(Clock clock = &QDateTime::currentDateTimeUtc, QObject* parent = nullptr);

    QDateTime target() const { return m_target; }
    // Counts to the new target from now, also after a hold; restarts the ticks if the countdown had finished.
    void setTarget(const QDateTime& target);
    // Shows this much time left and stops ticking until the next setTarget(): a paused countdown.
    void hold(qint64 msecsLeft);
    bool isHeld() const { return m_held.has_value(); }

    void setOvertime(bool on);
    // In whole seconds left; none turns a threshold off.
    void setThresholds(std::optional<qint64> warning, std::optional<qint64> final);

    bool isRunning() const { return m_ticker.isActive(); }
    RemainingTime::Parts remaining() const { return m_remaining; }
    Stage stage() const { return m_stage; }
    const QTimer& ticker() const { return m_ticker; }

    // The ticker's work; public so that tests can tick by hand after moving their clock.
    void tick();
    // The wall clock was set: the time left may have jumped, or grown again after the end.
    void clockChanged();

signals:
    void remainingChanged(const RemainingTime::Parts& remaining);
    // Before the remainingChanged() of the same tick.
    void stageChanged(Countdown::Stage stage);
    // Once, when the time left reaches zero while counting.
    void finished();

private:
    void update();
    Stage stageFor(const RemainingTime::Parts& remaining) const;

    Clock m_clock;
    QDateTime m_target;
    std::optional<qint64> m_held;
    bool m_overtime = false;
    std::optional<qint64> m_warning;
    std::optional<qint64> m_final;
    RemainingTime::Parts m_remaining;
    Stage m_stage = Stage::Normal;
    QTimer m_ticker;
    WallClockWatcher* m_wallClock;
};
