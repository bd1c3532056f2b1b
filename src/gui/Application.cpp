#include "Application.h"

#include "AboutDialog.h"
#include "BuildInfo.h"
#include "ColorArchive.h"
#include "CountdownPanel.h"
#include "PanelGeometry.h"
#include "PlatformIntegration.h"
#include "SettingsDialog.h"
#include "TimerControl.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include <cstdio>

namespace {

using Key = Settings::Key;
using Stage = Countdown::Stage;

// The text and background colours the panel wears at each stage.
std::pair<Key, Key> colorKeys(Stage stage)
{
    switch (stage) {
    case Stage::Warning:
        return {Key::WarningTextColor, Key::WarningBgColor};
    case Stage::Final:
        return {Key::FinalTextColor, Key::FinalBgColor};
    case Stage::Overtime:
        return {Key::OvertimeTextColor, Key::OvertimeBgColor};
    case Stage::Normal:
        break;
    }
    return {Key::TextColor, Key::BgColor};
}

} // namespace

Application::Application(Options options, QObject* parent)
    : QObject(parent)
    , m_clock(options.clock ? options.clock : Countdown::Clock(&QDateTime::currentDateTimeUtc))
    , m_platform(options.platform ? std::move(options.platform) : PlatformIntegration::create())
{
    m_settings = std::make_unique<Settings>(
        options.settingsFile.isEmpty() ? Settings::defaultFileName() : options.settingsFile, m_clock());
    m_countdown = std::make_unique<Countdown>(m_clock);
    m_panel = std::make_unique<CountdownPanel>();
    m_control = std::make_unique<ControlService>(*m_settings, *m_countdown, m_clock);

    connect(m_settings.get(), &Settings::changed, this, &Application::apply);
    connect(m_countdown.get(), &Countdown::remainingChanged, m_panel.get(), &CountdownPanel::setRemaining);
    connect(m_countdown.get(), &Countdown::stageChanged, this, &Application::applyColors);
    connect(m_panel.get(), &CountdownPanel::startAgainRequested, this, &Application::startAgain);
    connect(m_panel.get(), &CountdownPanel::pauseRequested, this, &Application::pause);
    connect(m_panel.get(), &CountdownPanel::resumeRequested, this, &Application::resume);
    connect(m_panel.get(), &CountdownPanel::settingsRequested, this, &Application::openSettings);
    connect(m_panel.get(), &CountdownPanel::aboutRequested, this, &Application::openAbout);
    connect(m_panel.get(), &CountdownPanel::contactRequested, this, &Application::openContactPage);
    connect(m_panel.get(), &CountdownPanel::userGuideRequested, this, &Application::openUserGuide);
    connect(m_panel.get(), &CountdownPanel::quitRequested, qApp, &QCoreApplication::quit);
    connect(m_control.get(), &ControlService::quitRequested, qApp, &QCoreApplication::quit);

    m_resizeSettleTimer.setSingleShot(true);
    m_resizeSettleTimer.setInterval(ResizeSettleMs);
    connect(m_panel.get(), &CountdownPanel::resized, &m_resizeSettleTimer, qOverload<>(&QTimer::start));
    connect(&m_resizeSettleTimer, &QTimer::timeout, this, &Application::activatePresentation);

    m_placeSettleTimer.setSingleShot(true);
    m_placeSettleTimer.setInterval(PlaceSettleMs);
    connect(&m_placeSettleTimer, &QTimer::timeout, this, &Application::savePlace);
}

Application::~Application()
{
    if (m_placeSettleTimer.isActive())
        savePlace(); // a quit right after a drag keeps it
    delete m_settingsDialog;
    delete m_aboutDialog;
}

void Application::start()
{
    m_panel->setTranslucentShadowSupported(m_platform->hasCompositor());
    m_platform->makeFloating(m_panel.get(), PlatformIntegration::FloatingRole::Panel);
    for (const Key key : {Key::DropShadow, Key::Compact, Key::Overtime, Key::WarningOn})
        apply(key);
    applyColors();
    activatePresentation();
    applyTiming();
    restorePlace();
    m_panel->show();
    // Only from here on: the first placement is not the presenter's doing.
    m_panel->installEventFilter(this);
}

bool Application::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_panel.get() && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        m_panel->isVisible())
        m_placeSettleTimer.start();
    return QObject::eventFilter(watched, event);
}

