#include "SessionPlatform.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using SessionPlatform::Environment;
using SessionPlatform::Notice;
using SessionPlatform::PanelStacking;

Q_DECLARE_METATYPE(SessionPlatform::Environment)

class TestSessionPlatform : public QObject {
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
    void noticeText();
    void platformArgument_data();
    void platformArgument();
    void panelStacking_data();
    void panelStacking();
    void startsWithoutADisplay_data();
    void startsWithoutADisplay();
};

void TestSessionPlatform::choose_data()
{
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<Notice>("notice");

    QTest::newRow("X11 session") << Environment{{}, {}, ":0", "x11", {}} << QByteArray() << Notice::None;
    QTest::newRow("Wayland with XWayland")
        << Environment{{}, "wayland-0", ":0", "wayland", {}} << QByteArray("xcb") << Notice::None;
    QTest::newRow("Wayland session type only")
        << Environment{{}, {}, ":1", "wayland", {}} << QByteArray("xcb") << Notice::None;
    QTest::newRow("Wayland without XWayland")
        << Environment{{}, "wayland-0", {}, "wayland", {}} << QByteArray() << Notice::NoXWayland;
    QTest::newRow("user chose Wayland by variable")
        << Environment{"wayland", "wayland-0", ":0", "wayland", {}} << QByteArray() << Notice::NativeWaylandChosen;
    QTest::newRow("user chose Wayland by argument")
        << Environment{{}, "wayland-0", ":0", "wayland", "wayland"} << QByteArray() << Notice::NativeWaylandChosen;
    QTest::newRow("user chose Wayland with EGL")
        << Environment{"wayland-egl", "wayland-0", ":0", "wayland", {}} << QByteArray() << Notice::NativeWaylandChosen;
    QTest::newRow("Wayland first of a list")
        << Environment{"wayland;xcb", "wayland-0", ":0", "wayland", {}} << QByteArray() << Notice::NativeWaylandChosen;
    QTest::newRow("Wayland with plugin options")
        << Environment{"wayland:foo", "wayland-0", ":0", "wayland", {}} << QByteArray() << Notice::NativeWaylandChosen;
    QTest::newRow("X11 first of a list") << Environment{"xcb;wayland", "wayland-0", ":0", "wayland", {}} << QByteArray()
                                         << Notice::None;
    QTest::newRow("user chose X11 by variable")
        << Environment{"xcb", "wayland-0", ":0", "wayland", {}} << QByteArray() << Notice::None;
    QTest::newRow("argument xcb overrides variable wayland")
        << Environment{"wayland", "wayland-0", ":0", "wayland", "xcb"} << QByteArray() << Notice::None;
    QTest::newRow("argument wayland overrides variable xcb")
        << Environment{"xcb", "wayland-0", ":0", "wayland", "wayland"} << QByteArray() << Notice::NativeWaylandChosen;
    QTest::newRow("user chose offscreen")
        << Environment{"offscreen", "wayland-0", {}, "wayland", {}} << QByteArray() << Notice::None;
    QTest::newRow("no session at all") << Environment{} << QByteArray() << Notice::None;
}

void TestSessionPlatform::choose()
{
    QFETCH(Environment, environment);
    QFETCH(QByteArray, platform);
    QFETCH(Notice, notice);
    const auto choice = SessionPlatform::choose(environment);
    QCOMPARE(choice.qpaPlatform, platform);
    QCOMPARE(choice.notice, notice);
}

void TestSessionPlatform::noticeText()
{
    QVERIFY(SessionPlatform::noticeText(Notice::None).isEmpty());
    for (const Notice notice : {Notice::NativeWaylandChosen, Notice::NoXWayland}) {
        const QByteArray text = SessionPlatform::noticeText(notice);
        // One line, and it tells what is lost and how to get it back.
        QVERIFY(!text.contains('\n'));
        QVERIFY(text.contains("cannot stay above other windows or keep off the keyboard"));
        QVERIFY(text.contains("XWayland"));
    }
    QVERIFY(SessionPlatform::noticeText(Notice::NativeWaylandChosen).contains("-platform xcb"));
}

