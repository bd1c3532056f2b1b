#include "TimeInput.h"

#include <QTest>
#include <QTimeZone>

// Runs in Berlin's time zone (see tests/CMakeLists.txt).
class TestTimeInput : public QObject {
    Q_OBJECT

private slots:
    void duration_data();
    void duration();
    void timeOfDay_data();
    void timeOfDay();
    void nextOccurrence_data();
    void nextOccurrence();
};

void TestTimeInput::duration_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("seconds"); // 0: refused
    QTest::addColumn<QString>("shown");  // how the settings window writes it back

    QTest::newRow("minutes and seconds") << "20:00" << qint64(1200) << "20:00";
    QTest::newRow("hours, minutes, seconds") << "1:30:00" << qint64(5400) << "1:30:00";
    QTest::newRow("minutes") << "20m" << qint64(1200) << "20:00";
    QTest::newRow("hours and minutes") << "1h30m" << qint64(5400) << "1:30:00";
    QTest::newRow("seconds") << "90s" << qint64(90) << "1:30";
    QTest::newRow("all three units, spaced, upper case") << " 1H 2M 3S " << qint64(3723) << "1:02:03";
    QTest::newRow("ninety minutes on the clock") << "90:00" << qint64(5400) << "1:30:00";
    QTest::newRow("the longest") << "99:59:59" << qint64(359999) << "99:59:59";
    QTest::newRow("zero") << "0" << qint64(0) << "";
    QTest::newRow("zero seconds") << "0s" << qint64(0) << "";
    QTest::newRow("zero on the clock") << "0:00" << qint64(0) << "";
    QTest::newRow("negative") << "-5m" << qint64(0) << "";
    QTest::newRow("61 seconds") << "25:61" << qint64(0) << "";
    QTest::newRow("60 minutes") << "1:60:00" << qint64(0) << "";
    QTest::newRow("one digit after the colon") << "1:5" << qint64(0) << "";
    QTest::newRow("absurd") << "99999h" << qint64(0) << "";
    QTest::newRow("just over the longest") << "100:00:00" << qint64(0) << "";
    QTest::newRow("more digits than a count holds") << "99999999999999999999s" << qint64(0) << "";
    QTest::newRow("empty") << "" << qint64(0) << "";
    QTest::newRow("a bare number") << "20" << qint64(0) << "";
    QTest::newRow("units out of order") << "5m1h" << qint64(0) << "";
    QTest::newRow("a unit twice") << "1h1h" << qint64(0) << "";
    QTest::newRow("a unit alone") << "m" << qint64(0) << "";
    QTest::newRow("digits of another script") << QStringLiteral("1h\u0662\u0660m") << qint64(0) << "";
}

void TestTimeInput::duration()
{
    QFETCH(QString, text);
    QFETCH(qint64, seconds);
    QFETCH(QString, shown);
    QCOMPARE(TimeInput::duration(text), seconds ? std::optional(seconds) : std::nullopt);
    if (seconds) {
        QCOMPARE(TimeInput::durationText(seconds), shown);
        QCOMPARE(TimeInput::duration(shown), std::optional(seconds));
    }
}

void TestTimeInput::timeOfDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QTime>("time"); // invalid: refused
    QTest::newRow("afternoon") << "14:30" << QTime(14, 30);
    QTest::newRow("one-digit hour") << "9:05" << QTime(9, 5);
    QTest::newRow("midnight") << "00:00" << QTime(0, 0);
    QTest::newRow("with seconds") << "23:59:59" << QTime(23, 59, 59);
    QTest::newRow("hour 24") << "24:00" << QTime();
    QTest::newRow("hour 25, minute 61") << "25:61" << QTime();
    QTest::newRow("one-digit minute") << "14:3" << QTime();
    QTest::newRow("an hour alone") << "14" << QTime();
    QTest::newRow("empty") << "" << QTime();
    QTest::newRow("twelve-hour clock") << "2:30pm" << QTime();
    QTest::newRow("a duration") << "20m" << QTime();
}

void TestTimeInput::timeOfDay()
{
    QFETCH(QString, text);
    QFETCH(QTime, time);
    QCOMPARE(TimeInput::timeOfDay(text), time.isValid() ? std::optional(time) : std::nullopt);
}

void TestTimeInput::nextOccurrence_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<qint64>("secondsAhead");
    const auto berlin = [](int month, int day, int hour, int minute, int second = 0) {
        return QDateTime(QDate(2026, month, day), QTime(hour, minute, second), QTimeZone("Europe/Berlin"));
    };
    QTest::newRow("later today") << berlin(12, 6, 9, 30) << QTime(14, 30) << qint64(5 * 3600);
    QTest::newRow("past midnight") << berlin(12, 6, 23, 50) << QTime(0, 10) << qint64(20 * 60);
    QTest::newRow("one second ahead") << berlin(12, 6, 14, 29, 59) << QTime(14, 30) << qint64(1);
    QTest::newRow("now is tomorrow's") << berlin(12, 6, 14, 30) << QTime(14, 30) << qint64(86400);
    QTest::newRow("now given in UTC") << berlin(12, 6, 9, 30).toUTC() << QTime(14, 30) << qint64(5 * 3600);
    QTest::newRow("across spring forward") << berlin(3, 28, 20, 0) << QTime(20, 0) << qint64(23 * 3600);
    QTest::newRow("across fall back") << berlin(10, 24, 20, 0) << QTime(20, 0) << qint64(25 * 3600);
    // 02:30 does not exist that night: it is read as the 03:30 the clock shows an hour after 01:30.
    QTest::newRow("into the skipped hour") << berlin(3, 28, 23, 0) << QTime(2, 30) << qint64(3 * 3600 + 1800);
}

void TestTimeInput::nextOccurrence()
{
    QFETCH(QDateTime, now);
    QFETCH(QTime, time);
    QFETCH(qint64, secondsAhead);
    QCOMPARE(now.secsTo(TimeInput::nextOccurrence(time, now)), secondsAhead);
}

QTEST_GUILESS_MAIN(TestTimeInput)
#include "tst_TimeInput.moc"
