#include "app/AppDelegate.h"

#include "BuildInfo.h"

#include "about/AboutWindowController.h"
#include "app/DisplayFitting.h"
#include "app/FontMeasurer.h"
#include "app/RemainingTime.h"
#include "app/TitlelessPanel.h"
#include "settings/ColorArchive.h"
#include "settings/NotificationCenter.h"
#include "settings/PreferenceController.h"
#include "settings/PreferenceWindowController.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QUrl>

#include <array>

namespace {

constexpr int kTickIntervalMs = 1000;
constexpr double kCaptionOpacity = 0.6;

QFont interfaceFont(int pixelSize)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    return font;
}

QColor colorFrom(const std::optional<QByteArray>& blob, Qt::GlobalColor fallback)
{
    if (blob) {
        if (const auto color = ColorArchive::unarchive(*blob))
            return *color;
    }
    return QColor(fallback);
}

// A controller being replaced may be the one whose window sent the request; it goes once that is done.
template <typename Controller> void retire(std::unique_ptr<Controller>& slot)
{
    if (slot)
        slot.release()->deleteLater();
}

void setPaletteColor(QWidget* widget, QPalette::ColorRole role, const QColor& color)
{
    if (!widget)
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, color);
    widget->setPalette(palette);
}

QSizeF fittedSize(const QWidget* field)
{
    return field ? QSizeF(field->size()) : QSizeF(0, 0);
}

} // namespace

