#pragma once

#include <QCommandLineOption>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

class QCommandLineParser;
class Settings;

// The command line's say over the timing: --duration, --until, --warn-at, --[no-]overtime and
// --[no-]compact, read in full before anything is changed, then applied to the settings as the settings
// window would apply them. Kept apart from main() so that a running copy can take the same options.
class TimingOptions {
public:
    static QList<QCommandLineOption> options();

    // The options given to an already processed parser; nothing, and the one line that says why, when a
    // value cannot be read or two options contradict each other.
    static std::optional<TimingOptions> read(const QCommandLineParser& parser, QString* error);

    void applyTo(Settings& settings, const QDateTime& now) const;

private:
    std::optional<qint64> m_duration;
    std::optional<QTime> m_timeOfDay;
    std::optional<QDateTime> m_until;
    std::optional<qint64> m_warnAt;
    std::optional<bool> m_overtime;
    std::optional<bool> m_compact;
};
