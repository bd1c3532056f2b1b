#include "Countdown.h"
#include "WallClockWatcher.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

#include <limits>

class TestCountdown : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void stageFromTheExactSecond_data();
    void stageFromTheExactSecond();
    void heldUntilTheNextTarget();
    void nextTickIsRight_data();
    void nextTickIsRight();
    void clockSetWithoutATick_data();
    void clockSetWithoutATick();
};

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);

QDateTime in(const char* zone, int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
}

QDateTime utcMSecs(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

} // namespace

void TestCountdown::text_data()
{
    QTest::addColumn<QDateTime>("target");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    // With overtime on the time past the end is counted, and compact leaves out leading zero groups.
    QTest::addColumn<QString>("compact");
    QTest::addColumn<QString>("overtime");

    const auto left = [](qint64 msecs) { return kNow.addMSecs(msecs); };
    QTest::newRow("273,906.7 s") << left(273'906'700) << kNow << "3:04:05:06"
                                 << "3:04:05:06"
                                 << "3:04:05:06";
    QTest::newRow("90,061 s") << left(90'061'000) << kNow << "1:01:01:01"
                              << "1:01:01:01"
                              << "1:01:01:01";
    QTest::newRow("100 days") << left(qint64(100) * 86'400'000) << kNow << "100:00:00:00"
                              << "100:00:00:00"
                              << "100:00:00:00";
    QTest::newRow("one second") << left(1'000) << kNow << "0:00:00:01"
                                << "0:01"
                                << "0:00:00:01";
    QTest::newRow("0.999 s") << left(999) << kNow << "0:00:00:00"
                             << "0:00"
                             << "0:00:00:00";
    QTest::newRow("target is now") << kNow << kNow << "0:00:00:00"
                                   << "0:00"
                                   << "0:00:00:00";
    QTest::newRow("1 ms past") << left(-1) << kNow << "0:00:00:00"
                               << "-0:01"
                               << "-0:00:00:01";
    QTest::newRow("20 minutes") << left(1'200'000) << kNow << "0:00:20:00"
                                << "20:00"
                                << "0:00:20:00";
    QTest::newRow("an hour and more") << left(4'799'500) << kNow << "0:01:19:59"
                                      << "1:19:59"
                                      << "0:01:19:59";
    QTest::newRow("a day and 5 s") << left(86'405'000) << kNow << "1:00:00:05"
                                   << "1:00:00:05"
                                   << "1:00:00:05";
    QTest::newRow("65 s past") << left(-65'000) << kNow << "0:00:00:00"
                               << "-1:05"
                               << "-0:00:01:05";
    QTest::newRow("65.2 s past") << left(-65'200) << kNow << "0:00:00:00"
                                 << "-1:06"
                                 << "-0:00:01:06";
    QTest::newRow("two hours past") << left(-7'200'000) << kNow << "0:00:00:00"
                                    << "-2:00:00"
                                    << "-0:02:00:00";
    // 2^31 seconds: one past what a 32-bit count holds.
    QTest::newRow("2^31 s") << left(qint64(2'147'483'648) * 1000) << kNow << "24855:03:14:08"
                            << "24855:03:14:08"
                            << "24855:03:14:08";
    QTest::newRow("year 9999") << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC) << kNow
                               << "2912103:11:59:59"
                               << "2912103:11:59:59"
                               << "2912103:11:59:59";
    QTest::newRow("the widest span there is")
        << utcMSecs(std::numeric_limits<qint64>::max() - 1) << utcMSecs(std::numeric_limits<qint64>::min() + 1)
        << "106751991167:07:12:55"
        << "106751991167:07:12:55"
        << "106751991167:07:12:55";
    QTest::newRow("the widest span past") << utcMSecs(std::numeric_limits<qint64>::min() + 1)
                                          << utcMSecs(std::numeric_limits<qint64>::max() - 1) << "0:00:00:00"
                                          << "-106751991167:07:12:56"
                                          << "-106751991167:07:12:56";
    QTest::newRow("no target") << QDateTime() << kNow << "0:00:00:00"
                               << "0:00"
                               << "0:00:00:00";
    QTest::newRow("no clock") << kNow.addDays(1) << QDateTime() << "0:00:00:00"
                              << "0:00"
                              << "0:00:00:00";
}

void TestCountdown::text()
{
    QFETCH(QDateTime, target);
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QFETCH(QString, compact);
    QFETCH(QString, overtime);
    QCOMPARE(RemainingTime::text(target, now), expected);
    Countdown countdown([now] { return now; });
    countdown.setOvertime(true);
    countdown.setTarget(target);
    QCOMPARE(RemainingTime::text(countdown.remaining(), true), compact);
    QCOMPARE(RemainingTime::text(countdown.remaining()), overtime);
}

// A threshold takes effect on the tick whose whole seconds left reach it, which is the tick that first shows
// the threshold's value; the stage is announced before the digits of the same tick.
void TestCountdown::stageFromTheExactSecond_data()
{
    QTest::addColumn<qint64>("msecsLeft");
    QTest::addColumn<int>("warning"); // seconds; 0 is off
    QTest::addColumn<int>("final");
    QTest::addColumn<bool>("overtime");
    QTest::addColumn<Countdown::Stage>("stage");
    using Stage = Countdown::Stage;
    QTest::newRow("301 s: not yet") << qint64(301'000) << 300 << 0 << false << Stage::Normal;
    QTest::newRow("300.999 s shows 5:00") << qint64(300'999) << 300 << 0 << false << Stage::Warning;
    QTest::newRow("300 s") << qint64(300'000) << 300 << 0 << false << Stage::Warning;
    QTest::newRow("61 s, both on") << qint64(61'000) << 300 << 60 << false << Stage::Warning;
    QTest::newRow("60.5 s, both on") << qint64(60'500) << 300 << 60 << false << Stage::Final;
    QTest::newRow("final alone") << qint64(30'000) << 0 << 60 << false << Stage::Final;
    QTest::newRow("final above the warning") << qint64(200'000) << 100 << 300 << false << Stage::Final;
    QTest::newRow("stopped at zero") << qint64(0) << 300 << 60 << false << Stage::Final;
    QTest::newRow("past the end, overtime off") << qint64(-5'000) << 300 << 0 << false << Stage::Warning;
    QTest::newRow("zero, no thresholds") << qint64(0) << 0 << 0 << false << Stage::Normal;
    QTest::newRow("0.5 s before overtime") << qint64(500) << 0 << 60 << true << Stage::Final;
    QTest::newRow("1 ms into overtime") << qint64(-1) << 300 << 60 << true << Stage::Overtime;
}

void TestCountdown::stageFromTheExactSecond()
{
    QFETCH(qint64, msecsLeft);
    QFETCH(int, warning);
    QFETCH(int, final);
    QFETCH(bool, overtime);
    QFETCH(Countdown::Stage, stage);
    QDateTime now = kNow.addSecs(-3600);
    Countdown countdown([&now] { return now; });
    countdown.setOvertime(overtime);
    countdown.setThresholds(warning ? std::optional<qint64>(warning) : std::nullopt,
                            final ? std::optional<qint64>(final) : std::nullopt);
    countdown.setTarget(kNow);
    QCOMPARE(countdown.stage(), Countdown::Stage::Normal);
    QStringList heard;
    connect(&countdown, &Countdown::stageChanged, this, [&] { heard.append(QStringLiteral("stage")); });
    connect(&countdown, &Countdown::remainingChanged, this, [&] { heard.append(QStringLiteral("digits")); });
    now = kNow.addMSecs(-msecsLeft);
    countdown.tick();
    QCOMPARE(countdown.stage(), stage);
    QCOMPARE(heard.join(QLatin1Char(' ')),
             QLatin1String(stage == Countdown::Stage::Normal ? "digits" : "stage digits"));
}

// A pause: the time left stands still whatever the clock does, until a new target counts on.
void TestCountdown::heldUntilTheNextTarget()
{
    QDateTime now = kNow;
    Countdown countdown([&now] { return now; });
    QSignalSpy finished(&countdown, &Countdown::finished);
    countdown.setTarget(kNow.addSecs(1200));
    countdown.hold(1'138'500);
    QVERIFY(countdown.isHeld() && !countdown.isRunning());
    QCOMPARE(RemainingTime::text(countdown.remaining()), QStringLiteral("0:00:18:58"));
    now = now.addSecs(300);
    emit countdown.findChild<WallClockWatcher*>()->clockChanged();
    QCOMPARE(RemainingTime::text(countdown.remaining()), QStringLiteral("0:00:18:58"));
    QVERIFY(!countdown.isRunning());

    countdown.setTarget(now.addMSecs(1'138'500));
    QVERIFY(!countdown.isHeld() && countdown.isRunning());
    now = now.addSecs(1);
    countdown.tick();
    QCOMPARE(RemainingTime::text(countdown.remaining()), QStringLiteral("0:00:18:57"));
    countdown.hold(-5);
    QCOMPARE(RemainingTime::text(countdown.remaining()), QStringLiteral("0:00:00:00"));
    QCOMPARE(finished.count(), 0);
}

// The time left comes from the wall clock at every tick, so whatever the clock does between two ticks
// (set forward or back, a suspend, a daylight-saving change) the next tick shows the right value.
void TestCountdown::nextTickIsRight_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("target");
    QTest::addColumn<qint64>("jumpMSecs"); // how far the clock moves before the next tick
    QTest::addColumn<QString>("afterJump");

    const QDateTime t0(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
    QTest::newRow("a second") << t0 << t0.addSecs(90) << qint64(1000) << "0:00:01:29";
    QTest::newRow("below one whole second") << t0 << t0.addMSecs(1400) << qint64(1000) << "0:00:00:00";
    QTest::newRow("clock set back an hour") << t0 << t0.addSecs(36000) << qint64(-3'600'000) << "0:11:00:00";
    QTest::newRow("suspended past the target") << t0 << t0.addSecs(600) << qint64(86'400'000) << "0:00:00:00";
    // Across daylight-saving changes the real time left, not the difference of the wall-clock readings
    // (2:30 in each of these).
    QTest::newRow("Berlin springs forward") << in("Europe/Berlin", 2026, 3, 29, 1, 30)
                                            << in("Europe/Berlin", 2026, 3, 29, 4, 0) << qint64(0) << "0:01:30:00";
    QTest::newRow("New York falls back") << in("America/New_York", 2026, 11, 1, 0, 30)
                                         << in("America/New_York", 2026, 11, 1, 3, 0) << qint64(0) << "0:03:30:00";
}

void TestCountdown::nextTickIsRight()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, target);
    QFETCH(qint64, jumpMSecs);
    QFETCH(QString, afterJump);

    QDateTime now = start;
    Countdown countdown([&now] { return now; });
    QSignalSpy finished(&countdown, &Countdown::finished);
    countdown.setTarget(target);
    QVERIFY(countdown.isRunning());
    QCOMPARE(countdown.ticker().interval(), 1000);
    now = now.addMSecs(jumpMSecs);
    countdown.tick();
    QCOMPARE(RemainingTime::text(countdown.remaining()), afterJump);
    const bool over = afterJump == QLatin1String("0:00:00:00");
    QCOMPARE(countdown.isRunning(), !over);
    QCOMPARE(finished.count(), over ? 1 : 0);
}

// After the end no timer runs, so only the notice that the clock was set can bring the countdown back.
void TestCountdown::clockSetWithoutATick_data()
{
    QTest::addColumn<qint64>("startSeconds"); // relative to the target
    QTest::addColumn<qint64>("jumpSeconds");
    QTest::addColumn<QString>("afterJump");
    QTest::addColumn<int>("finishes");

    QTest::newRow("finished, set back before the target") << qint64(5) << qint64(-3605) << "0:01:00:00" << 0;
    QTest::newRow("finished, set forward") << qint64(5) << qint64(3600) << "0:00:00:00" << 0;
    QTest::newRow("running, set past the target") << qint64(-60) << qint64(3600) << "0:00:00:00" << 1;
    QTest::newRow("running, set back a day") << qint64(-60) << qint64(-86400) << "1:00:01:00" << 0;
}

void TestCountdown::clockSetWithoutATick()
{
    QFETCH(qint64, startSeconds);
    QFETCH(qint64, jumpSeconds);
    QFETCH(QString, afterJump);
    QFETCH(int, finishes);

    QDateTime now = kNow.addSecs(startSeconds);
    Countdown countdown([&now] { return now; });
    countdown.setTarget(kNow);
    QSignalSpy finished(&countdown, &Countdown::finished);
    QSignalSpy shown(&countdown, &Countdown::remainingChanged);
    now = now.addSecs(jumpSeconds);
    emit countdown.findChild<WallClockWatcher*>()->clockChanged();
    QCOMPARE(shown.count(), 1);
    QCOMPARE(RemainingTime::text(countdown.remaining()), afterJump);
    QCOMPARE(countdown.isRunning(), afterJump != QLatin1String("0:00:00:00"));
    QCOMPARE(finished.count(), finishes);
}

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_Countdown.moc"
