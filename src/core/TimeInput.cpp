#include "TimeInput.h"

#include <QRegularExpression>

namespace TimeInput {

namespace {

std::optional<qint64> withinBounds(qint64 seconds)
{
    if (seconds <= 0 || seconds > LongestDuration)
        return std::nullopt;
    return seconds;
}

} // namespace

std::optional<qint64> duration(const QString& text)
{
    // ASCII digits, which toLongLong() converts, and nine at most, so that no count overflows before the
    // bound is checked.
    static const QRegularExpression clock(QStringLiteral("^([0-9]{1,9}):([0-9][0-9])(?::([0-9][0-9]))?$"));
    static const QRegularExpression units(
        QStringLiteral("^(?=[0-9])(?:([0-9]{1,9})h)?\\s*(?:([0-9]{1,9})m)?\\s*(?:([0-9]{1,9})s)?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QString trimmed = text.trimmed();
    if (const auto match = clock.match(trimmed); match.hasMatch()) {
        const bool hours = match.hasCaptured(3);
        const qint64 first = match.captured(1).toLongLong();
        const int second = match.captured(2).toInt();
        const int third = hours ? match.captured(3).toInt() : 0;
        if (second > 59 || third > 59)
            return std::nullopt;
        return withinBounds(hours ? (first * 60 + second) * 60 + third : first * 60 + second);
    }
    if (const auto match = units.match(trimmed); match.hasMatch()) {
        const qint64 hours = match.captured(1).toLongLong();
        const qint64 minutes = match.captured(2).toLongLong();
        const qint64 seconds = match.captured(3).toLongLong();
        return withinBounds((hours * 60 + minutes) * 60 + seconds);
    }
    return std::nullopt;
}

std::optional<QTime> timeOfDay(const QString& text)
{
    static const QRegularExpression clock(QStringLiteral("^([0-9]{1,2}):([0-9][0-9])(?::([0-9][0-9]))?$"));
    const auto match = clock.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QTime time(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QDateTime localMoment(QDate date, QTime time)
{
    const QDateTime local(date, time, Qt::LocalTime);
    if (local.isValid())
        return local.toUTC();
    const QDateTime wallClock(date, time, Qt::UTC);
    if (!wallClock.isValid())
        return {};
    const qint64 asIfUtc = wallClock.toMSecsSinceEpoch();
    constexpr qint64 oneDay = 24 * 3600 * 1000;
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(asIfUtc - oneDay, Qt::LocalTime).offsetFromUtc();
    return QDateTime::fromMSecsSinceEpoch(asIfUtc - qint64(offsetBefore) * 1000, Qt::UTC);
}

QDateTime nextOccurrence(QTime time, const QDateTime& now)
{
    const QDate today = now.toLocalTime().date();
    const QDateTime sameDay = localMoment(today, time);
    return sameDay > now ? sameDay : localMoment(today.addDays(1), time);
}

QString durationText(qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    if (minutes < 60)
        return QString::asprintf("%lld:%02lld", minutes, seconds % 60);
    return QString::asprintf("%lld:%02lld:%02lld", minutes / 60, minutes % 60, seconds % 60);
}

} // namespace TimeInput