AppDelegate::AppDelegate(PlatformIntegration& platform, Clock clock, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_clock(std::move(clock))
    , m_wallClock(this)
{
    initialize(m_clock());
    m_target = PreferenceController::registeredTargetDateTime().toUTC();

    // A precise timer keeps the ticks a whole second apart, so no second is shown twice or skipped.
    m_countdownTimer.setTimerType(Qt::PreciseTimer);
    m_countdownTimer.setInterval(kTickIntervalMs);
    connect(&m_countdownTimer, &QTimer::timeout, this, &AppDelegate::tick);

    m_resizeSettleTimer.setSingleShot(true);
    m_resizeSettleTimer.setInterval(ResizeSettleMs);
    connect(&m_resizeSettleTimer, &QTimer::timeout, this, &AppDelegate::resizeDidSettle);
    connect(&m_wallClock, &WallClockWatcher::clockChanged, this, &AppDelegate::handleWallClockChange);
}

AppDelegate::~AppDelegate()
{
    NotificationCenter::defaultCenter().removeObserver(this);
}

void AppDelegate::initialize(const QDateTime& now)
{
    static bool initialized = false;
    if (initialized)
        return;
    initialized = true;
    PreferenceController::registerDefaults(now);
}

void AppDelegate::connectOutlets(TitlelessPanel* panel)
{
    if (m_panel)
        disconnect(m_panel, nullptr, this, nullptr);
    setPanel(panel);
    if (!panel)
        return;
    setRightClickMenu(panel->rightClickMenu());
    setInput(panel->input());
    setLblDays(panel->lblDays());
    setLblHours(panel->lblHours());
    setLblMinutes(panel->lblMinutes());
    setLblSeconds(panel->lblSeconds());
    connect(panel, &TitlelessPanel::resized, this, &AppDelegate::windowDidResize);
    connect(panel->settingsAction(), &QAction::triggered, this, &AppDelegate::changeColorClick);
    connect(panel->aboutAction(), &QAction::triggered, this, &AppDelegate::aboutClicked);
    connect(panel->contactAction(), &QAction::triggered, this, &AppDelegate::contactSupportClicked);
    connect(panel->userGuideAction(), &QAction::triggered, this, &AppDelegate::userGuideClicked);
    connect(panel->quitAction(), &QAction::triggered, this, &AppDelegate::quit);
}

void AppDelegate::applicationDidFinishLaunching()
{
    if (m_panel) {
        m_panel->setTranslucentShadowSupported(m_platform.hasCompositor());
        m_platform.makeFloating(m_panel, PlatformIntegration::FloatingRole::Panel);
        m_panel->setBackgroundColor(Qt::black);
        m_panel->setMovableByWindowBackground(true);
    }
    handleDropShadowChange();
    showText(RemainingTime::FinishedText, {});
    setFontSize();
    m_target = storedTarget();
    handleTextColorChange();
    handleBgColorChange();
    startTimer();
}

void AppDelegate::windowDidResize()
{
    setFontSize();
    m_resizeSettleTimer.start();
}

void AppDelegate::resizeDidSettle()
{
    activatePowerPoint();
}

QString AppDelegate::getRemainingTime()
{
    m_now = m_clock();
    m_remaining = RemainingTime::parts(m_target, m_now);
    return RemainingTime::text(m_remaining);
}

void AppDelegate::tick()
{
    const QString text = getRemainingTime();
    const bool finished = text == RemainingTime::FinishedText;
    if (m_input) {
        showText(text, m_remaining);
        m_input->adjustSize();
    }
    if (finished) {
        m_countdownTimer.stop();
        m_running = false;
    }
}

void AppDelegate::startTimer()
{
    activatePowerPoint();
    m_countdownTimer.start(); // restarting also resets the phase of the ticks to now
    m_running = true;
    showRemainingTime();
    setFontSize();
    if (m_input) {
        m_input->setTextInteractionFlags(Qt::NoTextInteraction);
        if (QWidget* focused = m_input->window()->focusWidget())
            focused->clearFocus();
    }
}

void AppDelegate::handleTargetDateTimeChange()
{
    m_target = storedTarget();
    showRemainingTime();
    setFontSize();
    if (!m_running)
        startTimer();
}

void AppDelegate::handleWallClockChange()
{
    // Unlike a new target this is nobody's gesture, so the slide show is left alone.
    m_countdownTimer.start(); // back in phase with the new clock's seconds
    m_running = true;
    tick();
    setFontSize(); // the days may have gained or lost a digit
}

void AppDelegate::activatePowerPoint()
{
    try {
        m_platform.activatePresentation();
    } catch (...) {
        // A presentation that cannot be brought forward must never disturb the countdown.
    }
}

void AppDelegate::setFontSize()
{
    const QSizeF panelSize = fittedSize(m_panel ? m_panel->contentArea() : nullptr);
    // A missing display field has no text to measure, and no text measures 0 x 0.
    const DisplayFitting::Measurer measure =
        m_input ? DisplayFitting::fontMeasurer(QGuiApplication::font(), m_input->text())
                : DisplayFitting::Measurer([](int) { return QSizeF(0, 0); });
    const int digitSize = DisplayFitting::digitSize(panelSize, measure);

    const std::array<QLabel*, 4> captions{m_lblDays, m_lblHours, m_lblMinutes, m_lblSeconds};
    if (m_input) {
        m_input->setFont(interfaceFont(digitSize));
        m_input->adjustSize();
    }
    const QFont captionFont = interfaceFont(DisplayFitting::captionSize(digitSize));
    for (QLabel* caption : captions) {
        if (caption)
            caption->setFont(captionFont);
    }
    for (QLabel* caption : captions) {
        if (caption)
            caption->adjustSize();
    }

    std::array<QSizeF, 4> captionSizes;
    for (std::size_t i = 0; i < captions.size(); ++i)
        captionSizes[i] = fittedSize(captions[i]);
    const auto layout = DisplayFitting::placeFields(panelSize, fittedSize(m_input), captionSizes);

    const double panelHeight = panelSize.height();
    if (m_input)
        m_input->setGeometry(DisplayFitting::toWidgetRect(layout.display, panelHeight));
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (captions[i])
            captions[i]->setGeometry(DisplayFitting::toWidgetRect(layout.captions[i], panelHeight));
    }
}

