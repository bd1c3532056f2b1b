#include "TimingOptions.h"

#include "Settings.h"
#include "TimeInput.h"
#include "TimerControl.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const char* const kDurationExpected = "a duration such as 20:00, 1:30:00, 20m, 1h30m or 90s, up to 99:59:59";
const char* const kUntilExpected =
    "a time of day such as 14:30, or a date and time from 1970 on such as 2026-12-06T14:30";

QString unreadable(const QString& option, const QString& value, const char* expected)
{
    return QStringLiteral("--%1: cannot read \"%2\"; expected %3").arg(option, value, QLatin1String(expected));
}

// A date and time in ISO 8601, in local time unless it names its offset. Dates before 1970 are typing
// errors, not talks.
std::optional<QDateTime> isoDateTime(const QString& text)
{
    const QDateTime moment = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!moment.isValid() || moment.date().year() < 1970)
        return std::nullopt;
    return moment;
}

// Either of a pair such as --overtime and --no-overtime; both at once is a contradiction.
std::optional<bool> either(const QCommandLineParser& parser, const QString& name, QString* error)
{
    const QString negated = QStringLiteral("no-") + name;
    if (parser.isSet(name) && parser.isSet(negated)) {
        *error = QStringLiteral("--%1 and --%2 contradict each other").arg(name, negated);
        return std::nullopt;
    }
    if (parser.isSet(name) || parser.isSet(negated))
        return parser.isSet(name);
    return std::nullopt;
}

} // namespace

QList<QCommandLineOption> TimingOptions::options()
{
    const QString duration = QCoreApplication::translate("TimingOptions", "DUR", "value of --duration and --warn-at");
    return {
        {QStringLiteral("duration"),
         QCoreApplication::translate("TimingOptions", "Count down DUR from now: 20:00, 1:30:00, 20m, 1h30m or 90s."),
         duration},
        {QStringLiteral("until"),
         QCoreApplication::translate("TimingOptions", "Count down to TIME: a time of day (14:30, today or tomorrow) "
                                                      "or an ISO 8601 date and time (2026-12-06T14:30)."),
         QCoreApplication::translate("TimingOptions", "TIME", "value of --until")},
        {QStringLiteral("warn-at"),
         QCoreApplication::translate("TimingOptions", "Show the warning colours from DUR left."), duration},
        {QStringLiteral("overtime"),
         QCoreApplication::translate("TimingOptions", "After zero, count the time over with a leading minus.")},
        {QStringLiteral("no-overtime"), QCoreApplication::translate("TimingOptions", "Stop at zero.")},
        {QStringLiteral("compact"), QCoreApplication::translate("TimingOptions", "Hide leading groups that are zero.")},
        {QStringLiteral("no-compact"),
         QCoreApplication::translate("TimingOptions", "Always show days, hours, minutes and seconds.")},
    };
}

std::optional<TimingOptions> TimingOptions::read(const QCommandLineParser& parser, QString* error)
{
    TimingOptions read;
    const QString duration = QStringLiteral("duration");
    const QString until = QStringLiteral("until");
    const QString warnAt = QStringLiteral("warn-at");
    if (parser.isSet(duration) && parser.isSet(until)) {
        *error = QStringLiteral("--duration and --until cannot be used together");
        return std::nullopt;
    }
    if (parser.isSet(duration)) {
        read.m_duration = TimeInput::duration(parser.value(duration));
        if (!read.m_duration) {
            *error = unreadable(duration, parser.value(duration), kDurationExpected);
            return std::nullopt;
        }
    }
    if (parser.isSet(until)) {
        read.m_timeOfDay = TimeInput::timeOfDay(parser.value(until));
        if (!read.m_timeOfDay)
            read.m_until = isoDateTime(parser.value(until));
        if (!read.m_timeOfDay && !read.m_until) {
            *error = unreadable(until, parser.value(until), kUntilExpected);
            return std::nullopt;
        }
    }
    if (parser.isSet(warnAt)) {
        read.m_warnAt = TimeInput::duration(parser.value(warnAt));
        if (!read.m_warnAt) {
            *error = unreadable(warnAt, parser.value(warnAt), kDurationExpected);
            return std::nullopt;
        }
    }
    error->clear();
    read.m_overtime = either(parser, QStringLiteral("overtime"), error);
    read.m_compact = either(parser, QStringLiteral("compact"), error);
    if (!error->isEmpty())
        return std::nullopt;
    return read;
}

void TimingOptions::applyTo(Settings& settings, const QDateTime& now) const
{
    using Key = Settings::Key;
    // The looks first, so that the countdown starts in the colours it will wear.
    if (m_compact)
        settings.setFlag(Key::Compact, *m_compact);
    if (m_overtime)
        settings.setFlag(Key::Overtime, *m_overtime);
    if (m_warnAt) {
        settings.setSeconds(Key::WarningAt, *m_warnAt);
        settings.setFlag(Key::WarningOn, true);
    }
    if (m_duration)
        TimerControl::countFor(settings, *m_duration, now);
    else if (m_timeOfDay)
        TimerControl::countToTimeOfDay(settings, *m_timeOfDay, now);
    else if (m_until)
        TimerControl::countUntil(settings, *m_until);
}
