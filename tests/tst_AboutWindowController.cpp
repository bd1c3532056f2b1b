#include "BuildInfo.h"
#include "FakePlatform.h"
#include "TestSettings.h"

#include "about/AboutWindowController.h"
#include "app/AppDelegate.h"
#include "app/TitlelessPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class TestAboutWindowController : public QObject {
    Q_OBJECT

private slots:
    void centredOrigin_data();
    void centredOrigin();
    void opensCentredAndFloating();
    void everyOpeningIsFreshAndCentredAgain();
    void closeButtonCloses();
};

void TestAboutWindowController::centredOrigin_data()
{
    QTest::addColumn<QRectF>("screen");
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QPointF>("expected");
    QTest::newRow("400x300 on 1440x900") << QRectF(0, 0, 1440, 900) << QSizeF(400, 300) << QPointF(520, 300);
    QTest::newRow("401 wide") << QRectF(0, 0, 1440, 900) << QSizeF(401, 300) << QPointF(519.5, 300);
    // Only the screen's size counts: a secondary screen's origin is not added.
    QTest::newRow("secondary screen") << QRectF(1440, 0, 1920, 1080) << QSizeF(400, 300) << QPointF(760, 390);
    QTest::newRow("no screen") << QRectF() << QSizeF(400, 300) << QPointF(-200, -150);
}

void TestAboutWindowController::centredOrigin()
{
    QFETCH(QRectF, screen);
    QFETCH(QSizeF, window);
    QFETCH(QPointF, expected);
    QCOMPARE(AboutWindowController::centredOrigin(screen, window), expected);
}

void TestAboutWindowController::opensCentredAndFloating()
{
    TestSettings settings;
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform);
    delegate.connectOutlets(&panel);
    panel.aboutAction()->trigger();

    AboutWindowController* controller = delegate.aboutWindowController();
    QVERIFY(controller);
    QWidget* window = controller->aboutWindow();
    QVERIFY(window->isVisible());
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(platform.floated.last().window, window);
    QVERIFY(!platform.floated.last().wasVisible);

    const QRect screen = window->screen()->geometry();
    const QPoint expected = AboutWindowController::centredOrigin(QRectF(screen), QSizeF(window->size())).toPoint();
    QTRY_COMPARE(window->pos(), expected);
    const auto labels = window->findChildren<QLabel*>();
    QVERIFY(std::any_of(labels.begin(), labels.end(),
                        [](const QLabel* l) { return l->text().contains(QStringLiteral(PC_VERSION)); }));
}

void TestAboutWindowController::everyOpeningIsFreshAndCentredAgain()
{
    TestSettings settings;
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform);
    delegate.connectOutlets(&panel);

    delegate.aboutClicked();
    QPointer<QWidget> first = delegate.aboutWindowController()->aboutWindow();
    const QPoint centre = first->pos();
    first->move(centre + QPoint(100, 50));

    delegate.aboutClicked();
    QWidget* second = delegate.aboutWindowController()->aboutWindow();
    QVERIFY(second != first);
    QTRY_COMPARE(second->pos(), centre);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
}

void TestAboutWindowController::closeButtonCloses()
{
    AboutWindowController controller;
    controller.showWindow();
    QVERIFY(controller.aboutWindow()->isVisible());
    QTest::mouseClick(controller.aboutWindow()->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    QVERIFY(!controller.aboutWindow()->isVisible());
}

QTEST_MAIN(TestAboutWindowController)
#include "tst_AboutWindowController.moc"
