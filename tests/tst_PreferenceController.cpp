#include "TestSettings.h"

#include "settings/ColorArchive.h"
#include "settings/NotificationCenter.h"
#include "settings/PreferenceController.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <ctime>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace PreferenceNames;

namespace {

const QDateTime kNow(QDate(2026, 12, 6), QTime(9, 30), Qt::LocalTime);
const char kChild[] = "--child";

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

// What sits at a path, not following a symbolic link.
QString kindOf(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("fifo");
    if (S_ISCHR(info.st_mode))
        return QStringLiteral("device");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("folder");
    return QStringLiteral("file");
}

bool make(const QString& kind, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == QLatin1String("device")) // the numbers of /dev/null
        return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    return QDir().mkdir(path);
}

struct ChildRun {
    QByteArray out;
    QByteArray err;
};

// Runs this executable on the test's store in a fresh process under the given time zone (see main); a
// child that hangs is killed, so that a hang fails the test instead of stalling it.
ChildRun runChild(const TestSettings& settings, const QString& timeZone, const QStringList& commands)
{
    QProcess child;
    child.start(
        QCoreApplication::applicationFilePath(),
        QStringList{QString::fromLatin1(kChild), timeZone, settings.folder(), QCoreApplication::applicationName()} +
            commands);
    if (!child.waitForFinished(10000)) {
        child.kill();
        child.waitForFinished();
        return {"timeout", {}};
    }
    return {child.readAllStandardOutput().trimmed(), child.readAllStandardError()};
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
    void valueSurvivesARestart_data();
    void valueSurvivesARestart();
    void unsavedValueStillReachesReaders_data();
    void unsavedValueStillReachesReaders();
    void settingsPathThatIsNoFileIsLeftAlone_data();
    void settingsPathThatIsNoFileIsLeftAlone();

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

void TestPreferenceController::valueSurvivesARestart_data()
{
    QTest::addColumn<int>("writer");
    QTest::addColumn<QString>("timeZone");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QByteArray>("answer");
    // A fresh process registers the default (on) again; only the saved value can turn it off.
    QTest::newRow("drop shadow off") << 3 << QStringLiteral("Europe/Berlin") << QStringLiteral("shadow")
                                     << QByteArray("false");
    // The target is a moment, not a wall-clock reading: 09:30 in Berlin stays 03:30 in New York.
    QTest::newRow("target read in another time zone")
        << 0 << QStringLiteral("America/New_York") << QStringLiteral("target") << QByteArray("2026-12-09T08:30:00Z");
}

void TestPreferenceController::valueSurvivesARestart()
{
    QFETCH(int, writer);
    QFETCH(QString, timeZone);
    QFETCH(QString, question);
    QFETCH(QByteArray, answer);

    runWriter(writer);
    QCOMPARE(runChild(*m_settings, timeZone, {question}).out, answer);
}

void TestPreferenceController::unsavedValueStillReachesReaders_data()
{
    QTest::addColumn<QString>("blocker"); // a plain file in the way, relative to the test's folder
    QTest::addColumn<QString>("configHome");
    QTest::newRow("file where the settings folder should be")
        << QStringLiteral("presenter-countdown-test") << QString();
    QTest::newRow("config home is a file") << QStringLiteral("home") << QStringLiteral("home");
}

void TestPreferenceController::unsavedValueStillReachesReaders()
{
    QFETCH(QString, blocker);
    QFETCH(QString, configHome);

    QFile blockerFile(m_settings->folder() + QLatin1Char('/') + blocker);
    QVERIFY(blockerFile.open(QIODevice::WriteOnly));
    blockerFile.close();
    if (!configHome.isEmpty())
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           m_settings->folder() + QLatin1Char('/') + configHome);

    QList<std::optional<QByteArray>> seen;
    NotificationCenter::defaultCenter().addObserver(&m_observer, BgColorChanged, [&](const Notification&) {
        seen.append(PreferenceController::preferenceBgColor());
    });
    const QByteArray green = ColorArchive::archive(Qt::green);
    PreferenceController::setPreferenceBgColor(green);
    PreferenceController::setPreferenceBgColor(green);
    QCOMPARE(seen, (QList<std::optional<QByteArray>>{green, green}));
    QVERIFY(QFileInfo(blockerFile.fileName()).isFile());

    // Once a save succeeds the file speaks again, also for what another copy of the program saves later.
    QVERIFY(blockerFile.remove());
    PreferenceController::setPreferenceDropShadow(false);
    QCOMPARE(TestSettings::readRaw(BgColorKey), QVariant(green));
    TestSettings::putRaw(BgColorKey, ColorArchive::archive(Qt::red));
    QCOMPARE(PreferenceController::preferenceBgColor(), std::optional(ColorArchive::archive(Qt::red)));
}

