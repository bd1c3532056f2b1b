#include "Settings.h"

#include "ColorArchive.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QThread>

#include <cstdio>

#include <sys/stat.h>
#include <time.h>

namespace {

// Why the thing at path must be neither read nor replaced: QSettings would wait for ever on a FIFO and
// rename its temporary file over a device. Nothing when it is a regular file or absent.
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

// The moment a target means. A local time that the zone skips (Qt calls it invalid but keeps the date and
// time) is read with the offset from before the jump, so that 02:00:30 in a gap from 02:00 to 03:00 is
// the moment the clock shows 03:00:30.
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
    constexpr qint64 oneDay = 24 * 3600 * 1000;
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(asIfUtc - oneDay, Qt::LocalTime).offsetFromUtc();
    return QDateTime::fromMSecsSinceEpoch(asIfUtc - qint64(offsetBefore) * 1000, Qt::UTC);
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

} // namespace

QString Settings::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QCoreApplication::organizationName() + QLatin1Char('/') + QCoreApplication::applicationName() +
           QStringLiteral(".conf");
}

Settings::Settings(const QString& fileName, const QDateTime& now, QObject* parent)
    : QObject(parent)
    , m_fileName(fileName)
    , m_table{{
          {Key::TargetDateTime, QLatin1String("ZKVTargetDateTime"), defaultTargetDateTime(now)},
          {Key::TextColor, QLatin1String("ZKVTextColor"), ColorArchive::archive(QColor(Qt::black))},
          {Key::BgColor, QLatin1String("ZKVBgColor"), ColorArchive::archive(QColor(Qt::white))},
          {Key::DropShadow, QLatin1String("DropShadow"), true},
      }}
{
}

bool Settings::fileUsable() const
{
    // Saving also takes a lock file beside the settings, which QSettings opens just as blindly.
    for (const QString& path : {m_fileName, m_fileName + QStringLiteral(".lock")}) {
        const QString reason = refusal(path);
        if (reason.isEmpty())
            continue;
        if (m_reportedRefusal != path) {
            m_reportedRefusal = path;
            std::fprintf(stderr, "presenter-countdown: not using settings file %s: %s\n", qPrintable(path),
                         qPrintable(reason));
        }
        return false;
    }
    return true;
}

QVariant Settings::value(Key key) const
{
    const QLatin1String name = storedName(key);
    if (m_unsaved.contains(name))
        return m_unsaved.value(name);
    if (fileUsable()) {
        const QSettings file(m_fileName, QSettings::IniFormat);
        if (file.contains(name))
            return file.value(name);
    }
    return defaultValue(key);
}

std::optional<QByteArray> Settings::blob(Key key) const
{
    const QVariant stored = value(key);
    if (stored.metaType().id() != QMetaType::QByteArray)
        return std::nullopt;
    return stored.toByteArray();
}

QDateTime Settings::defaultTargetDateTime(const QDateTime& now)
{
    const QDateTime fixedTarget(QDate(2016, 12, 31), QTime(0, 0), Qt::LocalTime);
    if (!(now > fixedTarget))
        return fixedTarget;
    // Sixty calendar days keep the wall-clock time across a daylight-saving change.
    const QDateTime later = now.toLocalTime().addDays(60);
    return later.isValid() ? later : now.addSecs(60 * 24 * 3600);
}

std::optional<QDateTime> Settings::targetDateTime() const
{
    const QVariant stored = value(Key::TargetDateTime);
    if (stored.metaType().id() != QMetaType::QDateTime)
        return std::nullopt;
    const QDateTime target = instant(stored.toDateTime());
    if (!target.isValid())
        return std::nullopt;
    return target;
}

std::optional<QByteArray> Settings::textColor() const
{
    return blob(Key::TextColor);
}

std::optional<QByteArray> Settings::bgColor() const
{
    return blob(Key::BgColor);
}

bool Settings::dropShadow() const
{
    if (const auto flag = flagFrom(value(Key::DropShadow)))
        return *flag;
    return flagFrom(defaultValue(Key::DropShadow)).value_or(false);
}

void Settings::setTargetDateTime(const QDateTime& target)
{
    const QDateTime moment = instant(target);
    store(Key::TargetDateTime, moment.isValid() ? moment : target);
}

void Settings::setTextColor(const QByteArray& colorBlob)
{
    store(Key::TextColor, colorBlob);
}

void Settings::setBgColor(const QByteArray& colorBlob)
{
    store(Key::BgColor, colorBlob);
}

void Settings::setDropShadow(bool dropShadow)
{
    store(Key::DropShadow, dropShadow);
}

// QSettings writes through a temporary file that replaces the old one only once it is complete, so a
// failed write leaves the previous file as it was; syncing here means a killed process loses nothing.
// Values whose save failed earlier go along, so that a save that works again keeps them too.
void Settings::store(Key key, const QVariant& newValue)
{
    m_unsaved.insert(storedName(key), newValue);
    if (fileUsable()) {
        QSettings file(m_fileName, QSettings::IniFormat);
        waitPastLastChange(m_fileName);
        for (auto it = m_unsaved.cbegin(); it != m_unsaved.cend(); ++it)
            file.setValue(it.key(), it.value());
        file.sync();
        if (file.status() == QSettings::NoError) {
            m_unsaved.clear();
        } else if (!m_reportedUnsaved) {
            m_reportedUnsaved = true;
            std::fprintf(stderr, "presenter-countdown: could not save settings to %s; changes last until quit\n",
                         qPrintable(m_fileName));
        }
    }
    emit changed(key);
}
