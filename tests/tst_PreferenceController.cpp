#include "TestSettings.h"

#include "settings/ColorArchive.h"
#include "settings/NotificationCenter.h"
#include "settings/PreferenceController.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <ctime>

using namespace PreferenceNames;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(9, 30), Qt::LocalTime);
const char kReadDropShadow[] = "--read-drop-shadow";

// Runs one writer with a value equal to what the store already holds after the first call.
void runWriter(int writer)
{
    switch (writer) {
    case 0:
        PreferenceController::setPreferenceTargetDateTime(kNow.addDays(3));
        break;
    case 1:
        PreferenceController::setPreferenceTextColor(ColorArchive::archive(Qt::red));
        break;
    case 2:
        PreferenceController::setPreferenceBgColor(ColorArchive::archive(Qt::blue));
        break;
    default:
        PreferenceController::setPreferenceDropShadow(false);
        break;
    }
}

} // namespace

class TestPreferenceController : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void defaultTarget_data();
    void defaultTarget();
    void unsetValuesReadTheRegisteredDefaults();
    void everyWriterPostsOneNotificationPerCall_data();
    void everyWriterPostsOneNotificationPerCall();
    void observersSeeTheSavedValue();
    void wrongKindUnderAColourKeyReadsAsNoBlob_data();
    void wrongKindUnderAColourKeyReadsAsNoBlob();
    void targetThatIsNotADateReadsAsNoDate_data();
    void targetThatIsNotADateReadsAsNoDate();
    void dropShadowOffSurvivesARestart();
    void unwritableStoreStillNotifies();

private:
    std::unique_ptr<TestSettings> m_settings;
    QObject m_observer;
};

void TestPreferenceController::init()
{
    m_settings = std::make_unique<TestSettings>();
    PreferenceController::registerDefaults(kNow);
}

void TestPreferenceController::cleanup()
{
    NotificationCenter::defaultCenter().removeObserver(&m_observer);
    m_settings.reset();
}

void TestPreferenceController::defaultTarget_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("expected");
    QTest::addColumn<qint64>("secondsApart");

    const auto local = [](int y, int mo, int d, int h, int mi, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::LocalTime);
    };
    const qint64 sixtyDays = 60 * 86400;
    QTest::newRow("winter") << local(2026, 12, 6, 9, 30) << local(2027, 2, 4, 9, 30) << sixtyDays;
    QTest::newRow("across spring forward") << local(2026, 3, 1, 12, 0) << local(2026, 4, 30, 12, 0) << sixtyDays - 3600;
    QTest::newRow("across fall back") << local(2026, 9, 15, 12, 0) << local(2026, 11, 14, 12, 0) << sixtyDays + 3600;
    // 02:30 does not exist on 29 March 2026 in Berlin: the target moves on to 03:30, the same instant
    // that 02:30 standard time would have been.
    QTest::newRow("into the missing hour") << local(2026, 1, 28, 2, 30) << local(2026, 3, 29, 3, 30) << sixtyDays;
    QTest::newRow("one second after the fixed date")
        << local(2016, 12, 31, 0, 0, 1) << local(2017, 3, 1, 0, 0, 1) << sixtyDays;
    QTest::newRow("at the fixed date") << local(2016, 12, 31, 0, 0) << local(2016, 12, 31, 0, 0) << qint64(0);
    QTest::newRow("before the fixed date") << local(2010, 5, 1, 8, 0) << local(2016, 12, 31, 0, 0)
                                           << local(2010, 5, 1, 8, 0).secsTo(local(2016, 12, 31, 0, 0));
    QTest::newRow("now given in UTC") << kNow.toUTC() << local(2027, 2, 4, 9, 30) << sixtyDays;
}

void TestPreferenceController::defaultTarget()
{
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, expected);
    QFETCH(qint64, secondsApart);

    const QDateTime target = PreferenceController::defaultTargetDateTime(now);
    QCOMPARE(target, expected);
    QCOMPARE(target.toLocalTime().time(), expected.time());
    QCOMPARE(now.secsTo(target), secondsApart);
}

void TestPreferenceController::unsetValuesReadTheRegisteredDefaults()
{
    QCOMPARE(PreferenceController::preferenceTargetDateTime(), std::optional(kNow.addDays(60)));
    QCOMPARE(PreferenceController::preferenceTextColor(), std::optional(ColorArchive::archive(Qt::black)));
    QCOMPARE(PreferenceController::preferenceBgColor(), std::optional(ColorArchive::archive(Qt::white)));
    QCOMPARE(PreferenceController::preferenceDropShadow(), true);
    QVERIFY(!QFile::exists(m_settings->fileName()));
}

