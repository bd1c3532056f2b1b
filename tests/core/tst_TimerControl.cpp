#include "Settings.h"
#include "TimerControl.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kStart(QDate(2026, 12, 6), QTime(9, 30), Qt::UTC); // 10:30 in Berlin

} // namespace

class TestTimerControl : public QObject {
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
};

void TestTimerControl::steps_data()
{
    QTest::addColumn<QString>("steps");   // "+MSECS" moves the clock; then: for SECONDS, until SECONDS, at HH:MM,
                                          // pause, resume, again
    QTest::addColumn<QString>("answers"); // what pause, resume and again answered
    QTest::addColumn<qint64>("target");   // milliseconds after the start
    QTest::addColumn<qint64>("paused");   // milliseconds left while paused; -1: counting
    QTest::addColumn<Settings::EndMode>("mode");
    using Mode = Settings::EndMode;
    QTest::newRow("pause keeps the time left") << "for 1200; +61500 pause"
                                               << "yes" << qint64(1'200'000) << qint64(1'138'500) << Mode::Duration;
    QTest::newRow("resume counts it from now") << "for 1200; +61500 pause; +300000 resume"
                                               << "yes yes" << qint64(1'500'000) << qint64(-1) << Mode::Duration;
    QTest::newRow("start again") << "for 1200; +300000 again"
                                 << "yes" << qint64(1'500'000) << qint64(-1) << Mode::Duration;
    QTest::newRow("start again ends a pause") << "for 1200; +1000 pause; +5000 again"
                                              << "yes yes" << qint64(1'206'000) << qint64(-1) << Mode::Duration;
    QTest::newRow("a second pause keeps the first")
        << "for 1200; +1000 pause; +1000 pause"
        << "yes no" << qint64(1'200'000) << qint64(1'199'000) << Mode::Duration;
    QTest::newRow("no pause after the end") << "for 60; +60000 pause"
                                            << "no" << qint64(60'000) << qint64(-1) << Mode::Duration;
    QTest::newRow("no pause or start again before a date")
        << "until 3600; pause; again"
        << "no no" << qint64(3'600'000) << qint64(-1) << Mode::DateTime;
    QTest::newRow("no resume while counting") << "for 1200; +1000 resume"
                                              << "no" << qint64(1'200'000) << qint64(-1) << Mode::Duration;
    QTest::newRow("a date ends a pause") << "for 1200; +1000 pause; until 7200"
                                         << "yes" << qint64(7'200'000) << qint64(-1) << Mode::DateTime;
    QTest::newRow("a time of day") << "+1000 at 14:30"
                                   << "" << qint64(14'400'000) << qint64(-1) << Mode::TimeOfDay;
}

void TestTimerControl::steps()
{
    QFETCH(QString, steps);
    QFETCH(QString, answers);
    QFETCH(qint64, target);
    QFETCH(qint64, paused);
    QFETCH(Settings::EndMode, mode);
    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("settings.conf")), kStart);
    QDateTime now = kStart;
    QStringList answered;
    for (const QString& step : steps.split(QLatin1Char(';'))) {
        QStringList words = step.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.first().startsWith(QLatin1Char('+')))
            now = now.addMSecs(words.takeFirst().toLongLong());
        const QString verb = words.first();
        const QString argument = words.value(1);
        const auto answer = [&](bool yes) { answered.append(yes ? QStringLiteral("yes") : QStringLiteral("no")); };
        if (verb == QLatin1String("for"))
            TimerControl::countFor(settings, argument.toLongLong(), now);
        else if (verb == QLatin1String("until"))
            TimerControl::countUntil(settings, kStart.addSecs(argument.toLongLong()));
        else if (verb == QLatin1String("at"))
            TimerControl::countToTimeOfDay(settings, QTime::fromString(argument, QStringLiteral("HH:mm")), now);
        else if (verb == QLatin1String("pause"))
            answer(TimerControl::pause(settings, now));
        else if (verb == QLatin1String("resume"))
            answer(TimerControl::resume(settings, now));
        else if (verb == QLatin1String("again"))
            answer(TimerControl::startAgain(settings, now));
    }
    QCOMPARE(answered.join(QLatin1Char(' ')), answers);
    QCOMPARE(kStart.msecsTo(*settings.targetDateTime()), target);
    QCOMPARE(settings.pausedRemaining().value_or(-1), paused);
    QCOMPARE(settings.endMode(), mode);
}

QTEST_GUILESS_MAIN(TestTimerControl)
#include "tst_TimerControl.moc"
