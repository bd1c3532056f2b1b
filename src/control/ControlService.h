#pragma once

#include "Countdown.h"

#include <QCommandLineOption>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QStringList>

class QCommandLineParser;
class Settings;

// What the running copy offers on the session bus. Every change goes through the settings, as the panel's
// menu and the settings window do, so that the panel follows by itself and the change survives a restart.
class ControlService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.example.PresenterCountdown")
    Q_PROPERTY(qlonglong SecondsLeft READ secondsLeft)
    Q_PROPERTY(bool Running READ isRunning)

public:
    static constexpr const char* ObjectPath = "/com/example/PresenterCountdown";
    static constexpr const char* Interface = "com.example.PresenterCountdown";
    static constexpr qint64 MaxDurationSeconds = 99 * 3600 + 59 * 60 + 59;

    // --pause, --resume, --pause-or-resume, --restart and --quit: the options that only a running copy
    // can carry out.
    static QList<QCommandLineOption> options();
    static bool asksRunningCopy(const QCommandLineParser& parser);

    ControlService(Settings& settings, Countdown& countdown, Countdown::Clock clock, QObject* parent = nullptr);

    qlonglong secondsLeft() const;
    bool isRunning() const;

public slots:
    Q_SCRIPTABLE void SetTarget(const QString& isoDateTime);
    Q_SCRIPTABLE void StartDuration(qlonglong seconds);
    Q_SCRIPTABLE void Pause();
    Q_SCRIPTABLE void Resume();
    // One key for both, as a shortcut needs.
    Q_SCRIPTABLE void PauseOrResume();
    Q_SCRIPTABLE void Restart();
    Q_SCRIPTABLE void Quit();
    // A later launch's arguments (without the program name), carried out here as if given at the start.
    Q_SCRIPTABLE void HandleCommandLine(const QStringList& arguments);

signals:
    Q_SCRIPTABLE void Finished();
    void quitRequested();

private:
    void refuse(const QString& message);
    // Watchers of Running learn of each change without asking every second.
    void announceRunning();

    Settings& m_settings;
    Countdown& m_countdown;
    Countdown::Clock m_clock;
    bool m_announcedRunning = false;
};
