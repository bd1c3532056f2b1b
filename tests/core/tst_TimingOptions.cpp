#include "Settings.h"
#include "TimingOptions.h"

#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTest>

using Key = Settings::Key;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(9, 30), Qt::UTC); // 10:30 in Berlin

QStringList args(const char* line)
{
    return QString::fromLatin1(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// What the timing options can change, in one line.
QString summary(const Settings& settings)
{
    const char* modes[] = {"date", "duration", "time"};
    const auto onOff = [&](Key key) { return settings.flag(key) ? QStringLiteral("on") : QStringLiteral("off"); };
    return QStringLiteral("%1 +%2 warn:%3/%4 overtime:%5 compact:%6")
        .arg(QLatin1String(modes[int(settings.endMode())]))
        .arg(kNow.secsTo(*settings.targetDateTime()))
        .arg(onOff(Key::WarningOn))
        .arg(settings.seconds(Key::WarningAt))
        .arg(onOff(Key::Overtime), onOff(Key::Compact));
}

} // namespace

class TestTimingOptions : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
};

void TestTimingOptions::read_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("result"); // the settings afterwards, or the start of the error

    const QString untouched = QStringLiteral("date +5184000 warn:off/300 overtime:off compact:off");
    QTest::newRow("no options") << args("") << untouched;
    QTest::newRow("duration") << args("--duration 20m") << "duration +1200 warn:off/300 overtime:off compact:off";
    QTest::newRow("duration on the clock")
        << args("--duration=1:30:00") << "duration +5400 warn:off/300 overtime:off compact:off";
    QTest::newRow("time of day") << args("--until 14:30") << "time +14400 warn:off/300 overtime:off compact:off";
    QTest::newRow("time of day tomorrow")
        << args("--until 8:00") << "time +77400 warn:off/300 overtime:off compact:off";
    QTest::newRow("date and time in UTC")
        << args("--until 2026-12-06T12:00:00Z") << "date +9000 warn:off/300 overtime:off compact:off";
    QTest::newRow("local date and time") << args("--until 2026-12-07T10:30")
                                         << "date +86400 warn:off/300 overtime:off compact:off";
    QTest::newRow("warning") << args("--warn-at 2m") << "date +5184000 warn:on/120 overtime:off compact:off";
    QTest::newRow("overtime and compact")
        << args("--overtime --compact") << "date +5184000 warn:off/300 overtime:on compact:on";
    QTest::newRow("off again") << args("--no-overtime --no-compact") << untouched;

    const QString duration = QStringLiteral("expected a duration such as 20:00, 1:30:00, 20m, 1h30m or 90s");
    QTest::newRow("zero") << args("--duration 0") << QLatin1String("--duration: cannot read \"0\"; ") + duration;
    QTest::newRow("negative") << args("--duration -5m")
                              << QLatin1String("--duration: cannot read \"-5m\"; ") + duration;
    QTest::newRow("empty") << args("--duration=") << QLatin1String("--duration: cannot read \"\"; ") + duration;
    QTest::newRow("absurd warning") << args("--warn-at 99999h")
                                    << QLatin1String("--warn-at: cannot read \"99999h\"; ") + duration;
    QTest::newRow("hour 25") << args("--until 25:61")
                             << "--until: cannot read \"25:61\"; expected a time of day such as 14:30, or a date";
    QTest::newRow("before 1970") << args("--until 1969-12-31T23:00") << "--until: cannot read";
    QTest::newRow("a word") << args("--until tomorrow") << "--until: cannot read \"tomorrow\"";
    QTest::newRow("duration and end") << args("--duration 20m --until 14:30")
                                      << "--duration and --until cannot be used together";
    QTest::newRow("overtime on and off") << args("--overtime --no-overtime")
                                         << "--overtime and --no-overtime contradict each other";
}

void TestTimingOptions::read()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, result);
    QCommandLineParser parser;
    parser.addOptions(TimingOptions::options());
    QVERIFY(parser.parse(QStringList{QStringLiteral("presenter-countdown")} + arguments));

    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("settings.conf")), kNow);
    int changes = 0;
    connect(&settings, &Settings::changed, this, [&] { ++changes; });
    QString error;
    const auto options = TimingOptions::read(parser, &error);
    if (options) {
        options->applyTo(settings, kNow);
        QCOMPARE(summary(settings), result);
    } else {
        QVERIFY2(error.startsWith(result), qPrintable(error));
        QCOMPARE(changes, 0);
    }
}

QTEST_GUILESS_MAIN(TestTimingOptions)
#include "tst_TimingOptions.moc"