void Application::restorePlace()
{
    const QVariant stored = m_settings->panelPlace();
    if (!stored.isValid())
        return; // the window manager's first placement, as before any place was saved
    const auto saved =
        stored.typeId() == QMetaType::QString ? PanelGeometry::readPlace(stored.toString()) : std::nullopt;
    if (!saved) {
        std::fprintf(stderr, "presenter-countdown: ignoring setting PanelPlace: expected X Y WIDTH HEIGHT SCREEN\n");
        return;
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    std::vector<PanelGeometry::NamedScreen> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.emplace_back(screen->name(), screen->geometry());
    m_panel->setGeometry(PanelGeometry::restoredRect(*saved, screens, primary->geometry()));
}

void Application::savePlace()
{
    const QScreen* screen = panelScreen();
    m_settings->setPanelPlace(PanelGeometry::placeText({m_panel->geometry(), screen ? screen->name() : QString()}));
}

void Application::apply(Settings::Key key)
{
    switch (key) {
    case Key::TargetDateTime:
        // A new target started by the user counts as their gesture: the slide show gets the keyboard back,
        // or does so when a pause ends.
        if (!m_countdown->isRunning() && !m_settings->pausedRemaining())
            activatePresentation();
        applyTiming();
        break;
    case Key::PausedRemaining:
        if (m_countdown->isHeld() && !m_settings->pausedRemaining())
            activatePresentation(); // resumed: the same gesture as a new target
        applyTiming();
        break;
    case Key::EndMode:
        applyTiming();
        break;
    case Key::DropShadow:
        m_panel->setHasShadow(m_settings->dropShadow());
        break;
    case Key::Compact:
        m_panel->setCompact(m_settings->flag(Key::Compact));
        break;
    case Key::Overtime:
        m_countdown->setOvertime(m_settings->flag(Key::Overtime));
        break;
    case Key::WarningOn:
    case Key::WarningAt:
    case Key::FinalOn:
    case Key::FinalAt:
        applyThresholds();
        break;
    case Key::Duration:
        break; // counted from the next start
    default:
        applyColors(); // the colour keys
        break;
    }
}

void Application::applyTiming()
{
    const auto paused = m_settings->pausedRemaining();
    if (paused) {
        m_countdown->hold(*paused);
    } else {
        // A damaged or missing entry counts to the default instead of leaving no target.
        m_countdown->setTarget(
            m_settings->targetDateTime().value_or(m_settings->defaultValue(Key::TargetDateTime).toDateTime()));
    }
    m_panel->setPaused(paused.has_value());
    m_panel->setDurationMenu(m_settings->endMode() == Settings::EndMode::Duration, paused.has_value());
}

void Application::applyThresholds()
{
    const auto threshold = [this](Key on, Key at) {
        return m_settings->flag(on) ? std::optional(m_settings->seconds(at)) : std::nullopt;
    };
    m_countdown->setThresholds(threshold(Key::WarningOn, Key::WarningAt), threshold(Key::FinalOn, Key::FinalAt));
}

void Application::applyColors()
{
    const auto [text, background] = colorKeys(m_countdown->stage());
    m_panel->setTextColor(color(text));
    m_panel->setBackgroundColor(color(background));
}

QColor Application::color(Settings::Key key) const
{
    if (const auto blob = m_settings->colorBlob(key)) {
        if (const auto decoded = ColorArchive::unarchive(*blob))
            return *decoded;
    }
    return ColorArchive::unarchive(m_settings->defaultValue(key).toByteArray()).value_or(QColor(Qt::black));
}

void Application::startAgain()
{
    TimerControl::startAgain(*m_settings, m_clock());
}

void Application::pause()
{
    TimerControl::pause(*m_settings, m_clock());
}

void Application::resume()
{
    TimerControl::resume(*m_settings, m_clock());
}

void Application::activatePresentation()
{
    try {
        m_platform->activatePresentation();
    } catch (...) {
        // A presentation that cannot be brought forward must never disturb the countdown.
    }
}

void Application::openSettings()
{
    // Every opening starts afresh from the settings in force now, which Reset returns to.
    if (m_settingsDialog)
        m_settingsDialog->deleteLater();
    m_settingsDialog = new SettingsDialog(*m_settings, m_clock);
    present(m_settingsDialog);
}

void Application::openAbout()
{
    if (m_aboutDialog)
        m_aboutDialog->deleteLater();
    m_aboutDialog = new AboutDialog;
    present(m_aboutDialog);
}

void Application::present(QDialog* dialog)
{
    m_platform->makeFloating(dialog, PlatformIntegration::FloatingRole::Window);
    const QScreen* screen = panelScreen();
    const QRectF frame = screen ? QRectF(screen->geometry()) : QRectF();
    dialog->move(PanelGeometry::centredOrigin(frame, dialog->size()).toPoint());
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

const QScreen* Application::panelScreen() const
{
    // The screen under the panel's middle: where the presenter is looking, even across several monitors.
    if (const QScreen* screen = QGuiApplication::screenAt(m_panel->geometry().center()))
        return screen;
    return m_panel->screen();
}

void Application::openContactPage()
{
    openWebPage(QStringLiteral("/contact/"));
}

void Application::openUserGuide()
{
    openWebPage(QStringLiteral("/knowledgebase/orvalo-user-guide/"));
}

void Application::openWebPage(const QString& path)
{
    const QUrl url(QStringLiteral(PC_WEBSITE) + path);
    if (url.isValid())
        m_platform->openUrl(url);
}
