#include "ControlService.h"
#include "Settings.h"
#include "TimerControl.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QTemporaryDir>
#include <QTest>

class TestControlService : public QObject {
    Q_OBJECT

public slots:
    void propertiesChanged(const QString&, const QVariantMap& changed, const QStringList&)
    {
        if (changed.contains(QStringLiteral("Running")))
            m_running.append(changed.value(QStringLiteral("Running")).toBool());
    }

private slots:
    void badValuesAreRefused_data();
    void badValuesAreRefused();
    void runningIsAnnounced();

private:
    QList<bool> m_running;
};

void TestControlService::badValuesAreRefused_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QVariant>("argument");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<qlonglong>("secondsLeft"); // after a good call
    QTest::newRow("a duration") << "StartDuration" << QVariant(qlonglong(600)) << false << qlonglong(600);
    QTest::newRow("the longest duration")
        << "StartDuration" << QVariant(qlonglong(359999)) << false << qlonglong(359999);
    QTest::newRow("no duration") << "StartDuration" << QVariant(qlonglong(0)) << true << qlonglong(0);
    QTest::newRow("a negative duration") << "StartDuration" << QVariant(qlonglong(-5)) << true << qlonglong(0);
    QTest::newRow("a duration too long") << "StartDuration" << QVariant(qlonglong(360000)) << true << qlonglong(0);
    QTest::newRow("a target") << "SetTarget" << QVariant(QStringLiteral("2026-12-06T10:40:00Z")) << false
                              << qlonglong(600);
    QTest::newRow("no date") << "SetTarget" << QVariant(QStringLiteral("soon")) << true << qlonglong(0);
    QTest::newRow("before 1970") << "SetTarget" << QVariant(QStringLiteral("1969-12-31T23:00")) << true << qlonglong(0);
    QTest::newRow("a command line") << "HandleCommandLine"
                                    << QVariant(QStringList{QStringLiteral("--duration"), QStringLiteral("20m")})
                                    << false << qlonglong(1200);
    QTest::newRow("an unreadable duration")
        << "HandleCommandLine" << QVariant(QStringList{QStringLiteral("--duration"), QStringLiteral("xyz")}) << true
        << qlonglong(0);
    QTest::newRow("an unknown option") << "HandleCommandLine" << QVariant(QStringList{QStringLiteral("--bogus")})
                                       << true << qlonglong(0);
    QTest::newRow("a stray word") << "HandleCommandLine" << QVariant(QStringList{QStringLiteral("now")}) << true
                                  << qlonglong(0);
}

void TestControlService::badValuesAreRefused()
{
    QFETCH(QString, method);
    QFETCH(QVariant, argument);
    QFETCH(bool, refused);
    QFETCH(qlonglong, secondsLeft);

    const QDateTime now(QDate(2026, 12, 6), QTime(10, 30), Qt::UTC);
    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("settings.conf")), now);
    TimerControl::countUntil(settings, now); // nothing left, so that any change shows
    Countdown countdown([&] { return now; });
    ControlService service(settings, countdown, [&] { return now; });
    QObject::connect(&settings, &Settings::changed, &countdown,
                     [&] { countdown.setTarget(settings.targetDateTime().value_or(now)); });

    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.isConnected());
    const QString path = QLatin1String(ControlService::ObjectPath);
    QVERIFY(bus.registerObject(path, &service,
                               QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportAllProperties));
    // A connection of its own, so that the call goes over the bus as another program's would.
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    auto call =
        QDBusMessage::createMethodCall(bus.baseService(), path, QLatin1String(ControlService::Interface), method);
    call << argument;
    QDBusPendingCall pending = client.asyncCall(call);
    QTRY_VERIFY(pending.isFinished());
    QCOMPARE(pending.isError(), refused);
    if (refused)
        QCOMPARE(pending.error().type(), QDBusError::InvalidArgs);

    auto get = QDBusMessage::createMethodCall(bus.baseService(), path,
                                              QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QLatin1String(ControlService::Interface) << QStringLiteral("SecondsLeft");
    QDBusPendingReply<QVariant> left = client.asyncCall(get);
    QTRY_VERIFY(left.isFinished());
    QCOMPARE(left.value().toLongLong(), secondsLeft);
    bus.unregisterObject(path);
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
}

void TestControlService::runningIsAnnounced()
{
    const QDateTime now(QDate(2026, 12, 6), QTime(10, 30), Qt::UTC);
    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("settings.conf")), now);
    TimerControl::countUntil(settings, now);
    Countdown countdown([&] { return now; });
    countdown.setTarget(now);
    ControlService service(settings, countdown, [&] { return now; });
    QObject::connect(&settings, &Settings::changed, &countdown, [&] {
        if (const auto paused = settings.pausedRemaining())
            countdown.hold(*paused);
        else
            countdown.setTarget(settings.targetDateTime().value_or(now));
    });
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString path = QLatin1String(ControlService::ObjectPath);
    QVERIFY(bus.registerObject(path, &service, QDBusConnection::ExportScriptableSlots));
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("watcher"));
    QVERIFY(client.connect(QString(), path, QStringLiteral("org.freedesktop.DBus.Properties"),
                           QStringLiteral("PropertiesChanged"), this,
                           SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
    m_running.clear();
    for (const char* method : {"StartDuration", "Pause", "Pause", "Resume"}) {
        auto call = QDBusMessage::createMethodCall(bus.baseService(), path, QLatin1String(ControlService::Interface),
                                                   QLatin1String(method));
        if (qstrcmp(method, "StartDuration") == 0)
            call << qlonglong(600);
        QDBusPendingCall pending = client.asyncCall(call);
        QTRY_VERIFY(pending.isFinished());
    }
    QTRY_COMPARE(m_running, (QList<bool>{true, false, true}));
    bus.unregisterObject(path);
    QDBusConnection::disconnectFromBus(QStringLiteral("watcher"));
}

QTEST_GUILESS_MAIN(TestControlService)
#include "tst_ControlService.moc"
