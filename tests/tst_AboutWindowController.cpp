#include "BuildInfo.h"
#include "FakePlatform.h"
#include "TestSettings.h"

#include "about/AboutWindowController.h"
#include "app/AppDelegate.h"
#include "app/PanelGeometry.h"
#include "app/TitlelessPanel.h"
#include "settings/PreferenceWindowController.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTestEventList>

class TestAboutWindowController : public QObject {
    Q_OBJECT

private slots:
    void opensCentredAndFloating();
    void opensOnThePanelsScreen_data();
    void opensOnThePanelsScreen();
    void keysClose_data();
    void keysClose();
    void everyOpeningIsFreshAndCentredAgain();
    void closeButtonCloses();
};

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
    const QPoint expected = PanelGeometry::centredOrigin(QRectF(screen), QSizeF(window->size())).toPoint();
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

// Runs with two offscreen screens side by side (two-screens.json): a laptop at the origin and a
// projector at x = 1440.
void TestAboutWindowController::opensOnThePanelsScreen_data()
{
    QTest::addColumn<bool>("settings");
    QTest::addColumn<QPoint>("panelAt");
    QTest::newRow("About, panel on the projector") << false << QPoint(2000, 100);
    QTest::newRow("Settings, panel on the projector") << true << QPoint(2000, 100);
    QTest::newRow("About, panel on the laptop") << false << QPoint(100, 600);
}

void TestAboutWindowController::opensOnThePanelsScreen()
{
    QFETCH(bool, settings);
    QFETCH(QPoint, panelAt);
    QCOMPARE(QGuiApplication::screens().size(), 2);
    TestSettings store;
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform);
    delegate.connectOutlets(&panel);
    panel.move(panelAt);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    (settings ? panel.settingsAction() : panel.aboutAction())->trigger();
    QWidget* window = settings ? delegate.preferenceWindowController()->colorOptionWindow()
                               : delegate.aboutWindowController()->aboutWindow();
    const QScreen* expected = QGuiApplication::screenAt(panel.geometry().center());
    QVERIFY(expected);
    // Within the window frame's few pixels of the screen's middle.
    QTRY_VERIFY((window->geometry().center() - expected->geometry().center()).manhattanLength() <= 6);
}

void TestAboutWindowController::keysClose_data()
{
    QTest::addColumn<bool>("settings");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<bool>("closes");
    QTestEventList escape;
    escape.addKeyClick(Qt::Key_Escape);
    QTestEventList enter;
    enter.addKeyClick(Qt::Key_Return);
    QTestEventList tab;
    tab.addKeyClick(Qt::Key_Tab);
    QTest::newRow("Escape closes About") << false << escape << true;
    QTest::newRow("Enter closes About") << false << enter << true;
    QTest::newRow("Escape closes Settings") << true << escape << true;
    QTest::newRow("Tab moves within Settings") << true << tab << false;
}

void TestAboutWindowController::keysClose()
{
    QFETCH(bool, settings);
    QFETCH(QTestEventList, keys);
    QFETCH(bool, closes);
    TestSettings store;
    FakePlatform platform;
    TitlelessPanel panel;
    AppDelegate delegate(platform);
    delegate.connectOutlets(&panel);
    settings ? delegate.changeColorClick() : delegate.aboutClicked();
    QWidget* window = settings ? delegate.preferenceWindowController()->colorOptionWindow()
                               : delegate.aboutWindowController()->aboutWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget* focused = QApplication::focusWidget();
    keys.simulate(focused ? focused : window);
    QCOMPARE(window->isVisible(), !closes);
}

QTEST_MAIN(TestAboutWindowController)
#include "tst_AboutWindowController.moc"
