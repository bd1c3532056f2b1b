#include "SessionPlatform.h"

#include <QProcess>
#include <QTest>

using SessionPlatform::Environment;

Q_DECLARE_METATYPE(SessionPlatform::Environment)

class TestSessionPlatform : public QObject {
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
    void startsWithoutADisplay_data();
    void startsWithoutADisplay();
};

void TestSessionPlatform::choose_data()
{
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<bool>("warns");

    QTest::newRow("X11 session") << Environment{{}, {}, ":0", "x11", false} << QByteArray() << false;
    QTest::newRow("Wayland with XWayland")
        << Environment{{}, "wayland-0", ":0", "wayland", false} << QByteArray("xcb") << false;
    QTest::newRow("Wayland session type only")
        << Environment{{}, {}, ":1", "wayland", false} << QByteArray("xcb") << false;
    QTest::newRow("Wayland without XWayland")
        << Environment{{}, "wayland-0", {}, "wayland", false} << QByteArray() << true;
    QTest::newRow("user chose by variable")
        << Environment{"wayland", "wayland-0", ":0", "wayland", false} << QByteArray() << false;
    QTest::newRow("user chose by argument")
        << Environment{{}, "wayland-0", ":0", "wayland", true} << QByteArray() << false;
    QTest::newRow("no session at all") << Environment{} << QByteArray() << false;
}

void TestSessionPlatform::choose()
{
    QFETCH(Environment, environment);
    QFETCH(QByteArray, platform);
    QFETCH(bool, warns);
    const auto choice = SessionPlatform::choose(environment);
    QCOMPARE(choice.qpaPlatform, platform);
    QCOMPARE(choice.mayNotStayOnTop, warns);
}

void TestSessionPlatform::startsWithoutADisplay_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saysOnStderr");
    QTest::newRow("DISPLAY unset") << QString() << QStringList() << 1
                                   << "presenter-countdown: no display could be opened (DISPLAY is not set)\n";
    QTest::newRow("DISPLAY at no server")
        << ":987" << QStringList() << 1 << "presenter-countdown: no display could be opened (DISPLAY=:987)\n";
    QTest::newRow("--help needs none") << QString() << QStringList{QStringLiteral("--help")} << 0 << QString();
    QTest::newRow("--version needs none") << ":987" << QStringList{QStringLiteral("--version")} << 0 << QString();
}

void TestSessionPlatform::startsWithoutADisplay()
{
    QFETCH(QString, display);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, saysOnStderr);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QString::fromLatin1(name));
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(qEnvironmentVariable("PC_BINARY"), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    if (status != 0)
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), saysOnStderr);
}

QTEST_GUILESS_MAIN(TestSessionPlatform)
#include "tst_SessionPlatform.moc"
