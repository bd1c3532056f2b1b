#include "BuildInfo.h"
#include "FakePlatform.h"
#include "TestSettings.h"

#include "app/AppDelegate.h"
#include "app/TitlelessPanel.h"
#include "settings/ColorArchive.h"
#include "settings/PreferenceController.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

// A settings file in every state of ruin we could think of: the program must start, count down, and keep
// every setting the damage did not touch.
namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(9, 30), Qt::UTC);

// Settings lines as QSettings writes them: a red background and no shadow, the two "unaffected" values
// most rows keep beside their damage.
QByteArray escaped(const QByteArray& bytes)
{
    QByteArray text;
    for (const char byte : bytes)
        text += "\\x" + QByteArray::number(static_cast<unsigned char>(byte), 16);
    return text;
}
const QByteArray kRedBackground = "ZKVBgColor=@ByteArray(" + escaped(ColorArchive::archive(Qt::red)) + ")\n";
const QByteArray kNoShadow = "DropShadow=false\n";
const QByteArray kKept = "[General]\n" + kRedBackground + kNoShadow;

// A variant holding a date: type 16, not null, Julian day, milliseconds since midnight, then 1 for UTC or
// 0 for local time, as earlier builds wrote it.
QByteArray targetLine(QDate date, QTime time = QTime(0, 0), char spec = 1)
{
    QByteArray bytes = QByteArray::fromHex("0000001000");
    const qint64 julianDay = date.toJulianDay();
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += char((julianDay >> shift) & 0xff);
    const int msecs = time.msecsSinceStartOfDay();
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += char((msecs >> shift) & 0xff);
    bytes += spec;
    return "ZKVTargetDateTime=@DateTime(" + escaped(bytes) + ")\n";
}

QByteArray randomBytes(int size)
{
    QRandomGenerator generator(20261206);
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

} // namespace

class TestDamagedSettings : public QObject {
    Q_OBJECT

private slots:
    void startsAndKeepsWhatIsIntact_data();
    void startsAndKeepsWhatIsIntact();
};

void TestDamagedSettings::startsAndKeepsWhatIsIntact_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("display"); // a regular expression
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("shadow");

    const QString anyCountdown = QStringLiteral("\\d+:\\d\\d:\\d\\d:\\d\\d");
    const QString defaultTarget = QStringLiteral("60:00:00:00");
    const QColor red(Qt::red), white(Qt::white), black(Qt::black);

    QTest::newRow("empty file") << QByteArray() << defaultTarget << white << black << true;
    QTest::newRow("random bytes") << randomBytes(4096) << anyCountdown << white << black << true;
    QTest::newRow("random bytes after good lines")
        << kKept + randomBytes(4096) << anyCountdown << red << black << false;
    QTest::newRow("truncated in the middle of a value")
        << kKept + targetLine(QDate(2027, 6, 1)).left(30) << defaultTarget << red << black << false;
    QTest::newRow("truncated in the middle of a key") << kKept + "ZKVText" << defaultTarget << red << black << false;
    QTest::newRow("target is text") << kKept + "ZKVTargetDateTime=next tuesday\n"
                                    << defaultTarget << red << black << false;
    QTest::newRow("target is a number") << kKept + "ZKVTargetDateTime=1700000000\n"
                                        << defaultTarget << red << black << false;
    QTest::newRow("target is not a number") << kKept + "ZKVTargetDateTime=NaN\n"
                                            << defaultTarget << red << black << false;
    QTest::newRow("target in year 1") << kKept + targetLine(QDate(1, 6, 1)) << QStringLiteral("0:00:00:00") << red
                                      << black << false;
    QTest::newRow("target in year 9999") << kKept + targetLine(QDate(9999, 6, 1)) << QStringLiteral("2911889:14:30:00")
                                         << red << black << false;
    // 02:00:30 never shows on a Berlin clock that day: it jumps from 02:00 to 03:00, and 03:00:30 is meant.
    QTest::newRow("local target in the missing hour") << kKept + targetLine(QDate(2027, 3, 28), QTime(2, 0, 30), 0)
                                                      << QStringLiteral("111:15:30:30") << red << black << false;
    QTest::newRow("text colour is a number") << kKept + "ZKVTextColor=42\n" << defaultTarget << red << black << false;
    QTest::newRow("text colour is not an archive") << kKept + "ZKVTextColor=@ByteArray(hello)\n"
                                                   << defaultTarget << red << black << false;
    QTest::newRow("background out of range") // HSV with a hue of 400 degrees
        << "[General]\nZKVBgColor=@ByteArray(" + escaped(QByteArray::fromHex("02ffff9c40ffffffff0000")) + ")\n" +
               kNoShadow
        << defaultTarget << white << black << false;
    QTest::newRow("background is a rectangle")
        << "[General]\nZKVBgColor=@Rect(1 2 3 4)\n" + kNoShadow << defaultTarget << white << black << false;
    QTest::newRow("shadow is a word") << "[General]\n" + kRedBackground + "DropShadow=banana\n"
                                      << defaultTarget << red << black << true;
    QTest::newRow("shadow is a point") << "[General]\n" + kRedBackground + "DropShadow=@Point(1 2)\n"
                                       << defaultTarget << red << black << true;
    QTest::newRow("10 MB under the text colour")
        << kKept + "ZKVTextColor=@ByteArray(" + QByteArray(10 << 20, 'a') + ")\n"
        << defaultTarget << red << black << false;
    QTest::newRow("10 MB under the target") << kKept + "ZKVTargetDateTime=" + QByteArray(10 << 20, '7') + "\n"
                                            << defaultTarget << red << black << false;
}

void TestDamagedSettings::startsAndKeepsWhatIsIntact()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, display);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    QFETCH(bool, shadow);

    TestSettings settings;
    {
        QFile out(settings.fileName());
        QVERIFY(QDir().mkpath(QFileInfo(out).path()));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file);
    }

    PreferenceController::registerDefaults(kNow);
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform, [] { return kNow; });
    delegate.connectOutlets(&panel);
    delegate.applicationDidFinishLaunching();
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    const QString shown = panel.input()->text();
    QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(display)).match(shown).hasMatch(),
             qPrintable(shown));
    QVERIFY(delegate.countdownTimer().isActive());
    QCOMPARE(panel.backgroundColor(), background);
    QCOMPARE(panel.input()->palette().color(QPalette::WindowText), text);
    QCOMPARE(panel.hasShadow(), shadow);

    // And the program itself, not only its parts, comes up and paints on the same file.
    const QString binary = qEnvironmentVariable("PC_BINARY");
    if (binary.isEmpty())
        return;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.folder() + QStringLiteral("/program"));
    environment.insert(QStringLiteral("PC_STARTUP_PROBE"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    const QString programFolder = settings.folder() + QStringLiteral("/program/" PC_APP_ID);
    QVERIFY(QDir().mkpath(programFolder));
    QVERIFY(QFile::copy(settings.fileName(), programFolder + QStringLiteral("/presenter-countdown.conf")));
    program.start(binary, {});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().startsWith("first-paint-ns"));
}

QTEST_MAIN(TestDamagedSettings)
#include "tst_DamagedSettings.moc"
