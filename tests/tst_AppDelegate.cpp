#include "BuildInfo.h"
#include "FakePlatform.h"
#include "TestSettings.h"

#include "app/AppDelegate.h"
#include "app/DisplayFitting.h"
#include "app/TitlelessPanel.h"
#include "settings/ColorArchive.h"
#include "settings/PreferenceController.h"

#include <QAction>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>
#include <QUrl>

namespace {

const QDateTime kStart(QDate(2026, 12, 6), QTime(9, 30), Qt::LocalTime);

QColor textColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

QSizeF measured(const QString& text, int pixelSize)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    const QFontMetricsF metrics(font);
    return QSizeF(metrics.horizontalAdvance(text), metrics.height());
}

struct Geometry {
    int digitSize;
    int captionSize;
    QList<QRect> frames;
    bool operator==(const Geometry&) const = default;
};

} // namespace

class TestAppDelegate : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void launchWithNoSettings();
    void damagedTargetFallsBackToTheDefault();
    void undecodableColoursFallBackToBlackOnWhite();
    void countdownStopsBelowOneWholeSecond();
    void targetChangeWhileStoppedRestarts();
    void targetChangeWhileRunningKeepsTheTimer();
    void fitIsTheLargestThatFits_data();
    void fitIsTheLargestThatFits();
    void growAndShrinkBackEqualsAFreshFit();
    void tickDoesNotRefit();
    void resizeRefitsAtOnceAndActivatesOnceSettled();
    void failingActivationIsSwallowed();
    void textColourTwiceEqualsOnce();
    void menuOpensTheWebPages();
    void shadowIsDrawnOnlyWithACompositor();
    void shadowToggleKeepsTheVisiblePanelInPlace();
    void seeThroughBackground_data();
    void seeThroughBackground();

private:
    Geometry geometry() const;
    void launch();

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakePlatform> m_platform;
    QDateTime m_now;
    std::unique_ptr<TitlelessPanel> m_panel;
    std::unique_ptr<AppDelegate> m_delegate;
};

void TestAppDelegate::init()
{
    m_settings = std::make_unique<TestSettings>();
    m_now = kStart;
    PreferenceController::registerDefaults(m_now);
    m_panel = std::make_unique<TitlelessPanel>();
    m_platform = std::make_unique<FakePlatform>();
    m_delegate = std::make_unique<AppDelegate>(*m_platform, [this] { return m_now; });
    m_delegate->connectOutlets(m_panel.get());
}

void TestAppDelegate::cleanup()
{
    m_delegate.reset();
    m_panel.reset();
    m_settings.reset();
}

void TestAppDelegate::launch()
{
    m_delegate->applicationDidFinishLaunching();
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
}

Geometry TestAppDelegate::geometry() const
{
    Geometry g{m_panel->input()->font().pixelSize(), m_panel->lblDays()->font().pixelSize(), {}};
    for (const QLabel* field :
         {m_panel->input(), m_panel->lblDays(), m_panel->lblHours(), m_panel->lblMinutes(), m_panel->lblSeconds()})
        g.frames.append(field->geometry());
    return g;
}