void TestPreferenceController::settingsPathThatIsNoFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("where"); // which of the files the store opens
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("linked"); // the path is a symbolic link to the thing
    QTest::addColumn<QString>("reason");

    const QString app = QStringLiteral("settings");
    const QString fifo = QStringLiteral("fifo");
    const QString device = QStringLiteral("device");
    QTest::newRow("FIFO") << app << fifo << false << QStringLiteral("it is a FIFO");
    QTest::newRow("link to a FIFO") << app << fifo << true << QStringLiteral("it leads to %1, a FIFO");
    QTest::newRow("device") << app << device << false << QStringLiteral("it is a device");
    QTest::newRow("link to a device") << app << device << true << QStringLiteral("it leads to %1, a device");
    QTest::newRow("folder") << app << QStringLiteral("folder") << false << QStringLiteral("it is a folder");
    QTest::newRow("FIFO as the organisation's file")
        << QStringLiteral("organisation") << fifo << false << QStringLiteral("it is a FIFO");
    QTest::newRow("FIFO as the lock") << QStringLiteral("lock") << fifo << false << QStringLiteral("it is a FIFO");
}

void TestPreferenceController::settingsPathThatIsNoFileIsLeftAlone()
{
    QFETCH(QString, where);
    QFETCH(QString, kind);
    QFETCH(bool, linked);
    QFETCH(QString, reason);

    const QString file = m_settings->fileName();
    const QString path = where == QLatin1String("organisation")
                             ? QFileInfo(file).path() + QStringLiteral(".conf")
                             : (where == QLatin1String("lock") ? file + QStringLiteral(".lock") : file);
    const QString node = linked ? m_settings->folder() + QStringLiteral("/elsewhere") : path;
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    if (!make(kind, node))
        QSKIP("cannot make that kind of file here");
    if (linked)
        QVERIFY(QFile::link(node, path));

    const ChildRun run = runChild(*m_settings, QStringLiteral("Europe/Berlin"),
                                  {QStringLiteral("no-shadow"), QStringLiteral("no-shadow"), QStringLiteral("shadow")});
    QCOMPARE(kindOf(path), linked ? QStringLiteral("link") : kind);
    QCOMPARE(kindOf(node), kind);
    QCOMPARE(run.out, QByteArray("false"));
    QCOMPARE(QString::fromLocal8Bit(run.err),
             QStringLiteral("presenter-countdown: not using settings file %1: %2, not a regular file\n")
                 .arg(path, linked ? reason.arg(node) : reason));
}

int main(int argc, char* argv[])
{
    // Default targets are checked against Berlin's daylight-saving dates; a child runs in the zone it is
    // given.
    const bool child = argc >= 5 && qstrcmp(argv[1], kChild) == 0;
    qputenv("TZ", child ? argv[2] : "Europe/Berlin");
    tzset();
    QCoreApplication application(argc, argv);

    if (child) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[3]));
        QCoreApplication::setOrganizationName(QStringLiteral("presenter-countdown-test"));
        QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[4]));
        PreferenceController::registerDefaults(QDateTime::currentDateTime());
        for (int i = 5; i < argc; ++i) {
            if (qstrcmp(argv[i], "no-shadow") == 0)
                PreferenceController::setPreferenceDropShadow(false);
            else if (qstrcmp(argv[i], "shadow") == 0)
                std::puts(PreferenceController::preferenceDropShadow() ? "true" : "false");
            else if (qstrcmp(argv[i], "target") == 0)
                std::puts(qPrintable(PreferenceController::preferenceTargetDateTime()
                                         .value_or(QDateTime())
                                         .toUTC()
                                         .toString(Qt::ISODate)));
        }
        return 0;
    }

    TestPreferenceController test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PreferenceController.moc"
