#include "settings/PreferenceController.h"

#include "settings/ColorArchive.h"
#include "settings/NotificationCenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QVariantMap>

#include <cstdio>

#include <QThread>

#include <sys/stat.h>
#include <time.h>

using namespace PreferenceNames;

namespace {

QVariantMap& registeredDefaults()
{
    static QVariantMap defaults;
    return defaults;
}

// This run's values that the file does not hold, because saving them failed or the file is refused. They
// answer reads until a save succeeds; every other key reads the file, which another copy of the program
// may have changed since.
QVariantMap& unsavedValues()
{
    static QVariantMap values;
    return values;
}

// Why the thing at path must be neither read nor replaced, or nothing when it is a plain file or absent.
QString refusal(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    const QString kind = S_ISFIFO(info.st_mode)                           ? QStringLiteral("a FIFO")
                         : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? QStringLiteral("a device")
                         : S_ISSOCK(info.st_mode)                         ? QStringLiteral("a socket")
                         : S_ISDIR(info.st_mode)                          ? QStringLiteral("a folder")
                                                                          : QStringLiteral("an unknown kind of file");
    const QFileInfo file(path);
    const QString what = file.isSymLink() ? QStringLiteral("it leads to %1, %2").arg(file.canonicalFilePath(), kind)
                                          : QStringLiteral("it is %1").arg(kind);
    return what + QStringLiteral(", not a regular file");
}

// Constructing a QSettings already opens its files, and open() waits for ever on a FIFO, so the files it
// would open are named here from a QSettings on names that exist nowhere: the folder it puts them in is
// the same, also when a test has moved it with QSettings::setPath(). Besides the settings file, QSettings
// reads the organisation's file and, to save, takes a lock file; either hangs it just the same.
QStringList settingsFiles()
{
    const QString probe = QStringLiteral("presenter-countdown-no-such-name");
    const QString probeFile = QSettings(QSettings::defaultFormat(), QSettings::UserScope, probe, probe).fileName();
    const qsizetype at = probeFile.lastIndexOf(probe + QLatin1Char('/') + probe);
    const QString folder = probeFile.left(at);
    const QString extension = probeFile.mid(at + 2 * probe.size() + 1);
    QString organization = QCoreApplication::organizationName();
    if (organization.isEmpty())
        organization = QStringLiteral("Unknown Organization");
    const QString application = QCoreApplication::applicationName();

    QStringList files;
    if (!application.isEmpty()) {
        const QString file = folder + organization + QLatin1Char('/') + application + extension;
        files << file << file + QStringLiteral(".lock");
    }
    files << folder + organization + extension;
    return files;
}

// True when QSettings may open the files; otherwise says once which one is refused and why.
bool storeUsable()
{
    for (const QString& file : settingsFiles()) {
        const QString reason = refusal(file);
        if (reason.isEmpty())
            continue;
        static QString reported;
        if (reported != file) {
            reported = file;
            std::fprintf(stderr, "presenter-countdown: not using settings file %s: %s\n", qPrintable(file),
                         qPrintable(reason));
        }
        return false;
    }
    return true;
}

QVariant lookup(QLatin1String key)
{
    const QVariantMap& unsaved = unsavedValues();
    if (unsaved.contains(key))
        return unsaved.value(key);
    if (storeUsable()) {
        QSettings settings;
        if (settings.contains(key))
            return settings.value(key);
    }
    return registeredDefaults().value(key);
}

// The moment a target means. A local time that the zone skips (Qt calls it invalid but keeps the date and
// time) is read as a wall clock would show it: with the offset from before the jump, so that 02:00:30 in
// a gap from 02:00 to 03:00 is the moment the clock shows 03:00:30.
QDateTime instant(const QDateTime& target)
{
    if (target.isValid())
        return target.toUTC();
    if (target.timeSpec() != Qt::LocalTime || !target.date().isValid() || !target.time().isValid())
        return {};
    const QDateTime wallClock(target.date(), target.time(), Qt::UTC);
    if (!wallClock.isValid())
        return {};
    const qint64 asIfUtc = wallClock.toMSecsSinceEpoch();
    const qint64 oneDay = 24 * 3600 * 1000;
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(asIfUtc - oneDay, Qt::LocalTime).offsetFromUtc();
    return QDateTime::fromMSecsSinceEpoch(asIfUtc - qint64(offsetBefore) * 1000, Qt::UTC);
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

qint64 milliseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

// QSettings notices another copy's save by the file's size and modification time to the millisecond, so
// two saves of the same size within one tick of the file system's clock look alike to it, and the later
// would put back the value the earlier replaced. A save therefore waits until the file system's clock has
// moved past the file's last change: a few milliseconds at most, and only for saves that close together.
void waitPastLastChange(const QString& file)
{
    struct stat info {};
    if (::stat(QFile::encodeName(file).constData(), &info) != 0)
        return;
    const qint64 changed = milliseconds(info.st_mtim);
    for (int attempt = 0; attempt < 20; ++attempt) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        // A change stamped far ahead of the clock says nothing about the last few milliseconds.
        if (milliseconds(now) > changed || changed - milliseconds(now) > 20)
            return;
        QThread::msleep(1);
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
// Values whose save failed earlier go along, so that a save that works again keeps them too.
void store(QLatin1String key, const QVariant& value, QLatin1String notification)
{
    QVariantMap& unsaved = unsavedValues();
    unsaved.insert(key, value);
    if (storeUsable()) {
        QSettings settings;
        waitPastLastChange(settings.fileName());
        for (auto it = unsaved.cbegin(); it != unsaved.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.sync();
        if (settings.status() == QSettings::NoError)
            unsaved.clear();
        else
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
    if (value.metaType().id() != QMetaType::QDateTime)
        return std::nullopt;
    const QDateTime target = instant(value.toDateTime());
    if (!target.isValid())
        return std::nullopt;
    return target;
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
    // Stored as UTC, so that the file names the same moment in whatever zone it is read.
    const QDateTime moment = instant(target);
    store(TargetDateTimeKey, moment.isValid() ? moment : target, TargetDateTimeChanged);
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