void TestPreferenceController::everyWriterPostsOneNotificationPerCall_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<QString>("notification");
    QTest::newRow("target") << 0 << QStringLiteral("ZKVTargetDateTimeChanged");
    QTest::newRow("text colour") << 1 << QStringLiteral("ZKVTextColorChanged");
    QTest::newRow("background colour") << 2 << QStringLiteral("ZKVBgColorChanged");
    QTest::newRow("drop shadow") << 3 << QStringLiteral("ZKVDropShadowChanged");
}

void TestPreferenceController::everyWriterPostsOneNotificationPerCall()
{
    QFETCH(int, writer);
    QFETCH(QString, notification);

    QStringList received;
    for (const QString name : {TargetDateTimeChanged, TextColorChanged, BgColorChanged, DropShadowChanged}) {
        NotificationCenter::defaultCenter().addObserver(&m_observer, name,
                                                        [&](const Notification& n) { received.append(n.name); });
    }
    runWriter(writer);
    QCOMPARE(received, QStringList{notification});
    runWriter(writer); // the same value again still announces itself
    QCOMPARE(received, (QStringList{notification, notification}));
}

void TestPreferenceController::observersSeeTheSavedValue()
{
    std::optional<bool> seen;
    NotificationCenter::defaultCenter().addObserver(&m_observer, DropShadowChanged, [&](const Notification&) {
        seen = PreferenceController::preferenceDropShadow();
    });
    PreferenceController::setPreferenceDropShadow(false);
    QCOMPARE(seen, std::optional(false));
}

void TestPreferenceController::wrongKindUnderAColourKeyReadsAsNoBlob_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("text colour as text") << QString(TextColorKey) << QVariant(QStringLiteral("black"));
    QTest::newRow("text colour as number") << QString(TextColorKey) << QVariant(42);
    QTest::newRow("background as date") << QString(BgColorKey) << QVariant(kNow);
    QTest::newRow("background as list") << QString(BgColorKey) << QVariant(QStringList{QStringLiteral("a")});
}

void TestPreferenceController::wrongKindUnderAColourKeyReadsAsNoBlob()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    TestSettings::putRaw(key, value);
    const auto blob =
        key == TextColorKey ? PreferenceController::preferenceTextColor() : PreferenceController::preferenceBgColor();
    QCOMPARE(blob, std::nullopt);
}

void TestPreferenceController::targetThatIsNotADateReadsAsNoDate_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::newRow("text") << QVariant(QStringLiteral("next Tuesday"));
    QTest::newRow("ISO text") << QVariant(QStringLiteral("2027-01-01T10:00:00"));
    QTest::newRow("number") << QVariant(1700000000);
    QTest::newRow("bytes") << QVariant(QByteArray("\x00\x01", 2));
    QTest::newRow("invalid date") << QVariant(QDateTime());
}

void TestPreferenceController::targetThatIsNotADateReadsAsNoDate()
{
    QFETCH(QVariant, value);
    TestSettings::putRaw(TargetDateTimeKey, value);
    QCOMPARE(PreferenceController::preferenceTargetDateTime(), std::nullopt);
}

void TestPreferenceController::dropShadowOffSurvivesARestart()
{
    // A fresh process registers the default (on) again; only the saved value can turn it off.
    const auto readInChild = [this] {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kReadDropShadow), m_settings->folder(), QCoreApplication::applicationName()});
        if (!child.waitForFinished(10000))
            return QByteArray("timeout");
        return child.readAllStandardOutput().trimmed();
    };
    QCOMPARE(readInChild(), QByteArray("true"));
    PreferenceController::setPreferenceDropShadow(false);
    QCOMPARE(readInChild(), QByteArray("false"));
}

void TestPreferenceController::unwritableStoreStillNotifies()
{
    // A plain file where the settings folder should be: nothing can be saved there.
    QFile blocker(m_settings->folder() + QStringLiteral("/presenter-countdown-test"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    int notifications = 0;
    NotificationCenter::defaultCenter().addObserver(&m_observer, BgColorChanged,
                                                    [&](const Notification&) { ++notifications; });
    PreferenceController::setPreferenceBgColor(ColorArchive::archive(Qt::green));
    QCOMPARE(notifications, 1);
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
}

int main(int argc, char* argv[])
{
    // Default targets are checked against Berlin's daylight-saving dates.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCoreApplication application(argc, argv);

    if (argc == 4 && qstrcmp(argv[1], kReadDropShadow) == 0) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[2]));
        QCoreApplication::setOrganizationName(QStringLiteral("presenter-countdown-test"));
        QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[3]));
        PreferenceController::registerDefaults(QDateTime::currentDateTime());
        std::puts(PreferenceController::preferenceDropShadow() ? "true" : "false");
        return 0;
    }

    TestPreferenceController test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PreferenceController.moc"
