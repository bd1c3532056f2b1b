#include "ControlService.h"

#include "Settings.h"
#include "TimerControl.h"
#include "TimingOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>

#include <algorithm>

namespace {

const QStringList kControls{QStringLiteral("pause"), QStringLiteral("resume"), QStringLiteral("restart"),
                            QStringLiteral("quit"), QStringLiteral("pause-or-resume")};

} // namespace

QList<QCommandLineOption> ControlService::options()
{
    return {
        {kControls[0], QCoreApplication::translate("ControlService", "Pause the running countdown.")},
        {kControls[1], QCoreApplication::translate("ControlService", "Resume the paused countdown.")},
        {kControls[2], QCoreApplication::translate("ControlService", "Start the running duration again.")},
        {kControls[3], QCoreApplication::translate("ControlService", "Close the running panel.")},
        {kControls[4], QCoreApplication::translate("ControlService", "Pause the running countdown, or resume it.")},
    };
}

bool ControlService::asksRunningCopy(const QCommandLineParser& parser)
{
    return std::any_of(kControls.begin(), kControls.end(), [&](const QString& name) { return parser.isSet(name); });
}

ControlService::ControlService(Settings& settings, Countdown& countdown, Countdown::Clock clock, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_countdown(countdown)
    , m_clock(std::move(clock))
{
    connect(&m_countdown, &Countdown::finished, this, &ControlService::Finished);
    // Queued: the countdown follows the settings in a slot of its own, which may come after this one.
    connect(&m_settings, &Settings::changed, this, &ControlService::announceRunning, Qt::QueuedConnection);
    connect(&m_countdown, &Countdown::finished, this, &ControlService::announceRunning, Qt::QueuedConnection);
    m_announcedRunning = m_countdown.isRunning();
}

void ControlService::announceRunning()
{
    if (m_countdown.isRunning() == m_announcedRunning)
        return;
    m_announcedRunning = m_countdown.isRunning();
    QDBusMessage signal =
        QDBusMessage::createSignal(QLatin1String(ObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << QLatin1String(Interface) << QVariantMap{{QStringLiteral("Running"), m_announcedRunning}} << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

qlonglong ControlService::secondsLeft() const
{
    // In overtime the seconds past the end, as a negative number, as the panel shows them with a minus.
    const RemainingTime::Parts parts = m_countdown.remaining();
    return parts.overtime ? -parts.totalSeconds() : parts.totalSeconds();
}

bool ControlService::isRunning() const
{
    return m_countdown.isRunning();
}

void ControlService::SetTarget(const QString& isoDateTime)
{
    const QDateTime target = QDateTime::fromString(isoDateTime.trimmed(), Qt::ISODate);
    if (!target.isValid() || target.date().year() < 1970 || target.date().year() > 9999)
        return refuse(QStringLiteral("SetTarget: cannot read \"%1\"; expected an ISO 8601 date and time from 1970 "
                                     "on, such as 2026-12-06T14:30")
                          .arg(isoDateTime));
    TimerControl::countUntil(m_settings, target);
}

void ControlService::StartDuration(qlonglong seconds)
{
    if (seconds < 1 || seconds > MaxDurationSeconds)
        return refuse(QStringLiteral("StartDuration: %1 seconds is out of range; expected 1 to %2")
                          .arg(seconds)
                          .arg(MaxDurationSeconds));
    TimerControl::countFor(m_settings, seconds, m_clock());
}

void ControlService::Pause()
{
    TimerControl::pause(m_settings, m_clock());
}

void ControlService::Resume()
{
    TimerControl::resume(m_settings, m_clock());
}

void ControlService::PauseOrResume()
{
    if (m_settings.pausedRemaining())
        Resume();
    else
        Pause();
}

void ControlService::Restart()
{
    TimerControl::startAgain(m_settings, m_clock());
}

void ControlService::Quit()
{
    // Queued, so that the caller gets its answer before the program ends.
    QMetaObject::invokeMethod(this, &ControlService::quitRequested, Qt::QueuedConnection);
}

void ControlService::HandleCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addOptions(TimingOptions::options());
    parser.addOptions(options());
    if (!parser.parse(QStringList{QCoreApplication::applicationName()} + arguments))
        return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst()));
    QString error;
    const auto timing = TimingOptions::read(parser, &error);
    if (!timing)
        return refuse(error);
    timing->applyTo(m_settings, m_clock());
    if (parser.isSet(kControls[0]))
        Pause();
    if (parser.isSet(kControls[1]))
        Resume();
    if (parser.isSet(kControls[2]))
        Restart();
    if (parser.isSet(kControls[4]))
        PauseOrResume();
    if (parser.isSet(kControls[3]))
        Quit();
}

void ControlService::refuse(const QString& message)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, message);
}
