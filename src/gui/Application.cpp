#include "Application.h"

#include "AboutDialog.h"
#include "BuildInfo.h"
#include "ColorArchive.h"
#include "CountdownPanel.h"
#include "PanelGeometry.h"
#include "PlatformIntegration.h"
#include "SettingsDialog.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

namespace {

QColor colorFrom(const std::optional<QByteArray>& blob, Qt::GlobalColor fallback)
{
    if (blob) {
        if (const auto color = ColorArchive::unarchive(*blob))
            return *color;
    }
    return QColor(fallback);
}

} // namespace

Application::Application(Options options, QObject* parent)
    : QObject(parent)
    , m_platform(options.platform ? std::move(options.platform) : PlatformIntegration::create())
{
    const Countdown::Clock clock = options.clock ? options.clock : Countdown::Clock(&QDateTime::currentDateTimeUtc);
    m_settings = std::make_unique<Settings>(
        options.settingsFile.isEmpty() ? Settings::defaultFileName() : options.settingsFile, clock());
    m_countdown = std::make_unique<Countdown>(clock);
    m_panel = std::make_unique<CountdownPanel>();

    connect(m_settings.get(), &Settings::changed, this, &Application::apply);
    connect(m_countdown.get(), &Countdown::remainingChanged, m_panel.get(), &CountdownPanel::setRemaining);
    connect(m_panel.get(), &CountdownPanel::settingsRequested, this, &Application::openSettings);
    connect(m_panel.get(), &CountdownPanel::aboutRequested, this, &Application::openAbout);
    connect(m_panel.get(), &CountdownPanel::contactRequested, this, &Application::openContactPage);
    connect(m_panel.get(), &CountdownPanel::userGuideRequested, this, &Application::openUserGuide);
    connect(m_panel.get(), &CountdownPanel::quitRequested, qApp, &QCoreApplication::quit);

    m_resizeSettleTimer.setSingleShot(true);
    m_resizeSettleTimer.setInterval(ResizeSettleMs);
    connect(m_panel.get(), &CountdownPanel::resized, &m_resizeSettleTimer, qOverload<>(&QTimer::start));
    connect(&m_resizeSettleTimer, &QTimer::timeout, this, &Application::activatePresentation);
}

Application::~Application()
{
    delete m_settingsDialog;
    delete m_aboutDialog;
}

void Application::start()
{
    m_panel->setTranslucentShadowSupported(m_platform->hasCompositor());
    m_platform->makeFloating(m_panel.get(), PlatformIntegration::FloatingRole::Panel);
    for (const Settings::Key key : {Settings::Key::TextColor, Settings::Key::BgColor, Settings::Key::DropShadow})
        apply(key);
    activatePresentation();
    applyTarget();
    m_panel->show();
}

void Application::apply(Settings::Key key)
{
    switch (key) {
    case Settings::Key::TargetDateTime:
        // A new target started by the user counts as their gesture: the slide show gets the keyboard back.
        if (!m_countdown->isRunning())
            activatePresentation();
        applyTarget();
        break;
    case Settings::Key::TextColor:
        m_panel->setTextColor(colorFrom(m_settings->textColor(), Qt::black));
        break;
    case Settings::Key::BgColor:
        m_panel->setBackgroundColor(colorFrom(m_settings->bgColor(), Qt::white));
        break;
    case Settings::Key::DropShadow:
        m_panel->setHasShadow(m_settings->dropShadow());
        break;
    }
}

void Application::applyTarget()
{
    // A damaged or missing entry counts to the default instead of leaving no target.
    m_countdown->setTarget(
        m_settings->targetDateTime().value_or(m_settings->defaultValue(Settings::Key::TargetDateTime).toDateTime()));
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
    m_settingsDialog = new SettingsDialog(*m_settings);
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
