#include "FakePlatform.h"
#include "TestSettings.h"

#include "app/AppDelegate.h"
#include "app/TitlelessPanel.h"
#include "settings/ColorArchive.h"
#include "settings/ColorWell.h"
#include "settings/NotificationCenter.h"
#include "settings/PreferenceController.h"
#include "settings/PreferenceWindowController.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QTest>

using namespace PreferenceNames;

namespace {

const QDateTime kStart(QDate(2026, 12, 6), QTime(9, 30), Qt::LocalTime);

QByteArray storedRaw(const QString& key)
{
    return QSettings().value(key).toByteArray();
}

} // namespace

// The settings window driven as a user would, with the real form, the real panel and the real store.
class TestPreferenceWindowController : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void resetAfterTwoColourChangesRestoresTheOpeningBytes();
    void resetWithoutChangesWritesAllFourInOrder();
    void reopeningTakesANewSnapshot();
    void wrongKindTextColourShowsBlackAndResetStoresBlack();
    void undecodableBlobIsWrittenBackAsItWas();
    void mixedCheckBoxStoresNo();
    void checkBoxTogglesTheShadow();
    void oneDateChangeWritesOneTarget();
    void twoOpeningsRunEachHandlerOnce();
    void everyOpeningIsAFreshController();
    void windowFloatsBeforeItShows();

private:
    PreferenceWindowController* open();
    void pickColor(ColorWell* well, const QColor& color);

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TitlelessPanel> m_panel;
    std::unique_ptr<AppDelegate> m_delegate;
    QObject m_listener;
    QStringList m_posted;
};

void TestPreferenceWindowController::init()
{
    m_settings = std::make_unique<TestSettings>();
    PreferenceController::registerDefaults(kStart);
    m_platform = std::make_unique<FakePlatform>();
    m_panel = std::make_unique<TitlelessPanel>();
    m_delegate = std::make_unique<AppDelegate>(*m_platform, [] { return kStart; });
    m_delegate->connectOutlets(m_panel.get());
    m_delegate->applicationDidFinishLaunching();
    m_panel->show();
    m_posted.clear();
    for (const QString name : {TargetDateTimeChanged, TextColorChanged, BgColorChanged, DropShadowChanged})
        NotificationCenter::defaultCenter().addObserver(&m_listener, name,
                                                        [this](const Notification& n) { m_posted.append(n.name); });
}

void TestPreferenceWindowController::cleanup()
{
    NotificationCenter::defaultCenter().removeObserver(&m_listener);
    m_delegate.reset();
    m_panel.reset();
    m_settings.reset();
}

PreferenceWindowController* TestPreferenceWindowController::open()
{
    m_panel->settingsAction()->trigger();
    PreferenceWindowController* controller = m_delegate->preferenceWindowController();
    if (controller)
        controller->colorOptionWindow()->show();
    return controller;
}

// Opens the well's colour dialog, picks a colour in it and confirms, as a user would.
void TestPreferenceWindowController::pickColor(ColorWell* well, const QColor& color)
{
    QTest::mouseClick(well, Qt::LeftButton);
    QVERIFY(well->dialog());
    well->dialog()->setCurrentColor(color);
    well->dialog()->accept();
}

void TestPreferenceWindowController::resetAfterTwoColourChangesRestoresTheOpeningBytes()
{
    PreferenceController::setPreferenceTextColor(ColorArchive::archive(QColor(10, 20, 30)));
    m_delegate->handleTextColorChange();
    const QByteArray atOpening = storedRaw(TextColorKey);

    PreferenceWindowController* controller = open();
    QCOMPARE(controller->textColorWell()->color(), QColor(10, 20, 30));
    pickColor(controller->textColorWell(), Qt::red);
    QCOMPARE(m_panel->input()->palette().color(QPalette::WindowText), QColor(Qt::red));
    pickColor(controller->textColorWell(), Qt::green);
    QCOMPARE(m_panel->input()->palette().color(QPalette::WindowText), QColor(Qt::green));

    QTest::mouseClick(controller->colorOptionWindow()->findChild<QPushButton*>(QStringLiteral("resetButton")),
                      Qt::LeftButton);
    QCOMPARE(controller->textColorWell()->color(), QColor(10, 20, 30));
    QCOMPARE(storedRaw(TextColorKey), atOpening);
    QCOMPARE(m_panel->input()->palette().color(QPalette::WindowText), QColor(10, 20, 30));
}

void TestPreferenceWindowController::resetWithoutChangesWritesAllFourInOrder()
{
    PreferenceWindowController* controller = open();
    QVERIFY(!QFile::exists(m_settings->fileName()));
    m_posted.clear();
    controller->resetClick();
    QCOMPARE(m_posted, (QStringList{TargetDateTimeChanged, TextColorChanged, BgColorChanged, DropShadowChanged}));
    const QSettings stored;
    for (const QString key : {TargetDateTimeKey, TextColorKey, BgColorKey, DropShadowKey})
        QVERIFY2(stored.contains(key), qPrintable(key));
    QCOMPARE(stored.value(TextColorKey).toByteArray(), ColorArchive::archive(Qt::black));
    QCOMPARE(PreferenceController::preferenceTargetDateTime(), std::optional(kStart.addDays(60)));

    m_posted.clear();
    controller->resetClick(); // a second Reset restores the same values again
    QCOMPARE(m_posted.size(), 4);
    QCOMPARE(stored.value(BgColorKey).toByteArray(), ColorArchive::archive(Qt::white));
}

