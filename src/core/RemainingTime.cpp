#include "RemainingTime.h"

#include <QCoreApplication>
#include <QtNumeric>

#include <limits>

namespace RemainingTime {

namespace {

// Milliseconds from one moment to the next; only dates hundreds of millions of years apart overflow them,
// and those saturate.
qint64 msecsBetween(const QDateTime& from, const QDateTime& to)
{
    qint64 msecs = 0;
    if (qSubOverflow(to.toMSecsSinceEpoch(), from.toMSecsSinceEpoch(), &msecs))
        msecs = std::numeric_limits<qint64>::max();
    return msecs;
}

// Whole seconds in 64 bits: a 32-bit count would wrap for targets about 68 years ahead.
Parts split(qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    const qint64 hours = minutes / 60;
    return {hours / 24, static_cast<int>(hours % 24), static_cast<int>(minutes % 60), static_cast<int>(seconds % 60)};
}

// How many groups text() shows: 4, or 2 to 4 when compact.
int groupCount(const Parts& p, bool compact)
{
    if (!compact || p.days != 0)
        return 4;
    return p.hours != 0 ? 3 : 2;
}

} // namespace

Parts parts(const QDateTime& target, const QDateTime& now)
{
    if (!target.isValid() || !now.isValid() || !(now < target))
        return {};
    return split(msecsBetween(now, target) / 1000);
}

Parts overtime(const QDateTime& target, const QDateTime& now)
{
    if (!target.isValid() || !now.isValid() || !(target < now))
        return {};
    const qint64 msecs = msecsBetween(target, now);
    Parts past = split(msecs / 1000 + (msecs % 1000 != 0));
    past.overtime = true;
    return past;
}

QString text(const Parts& p, bool compact)
{
    const QString sign = p.overtime ? QStringLiteral("-") : QString();
    switch (groupCount(p, compact)) {
    case 2:
        return sign + QString::asprintf("%d:%02d", p.minutes, p.seconds);
    case 3:
        return sign + QString::asprintf("%d:%02d:%02d", p.hours, p.minutes, p.seconds);
    default:
        return sign +
               QString::asprintf("%lld:%02d:%02d:%02d", static_cast<long long>(p.days), p.hours, p.minutes, p.seconds);
    }
}

QString text(const QDateTime& target, const QDateTime& now)
{
    return text(parts(target, now));
}

QString spoken(const Parts& p)
{
    // Plural forms take an int; beyond that many days the number is read out as it is.
    const int days =
        p.days > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(p.days);
    QString dayWords = QCoreApplication::translate("RemainingTime", "%n day(s)", nullptr, days);
    if (p.days != days)
        dayWords.replace(QString::number(days), QString::number(p.days));
    const QString sentence =
        p.overtime
            ? QCoreApplication::translate("RemainingTime", "%1, %2, %3, %4 over time",
                                          "days, hours, minutes, seconds past the end of the talk")
            : QCoreApplication::translate("RemainingTime", "%1, %2, %3, %4 left", "days, hours, minutes, seconds");
    return sentence.arg(dayWords, QCoreApplication::translate("RemainingTime", "%n hour(s)", nullptr, p.hours),
                        QCoreApplication::translate("RemainingTime", "%n minute(s)", nullptr, p.minutes),
                        QCoreApplication::translate("RemainingTime", "%n second(s)", nullptr, p.seconds));
}

} // namespace RemainingTime
