#include "settings/PreferenceController.h"

#include "settings/ColorArchive.h"
#include "settings/NotificationCenter.h"

#include <QSettings>
#include <QVariantMap>

#include <cstdio>

using namespace PreferenceNames;

namespace {

QVariantMap& registeredDefaults()
{
    static QVariantMap defaults;
    return defaults;
}

QVariant lookup(QLatin1String key)
{
    QSettings settings;
    if (settings.contains(key))
        return settings.value(key);
    return registeredDefaults().value(key);
}

std::optional<QByteArray> blobFor(QLatin1String key)
{
    const QVariant value = lookup(key);
    if (value.metaType().id() != QMetaType::QByteArray)
        return std::nullopt;
    return value.toByteArray();
}

// A flag as INI text ("true"), as a bool, or as a number; anything else is no flag at all.
std::optional<bool> flagFrom(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toDouble() != 0;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("no") || text == QLatin1String("0"))
            return false;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void reportUnsavedOnce(const QSettings& settings)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    std::fprintf(stderr, "presenter-countdown: could not save settings to %s; changes last until quit\n",
                 qPrintable(settings.fileName()));
}

// QSettings writes through a temporary file that replaces the old one only once it is complete, so a
// failed write leaves the previous file as it was; syncing here means a killed process loses nothing.
void store(QLatin1String key, const QVariant& value, QLatin1String notification)
{
    {
        QSettings settings;
        settings.setValue(key, value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            reportUnsavedOnce(settings);
    }
    NotificationCenter::defaultCenter().postNotificationName(notification);
}

} // namespace

void PreferenceController::registerDefaults(const QDateTime& now)
{
    QVariantMap& defaults = registeredDefaults();
    defaults.insert(TargetDateTimeKey, defaultTargetDateTime(now));
    defaults.insert(TextColorKey, ColorArchive::archive(QColor(Qt::black)));
    defaults.insert(BgColorKey, ColorArchive::archive(QColor(Qt::white)));
    defaults.insert(DropShadowKey, true);
}

QDateTime PreferenceController::defaultTargetDateTime(const QDateTime& now)
{
    const QDateTime fixedTarget(QDate(2016, 12, 31), QTime(0, 0), Qt::LocalTime);
    if (!(now > fixedTarget))
        return fixedTarget;
    // Sixty calendar days keep the wall-clock time across a daylight-saving change.
    const QDateTime later = now.toLocalTime().addDays(60);
    return later.isValid() ? later : now.addSecs(60 * 24 * 3600);
}

QDateTime PreferenceController::registeredTargetDateTime()
{
    return registeredDefaults().value(TargetDateTimeKey).toDateTime();
}

std::optional<QDateTime> PreferenceController::preferenceTargetDateTime()
{
    const QVariant value = lookup(TargetDateTimeKey);
    if (value.metaType().id() != QMetaType::QDateTime || !value.toDateTime().isValid())
        return std::nullopt;
    return value.toDateTime();
}

std::optional<QByteArray> PreferenceController::preferenceTextColor()
{
    return blobFor(TextColorKey);
}

std::optional<QByteArray> PreferenceController::preferenceBgColor()
{
    return blobFor(BgColorKey);
}

bool PreferenceController::preferenceDropShadow()
{
    // An entry that says nothing sensible counts as no entry: the registered default, or off.
    if (const auto flag = flagFrom(lookup(DropShadowKey)))
        return *flag;
    return flagFrom(registeredDefaults().value(DropShadowKey)).value_or(false);
}

void PreferenceController::setPreferenceTargetDateTime(const QDateTime& target)
{
    store(TargetDateTimeKey, target, TargetDateTimeChanged);
}

void PreferenceController::setPreferenceTextColor(const QByteArray& colorBlob)
{
    store(TextColorKey, colorBlob, TextColorChanged);
}

void PreferenceController::setPreferenceBgColor(const QByteArray& colorBlob)
{
    store(BgColorKey, colorBlob, BgColorChanged);
}

void PreferenceController::setPreferenceDropShadow(bool dropShadow)
{
    store(DropShadowKey, dropShadow, DropShadowChanged);
}