void TestSessionPlatform::platformArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("none") << QStringList{QStringLiteral("pc")} << QByteArray();
    QTest::newRow("single dash") << QStringList{QStringLiteral("pc"), QStringLiteral("-platform"),
                                                QStringLiteral("wayland")}
                                 << QByteArray("wayland");
    QTest::newRow("double dash") << QStringList{QStringLiteral("pc"), QStringLiteral("--platform"),
                                                QStringLiteral("xcb")}
                                 << QByteArray("xcb");
    QTest::newRow("the last one wins") << QStringList{QStringLiteral("pc"), QStringLiteral("-platform"),
                                                      QStringLiteral("xcb"), QStringLiteral("-platform"),
                                                      QStringLiteral("wayland")}
                                       << QByteArray("wayland");
    QTest::newRow("no value") << QStringList{QStringLiteral("pc"), QStringLiteral("-platform")} << QByteArray();
    QTest::newRow("a value is no option")
        << QStringList{QStringLiteral("pc"), QStringLiteral("-platform"), QStringLiteral("-platform")}
        << QByteArray("-platform");
}

void TestSessionPlatform::platformArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, platform);
    std::vector<QByteArray> storage;
    std::vector<const char*> argv;
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    for (const QByteArray& argument : storage)
        argv.push_back(argument.constData());
    QCOMPARE(SessionPlatform::platformArgument(int(argv.size()), argv.data()), platform);
}

void TestSessionPlatform::panelStacking_data()
{
    QTest::addColumn<QByteArray>("windowManager");
    QTest::addColumn<PanelStacking>("stacking");
    QTest::newRow("sway and other wlroots compositors") << QByteArray("wlroots wm") << PanelStacking::OverrideRedirect;
    QTest::newRow("KWin") << QByteArray("KWin") << PanelStacking::Managed;
    QTest::newRow("GNOME Shell") << QByteArray("GNOME Shell") << PanelStacking::Managed;
    QTest::newRow("openbox") << QByteArray("Openbox") << PanelStacking::Managed;
    QTest::newRow("weston") << QByteArray("Weston WM") << PanelStacking::Managed;
    QTest::newRow("no window manager") << QByteArray() << PanelStacking::Managed;
}

void TestSessionPlatform::panelStacking()
{
    QFETCH(QByteArray, windowManager);
    QFETCH(PanelStacking, stacking);
    QCOMPARE(SessionPlatform::panelStacking(windowManager), stacking);
}

void TestSessionPlatform::startsWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("environment"); // NAME=VALUE
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("saysOnStderr");
    const QString native = QStringLiteral("presenter-countdown: ") +
                           QString::fromLatin1(SessionPlatform::noticeText(Notice::NativeWaylandChosen)) + u'\n';
    const QString noWayland =
        QStringLiteral("presenter-countdown: no display could be opened (WAYLAND_DISPLAY=pc-no-such-socket)\n");

    QTest::newRow("DISPLAY unset") << QStringList() << QStringList() << 1
                                   << "presenter-countdown: no display could be opened (DISPLAY is not set)\n";
    QTest::newRow("DISPLAY at no server") << QStringList{QStringLiteral("DISPLAY=:987")} << QStringList() << 1
                                          << "presenter-countdown: no display could be opened (DISPLAY=:987)\n";
    QTest::newRow("--help needs none") << QStringList() << QStringList{QStringLiteral("--help")} << 0 << QString();
    QTest::newRow("--version needs none")
        << QStringList{QStringLiteral("DISPLAY=:987")} << QStringList{QStringLiteral("--version")} << 0 << QString();
    // Said once, before the window system is opened, whether or not a compositor answers.
    QTest::newRow("native Wayland by variable")
        << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"), QStringLiteral("WAYLAND_DISPLAY=pc-no-such-socket")}
        << QStringList() << 1 << native + noWayland;
    QTest::newRow("native Wayland by argument")
        << QStringList{QStringLiteral("WAYLAND_DISPLAY=pc-no-such-socket")}
        << QStringList{QStringLiteral("-platform"), QStringLiteral("wayland")} << 1 << native + noWayland;
}

void TestSessionPlatform::startsWithoutADisplay()
{
    QFETCH(QStringList, environment);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, saysOnStderr);
    QTemporaryDir runtime;
    QVERIFY(runtime.isValid());
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        variables.remove(QString::fromLatin1(name));
    // A Wayland client looks for its socket here; an empty folder holds none.
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    for (const QString& assignment : environment)
        variables.insert(assignment.section(u'=', 0, 0), assignment.section(u'=', 1));
    QProcess program;
    program.setProcessEnvironment(variables);
    program.start(qEnvironmentVariable("PC_BINARY"), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    if (status != 0)
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), saysOnStderr);
}

QTEST_GUILESS_MAIN(TestSessionPlatform)
#include "tst_SessionPlatform.moc"
