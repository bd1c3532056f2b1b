#include "app/SessionPlatform.h"

#include <QTest>

using SessionPlatform::Environment;

Q_DECLARE_METATYPE(SessionPlatform::Environment)

class TestSessionPlatform : public QObject {
    Q_OBJECT

private slots:
    void choose_data();
    void choose();
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

QTEST_GUILESS_MAIN(TestSessionPlatform)
#include "tst_SessionPlatform.moc"