void TestPreferenceWindowController::reopeningTakesANewSnapshot()
{
    PreferenceWindowController* first = open();
    pickColor(first->bgColorWell(), Qt::yellow);
    first->colorOptionWindow()->close();

    PreferenceWindowController* second = open();
    QCOMPARE(second->bgColorWell()->color(), QColor(Qt::yellow));
    pickColor(second->bgColorWell(), Qt::cyan);
    QCOMPARE(m_panel->backgroundColor(), QColor(Qt::cyan));
    second->resetClick();
    QCOMPARE(second->bgColorWell()->color(), QColor(Qt::yellow));
    QCOMPARE(storedRaw(BgColorKey), ColorArchive::archive(Qt::yellow));
    QCOMPARE(m_panel->backgroundColor(), QColor(Qt::yellow));
}

void TestPreferenceWindowController::wrongKindTextColourShowsBlackAndResetStoresBlack()
{
    TestSettings::putRaw(TextColorKey, QStringLiteral("magenta"));
    PreferenceWindowController* controller = open();
    QCOMPARE(controller->textColorWell()->color(), QColor(Qt::black));
    controller->resetClick();
    QCOMPARE(QSettings().value(TextColorKey).metaType().id(), QMetaType::QByteArray);
    QCOMPARE(storedRaw(TextColorKey), ColorArchive::archive(Qt::black));
}

void TestPreferenceWindowController::undecodableBlobIsWrittenBackAsItWas()
{
    const QByteArray damaged("\x07 not a colour", 14);
    TestSettings::putRaw(BgColorKey, damaged);
    PreferenceWindowController* controller = open();
    QCOMPARE(controller->bgColorWell()->color(), QColor(Qt::white));
    pickColor(controller->bgColorWell(), Qt::darkGreen);
    controller->resetClick();
    QCOMPARE(storedRaw(BgColorKey), damaged);
    QCOMPARE(m_panel->backgroundColor(), QColor(Qt::white));
}

void TestPreferenceWindowController::mixedCheckBoxStoresNo()
{
    PreferenceWindowController* controller = open();
    QVERIFY(controller->dropShadowCheckbox()->isChecked());
    controller->dropShadowCheckbox()->setTristate(true);
    controller->dropShadowCheckbox()->setCheckState(Qt::PartiallyChecked);
    controller->dropShadowClick();
    QCOMPARE(PreferenceController::preferenceDropShadow(), false);
}

void TestPreferenceWindowController::checkBoxTogglesTheShadow()
{
    PreferenceWindowController* controller = open();
    m_posted.clear();
    QCheckBox* checkbox = controller->dropShadowCheckbox();
    QTest::mouseClick(checkbox, Qt::LeftButton, {}, QPoint(6, checkbox->height() / 2)); // on the tick box
    QCOMPARE(m_posted, QStringList{DropShadowChanged});
    QCOMPARE(PreferenceController::preferenceDropShadow(), false);
    QVERIFY(!m_panel->hasShadow());
}

void TestPreferenceWindowController::oneDateChangeWritesOneTarget()
{
    PreferenceWindowController* controller = open();
    QDateTimeEdit* picker = controller->targetDateTimePicker();
    QCOMPARE(picker->dateTime(), kStart.addDays(60));
    m_posted.clear();

    picker->setFocus();
    picker->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(picker, Qt::Key_Up);
    QCOMPARE(m_posted, QStringList{TargetDateTimeChanged});
    QCOMPARE(PreferenceController::preferenceTargetDateTime(), std::optional(kStart.addDays(61)));
    QCOMPARE(m_panel->input()->text(), QStringLiteral("61:00:00:00"));
}

void TestPreferenceWindowController::twoOpeningsRunEachHandlerOnce()
{
    NotificationCenter& center = NotificationCenter::defaultCenter();
    const int listeners = center.observerCount(TextColorChanged);
    open();
    PreferenceWindowController* controller = open();
    QCOMPARE(center.observerCount(TextColorChanged), listeners + 1);
    QCOMPARE(center.observerCount(TargetDateTimeChanged), listeners + 1);
    pickColor(controller->textColorWell(), Qt::blue);
    QCOMPARE(m_panel->input()->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

void TestPreferenceWindowController::everyOpeningIsAFreshController()
{
    QPointer<PreferenceWindowController> first = open();
    QPointer<QWidget> firstWindow = first->colorOptionWindow();
    PreferenceWindowController* second = open();
    QVERIFY(second != first);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(firstWindow.isNull());
}

void TestPreferenceWindowController::windowFloatsBeforeItShows()
{
    PreferenceWindowController* controller = open();
    const auto& floated = m_platform->floated;
    QCOMPARE(floated.size(), 2); // the panel at launch, then the settings window
    QCOMPARE(floated.last().window, controller->colorOptionWindow());
    QVERIFY(floated.last().role == PlatformIntegration::FloatingRole::Window);
    QVERIFY(!floated.last().wasVisible);
    QVERIFY(controller->colorOptionWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
}

QTEST_MAIN(TestPreferenceWindowController)
#include "tst_PreferenceWindowController.moc"
