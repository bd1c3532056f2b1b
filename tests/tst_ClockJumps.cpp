#include "FakePlatform.h"
#include "TestSettings.h"

#include "app/AppDelegate.h"
#include "app/TitlelessPanel.h"
#include "app/WallClockWatcher.h"
#include "settings/PreferenceController.h"

#include <QTest>
#include <QTimeZone>

// The remaining time comes from the wall clock at every tick, so whatever the clock does between two
// ticks (set forward or back, a suspend, a daylight-saving change) the next tick shows the right value.
class TestClockJumps : public QObject {
    Q_OBJECT

private slots:
    void nextTickIsRight_data();
    void nextTickIsRight();
    void clockSetWithoutATick_data();
    void clockSetWithoutATick();
};

namespace {

QDateTime in(const char* zone, int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), QTimeZone(zone));
}

} // namespace

void TestClockJumps::nextTickIsRight_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("target");
    QTest::addColumn<QString>("atStart");
    QTest::addColumn<qint64>("jumpSeconds"); // how far the clock moves before the next tick
    QTest::addColumn<QString>("afterJump");

    const QDateTime t0(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
    QTest::newRow("clock set forward an hour")
        << t0 << t0.addSecs(10 * 3600) << "0:10:00:00" << qint64(3600) << "0:09:00:00";
    QTest::newRow("clock set back an hour")
        << t0 << t0.addSecs(10 * 3600) << "0:10:00:00" << qint64(-3600) << "0:11:00:00";
    QTest::newRow("resumed after three days asleep")
        << t0 << t0.addDays(10) << "10:00:00:00" << qint64(3 * 86400) << "7:00:00:00";
    QTest::newRow("suspended past the target")
        << t0 << t0.addSecs(600) << "0:00:10:00" << qint64(86400) << "0:00:00:00";

    // Across daylight-saving changes the panel shows the real time left, not the difference of the
    // wall-clock readings (which would be 2:30 in every one of these).
    const char* berlin = "Europe/Berlin";
    const char* newYork = "America/New_York";
    QTest::newRow("Berlin springs forward") << in(berlin, 2026, 3, 29, 1, 30) << in(berlin, 2026, 3, 29, 4, 0)
                                            << "0:01:30:00" << qint64(3600) << "0:00:30:00";
    QTest::newRow("Berlin falls back") << in(berlin, 2026, 10, 25, 1, 30) << in(berlin, 2026, 10, 25, 4, 0)
                                       << "0:03:30:00" << qint64(3600) << "0:02:30:00";
    QTest::newRow("New York springs forward") << in(newYork, 2026, 3, 8, 1, 30) << in(newYork, 2026, 3, 8, 4, 0)
                                              << "0:01:30:00" << qint64(3600) << "0:00:30:00";
    QTest::newRow("New York falls back") << in(newYork, 2026, 11, 1, 0, 30) << in(newYork, 2026, 11, 1, 3, 0)
                                         << "0:03:30:00" << qint64(3600) << "0:02:30:00";

    QTest::newRow("a hundred years ahead")
        << t0 << t0.addDays(36525) << "36525:00:00:00" << qint64(1) << "36524:23:59:59";
    QTest::newRow("year 9999") << t0 << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC) << "2912103:14:59:59"
                               << qint64(-86400) << "2912104:14:59:59";
    QTest::newRow("long past") << t0 << QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC) << "0:00:00:00" << qint64(3600)
                               << "0:00:00:00";
}

void TestClockJumps::nextTickIsRight()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, target);
    QFETCH(QString, atStart);
    QFETCH(qint64, jumpSeconds);
    QFETCH(QString, afterJump);

    TestSettings settings;
    QDateTime now = start;
    PreferenceController::registerDefaults(now);
    PreferenceController::setPreferenceTargetDateTime(target);
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform, [&now] { return now; });
    delegate.connectOutlets(&panel);
    delegate.applicationDidFinishLaunching();
    QCOMPARE(panel.input()->text(), atStart);

    now = now.addSecs(jumpSeconds);
    delegate.tick();
    QCOMPARE(panel.input()->text(), afterJump);
    QCOMPARE(delegate.isRunning(), afterJump != QLatin1String("0:00:00:00"));
}

// After the end no timer runs, so only the notice that the clock was set can bring the countdown back.
void TestClockJumps::clockSetWithoutATick_data()
{
    QTest::addColumn<qint64>("startSeconds"); // relative to the target
    QTest::addColumn<qint64>("jumpSeconds");
    QTest::addColumn<QString>("afterJump");

    QTest::newRow("finished, set back before the target") << qint64(5) << qint64(-3605) << "0:01:00:00";
    QTest::newRow("finished, set forward") << qint64(5) << qint64(3600) << "0:00:00:00";
    QTest::newRow("running, set past the target") << qint64(-60) << qint64(3600) << "0:00:00:00";
    QTest::newRow("running, set back a day") << qint64(-60) << qint64(-86400) << "1:00:01:00";
}

void TestClockJumps::clockSetWithoutATick()
{
    QFETCH(qint64, startSeconds);
    QFETCH(qint64, jumpSeconds);
    QFETCH(QString, afterJump);

    TestSettings settings;
    const QDateTime target(QDate(2026, 12, 6), QTime(9, 0), Qt::UTC);
    QDateTime now = target.addSecs(startSeconds);
    PreferenceController::registerDefaults(now);
    PreferenceController::setPreferenceTargetDateTime(target);
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform, [&now] { return now; });
    delegate.connectOutlets(&panel);
    delegate.applicationDidFinishLaunching();
    delegate.tick();
    const int activations = platform.activations;

    now = now.addSecs(jumpSeconds);
    emit delegate.findChild<WallClockWatcher*>()->clockChanged();
    QCOMPARE(panel.input()->text(), afterJump);
    const bool running = afterJump != QLatin1String("0:00:00:00");
    QCOMPARE(delegate.isRunning(), running);
    QCOMPARE(delegate.countdownTimer().isActive(), running);
    QCOMPARE(platform.activations, activations); // the slide show keeps the keyboard
}

QTEST_MAIN(TestClockJumps)
#include "tst_ClockJumps.moc"