void TestAppDelegate::launchWithNoSettings()
{
    launch();
    QCOMPARE(m_panel->input()->text(), QStringLiteral("60:00:00:00"));
    QVERIFY(m_delegate->isRunning());
    QVERIFY(m_delegate->countdownTimer().isActive());
    QCOMPARE(m_delegate->countdownTimer().interval(), 1000);

    QCOMPARE(textColor(m_panel->input()), QColor(Qt::black));
    for (const QLabel* caption :
         {m_panel->lblDays(), m_panel->lblHours(), m_panel->lblMinutes(), m_panel->lblSeconds()})
        QCOMPARE(textColor(caption), QColor::fromRgbF(0, 0, 0, 0.6f));
    QCOMPARE(m_panel->backgroundColor(), QColor(Qt::white));
    QVERIFY(m_panel->hasShadow());

    QCOMPARE(m_platform->floated.size(), 1);
    QCOMPARE(m_platform->floated[0].window, m_panel.get());
    QVERIFY(m_platform->floated[0].role == PlatformIntegration::FloatingRole::Panel);
    QVERIFY(!m_platform->floated[0].wasVisible);
    QVERIFY(m_panel->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    QCOMPARE(m_platform->activations, 1); // the start of the countdown
}

void TestAppDelegate::damagedTargetFallsBackToTheDefault()
{
    TestSettings::putRaw(PreferenceNames::TargetDateTimeKey, QStringLiteral("garbage"));
    launch();
    QCOMPARE(m_panel->input()->text(), QStringLiteral("60:00:00:00"));
}

void TestAppDelegate::undecodableColoursFallBackToBlackOnWhite()
{
    TestSettings::putRaw(PreferenceNames::TextColorKey, QByteArray("\x07garbage"));
    TestSettings::putRaw(PreferenceNames::BgColorKey, QStringLiteral("red"));
    launch();
    QCOMPARE(textColor(m_panel->input()), QColor(Qt::black));
    QCOMPARE(m_panel->backgroundColor(), QColor(Qt::white));
}

void TestAppDelegate::countdownStopsBelowOneWholeSecond()
{
    PreferenceController::setPreferenceTargetDateTime(m_now.addMSecs(1400));
    launch();
    QCOMPARE(m_panel->input()->text(), QStringLiteral("0:00:00:01"));

    m_now = m_now.addSecs(1);
    m_delegate->tick();
    QCOMPARE(m_panel->input()->text(), QStringLiteral("0:00:00:00"));
    QVERIFY(!m_delegate->isRunning());
    QVERIFY(!m_delegate->countdownTimer().isActive());
}

void TestAppDelegate::targetChangeWhileStoppedRestarts()
{
    PreferenceController::setPreferenceTargetDateTime(m_now.addSecs(-5));
    launch();
    m_delegate->tick();
    QVERIFY(!m_delegate->isRunning());

    PreferenceController::setPreferenceTargetDateTime(m_now.addSecs(3600));
    m_delegate->handleTargetDateTimeChange();
    QVERIFY(m_delegate->isRunning());
    QVERIFY(m_delegate->countdownTimer().isActive());
    QCOMPARE(m_panel->input()->text(), QStringLiteral("0:01:00:00"));
}

void TestAppDelegate::targetChangeWhileRunningKeepsTheTimer()
{
    launch();
    const int timerId = m_delegate->countdownTimer().timerId();
    PreferenceController::setPreferenceTargetDateTime(m_now.addDays(2));
    m_delegate->handleTargetDateTimeChange();
    QCOMPARE(m_delegate->countdownTimer().timerId(), timerId);
    QCOMPARE(m_panel->input()->text(), QStringLiteral("2:00:00:00"));
}

void TestAppDelegate::fitIsTheLargestThatFits_data()
{
    QTest::addColumn<QSize>("panelSize");
    QTest::newRow("400x150") << QSize(400, 150);
    QTest::newRow("wide") << QSize(1280, 200);
    QTest::newRow("tall") << QSize(300, 600);
    QTest::newRow("smallest") << QSize(120, 48);
}

void TestAppDelegate::fitIsTheLargestThatFits()
{
    QFETCH(QSize, panelSize);
    launch();
    m_panel->resize(panelSize);
    QTRY_COMPARE(m_panel->size(), panelSize);
    m_delegate->setFontSize();

    const QString text = m_panel->input()->text();
    const int digits = m_panel->input()->font().pixelSize();
    const QSizeF limit(panelSize.width() - 30, panelSize.height() - 30);
    if (digits >= 10) {
        const QSizeF fits = measured(text, digits);
        QVERIFY(fits.width() <= limit.width() && fits.height() <= limit.height());
    }
    const QSizeF overflows = measured(text, digits + 1);
    QVERIFY(overflows.width() > limit.width() || overflows.height() > limit.height());
    QCOMPARE(m_panel->lblSeconds()->font().pixelSize(), digits / 4);

    // Captions hang from the display field's bottom edge, the first one indented from its left edge.
    const QRect display = m_panel->input()->geometry();
    QCOMPARE(m_panel->lblDays()->y(), display.bottom() + 1);
    QCOMPARE(m_panel->lblSeconds()->y(), display.bottom() + 1);
    QVERIFY(m_panel->lblDays()->x() >= display.x());
    QVERIFY(qAbs(display.center().x() - panelSize.width() / 2) <= 1);
}

void TestAppDelegate::growAndShrinkBackEqualsAFreshFit()
{
    launch();
    m_panel->resize(400, 150);
    QTRY_COMPARE(m_panel->size(), QSize(400, 150));
    m_delegate->setFontSize();
    const Geometry fresh = geometry();

    m_panel->resize(900, 300);
    QTRY_COMPARE(m_panel->size(), QSize(900, 300));
    QVERIFY(geometry().digitSize > fresh.digitSize);
    m_panel->resize(400, 150);
    QTRY_COMPARE(m_panel->size(), QSize(400, 150));
    QVERIFY(geometry() == fresh);
}

void TestAppDelegate::tickDoesNotRefit()
{
    PreferenceController::setPreferenceTargetDateTime(m_now.addDays(10).addSecs(1));
    launch();
    QCOMPARE(m_panel->input()->text(), QStringLiteral("10:00:00:01"));
    const Geometry before = geometry();

    m_now = m_now.addSecs(2);
    m_delegate->tick();
    QCOMPARE(m_panel->input()->text(), QStringLiteral("9:23:59:59"));
    const Geometry after = geometry();
    QCOMPARE(after.digitSize, before.digitSize);
    QCOMPARE(after.frames.mid(1), before.frames.mid(1));
    QCOMPARE(after.frames[0].topLeft(), before.frames[0].topLeft());
    QVERIFY(after.frames[0].width() < before.frames[0].width());
}

void TestAppDelegate::resizeRefitsAtOnceAndActivatesOnceSettled()
{
    launch();
    const int digitsBefore = m_panel->input()->font().pixelSize();
    const int activationsBefore = m_platform->activations;
    for (const QSize size : {QSize(500, 180), QSize(650, 240), QSize(800, 300)}) {
        m_panel->resize(size);
        QTRY_COMPARE(m_panel->contentArea()->size(), size);
        QVERIFY(m_panel->input()->font().pixelSize() > digitsBefore);
    }
    // A live resize sends many events; the slide show is brought forward once, after the last.
    QCOMPARE(m_platform->activations, activationsBefore);
    QVERIFY(m_delegate->resizeSettleTimer().isActive());
    QVERIFY(m_delegate->resizeSettleTimer().isSingleShot());
    QCOMPARE(m_delegate->resizeSettleTimer().interval(), AppDelegate::ResizeSettleMs);
    m_delegate->resizeDidSettle();
    QCOMPARE(m_platform->activations, activationsBefore + 1);
}

void TestAppDelegate::failingActivationIsSwallowed()
{
    m_platform->failActivation = true;
    launch();
    QCOMPARE(m_platform->activations, 1);
    QVERIFY(m_delegate->isRunning());
    m_delegate->resizeDidSettle();
    m_delegate->startTimer();
    QCOMPARE(m_platform->activations, 3);
}

void TestAppDelegate::textColourTwiceEqualsOnce()
{
    launch();
    PreferenceController::setPreferenceTextColor(ColorArchive::archive(QColor(200, 10, 10, 128)));
    m_delegate->handleTextColorChange();
    const QColor once = textColor(m_panel->input());
    const QColor captionOnce = textColor(m_panel->lblMinutes());
    m_delegate->handleTextColorChange();
    QCOMPARE(textColor(m_panel->input()), once);
    QCOMPARE(textColor(m_panel->lblMinutes()), captionOnce);
    QCOMPARE(once, QColor(200, 10, 10, 128));
    QCOMPARE(captionOnce.alphaF(), 0.6f);
}

void TestAppDelegate::menuOpensTheWebPages()
{
    launch();
    m_panel->contactAction()->trigger();
    m_panel->userGuideAction()->trigger();
    QCOMPARE(m_platform->opened, (QList<QUrl>{QUrl(QStringLiteral(PC_WEBSITE "/contact/")),
                                              QUrl(QStringLiteral(PC_WEBSITE "/knowledgebase/orvalo-user-guide/"))}));
    QCOMPARE(m_delegate->rightClickMenu(), m_panel->rightClickMenu());
    const auto actions = m_panel->rightClickMenu()->actions();
    for (QAction* action : {m_panel->settingsAction(), m_panel->aboutAction(), m_panel->contactAction(),
                            m_panel->userGuideAction(), m_panel->quitAction()})
        QVERIFY(actions.contains(action));
}

void TestAppDelegate::shadowIsDrawnOnlyWithACompositor()
{
    launch();
    QVERIFY(m_panel->hasShadow());
    QVERIFY(m_panel->shadowMargins().isNull());
    QCOMPARE(m_panel->contentArea()->geometry(), m_panel->rect());

    cleanup();
    init();
    m_platform->compositor = true;
    launch();
    const QMargins margins = m_panel->shadowMargins();
    QVERIFY(margins.left() > 0 && margins.bottom() > margins.top());
    QCOMPARE(m_panel->contentArea()->geometry(), m_panel->rect().marginsRemoved(margins));
    // The digits fit the visible panel, not the window with its shadow.
    const QRect display = m_panel->input()->geometry();
    QVERIFY(qAbs(display.center().x() - m_panel->contentArea()->width() / 2) <= 1);

    PreferenceController::setPreferenceDropShadow(false);
    m_delegate->handleDropShadowChange();
    QVERIFY(m_panel->shadowMargins().isNull());
}

void TestAppDelegate::shadowToggleKeepsTheVisiblePanelInPlace()
{
    m_platform->compositor = true;
    launch();
    const auto contentOnScreen = [this] {
        return QRect(m_panel->contentArea()->mapToGlobal(QPoint(0, 0)), m_panel->contentArea()->size());
    };
    const QRect before = contentOnScreen();
    m_panel->setHasShadow(false);
    QTRY_COMPARE(contentOnScreen(), before);
    m_panel->setHasShadow(true);
    QTRY_COMPARE(contentOnScreen(), before);
}

QTEST_MAIN(TestAppDelegate)
#include "tst_AppDelegate.moc"

void TestAppDelegate::seeThroughBackground_data()
{
    QTest::addColumn<bool>("compositor");
    QTest::newRow("no compositor: opaque") << false;
    QTest::newRow("compositor: see-through") << true;
}

void TestAppDelegate::seeThroughBackground()
{
    QFETCH(bool, compositor);
    const QColor seeThrough(255, 0, 0, 100);
    PreferenceController::setPreferenceBgColor(ColorArchive::archive(seeThrough));
    m_platform->compositor = compositor;
    launch();
    const QImage shown = m_panel->contentArea()->grab().toImage();
    const QColor pixel = shown.pixelColor(shown.width() / 2, 1);
    if (compositor)
        QVERIFY(pixel.alpha() < 255);
    else
        QCOMPARE(pixel, QColor(Qt::red));
    QCOMPARE(m_panel->backgroundColor(), seeThrough); // kept as chosen
}