void AppDelegate::handleTextColorChange()
{
    const QColor textColor = colorFrom(PreferenceController::preferenceTextColor(), Qt::black);
    QColor captionColor = textColor;
    captionColor.setAlphaF(kCaptionOpacity);
    setPaletteColor(m_input, QPalette::WindowText, textColor);
    for (QLabel* caption : {m_lblDays.data(), m_lblHours.data(), m_lblMinutes.data(), m_lblSeconds.data()})
        setPaletteColor(caption, QPalette::WindowText, captionColor);
}

void AppDelegate::handleBgColorChange()
{
    if (m_panel)
        m_panel->setBackgroundColor(colorFrom(PreferenceController::preferenceBgColor(), Qt::white));
}

void AppDelegate::handleDropShadowChange()
{
    if (m_panel)
        m_panel->setHasShadow(PreferenceController::preferenceDropShadow());
}

void AppDelegate::changeColorClick()
{
    retire(m_preferenceWindowController);
    m_preferenceWindowController =
        std::make_unique<PreferenceWindowController>([this](QWidget* window) { floatWindow(window); });
    m_preferenceWindowController->showWindow(panelScreen());
    observePreferenceChanges();
}

void AppDelegate::aboutClicked()
{
    retire(m_aboutWindowController);
    m_aboutWindowController = std::make_unique<AboutWindowController>([this](QWidget* window) { floatWindow(window); });
    m_aboutWindowController->showWindow(panelScreen());
}

const QScreen* AppDelegate::panelScreen() const
{
    if (!m_panel)
        return nullptr;
    // The screen under the panel's middle: where the presenter is looking, even across several monitors.
    if (const QScreen* screen = QGuiApplication::screenAt(m_panel->geometry().center()))
        return screen;
    return m_panel->screen();
}

void AppDelegate::floatWindow(QWidget* window)
{
    m_platform.makeFloating(window, PlatformIntegration::FloatingRole::Window);
}

// Once per process, however often the settings window opens: a handler subscribed at every opening
// would run as many times per change, each time refitting the display.
void AppDelegate::observePreferenceChanges()
{
    if (m_observingPreferences)
        return;
    m_observingPreferences = true;
    using namespace PreferenceNames;
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, TextColorChanged, [this](const Notification&) { handleTextColorChange(); });
    center.addObserver(this, BgColorChanged, [this](const Notification&) { handleBgColorChange(); });
    center.addObserver(this, DropShadowChanged, [this](const Notification&) { handleDropShadowChange(); });
    center.addObserver(this, TargetDateTimeChanged, [this](const Notification&) { handleTargetDateTimeChange(); });
}

void AppDelegate::contactSupportClicked()
{
    openWebPage(QStringLiteral("/contact/"));
}

void AppDelegate::userGuideClicked()
{
    openWebPage(QStringLiteral("/knowledgebase/orvalo-user-guide/"));
}

void AppDelegate::quit()
{
    QCoreApplication::quit();
}

void AppDelegate::openWebPage(const QString& path)
{
    const QUrl url(QStringLiteral(PC_WEBSITE) + path);
    if (url.isValid())
        m_platform.openUrl(url);
}

QDateTime AppDelegate::storedTarget() const
{
    // A damaged or missing entry falls back to the registered default instead of leaving no target. Held
    // in UTC, like the clock, so that no tick needs the time zone.
    return PreferenceController::preferenceTargetDateTime()
        .value_or(PreferenceController::registeredTargetDateTime())
        .toUTC();
}

void AppDelegate::showRemainingTime()
{
    const QString text = getRemainingTime();
    showText(text, m_remaining);
}

void AppDelegate::showText(const QString& text, const RemainingTime::Parts& parts)
{
    if (!m_input)
        return;
    m_input->setText(text);
    // Screen readers read the time left as words rather than as a string of digits and colons.
    m_input->setAccessibleName(RemainingTime::spoken(parts));
}
