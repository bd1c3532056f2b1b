#include "Settings.h"

#include "ColorArchive.h"
#include "TimeInput.h"

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

// The moment a target means; a local time the zone skips is read as a wall clock shows it.
QDateTime instant(const QDateTime& target)
{
    if (target.isValid())
        return target.toUTC();
    if (target.timeSpec() != Qt::LocalTime)
        return {};
    return TimeInput::localMoment(target.date(), target.time());
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

// A count as INI text ("300") or as a number; anything else, fractions included, is no count.
std::optional<qint64> countFrom(const QVariant& value)
{
    bool ok = false;
    qint64 count = 0;
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        count = value.toLongLong(&ok);
        break;
    case QMetaType::QString:
        count = value.toString().trimmed().toLongLong(&ok);
        break;
    default:
        break;
    }
    return ok ? std::optional(count) : std::nullopt;
}

constexpr std::array<std::pair<Settings::EndMode, const char*>, 3> kEndModeNames{{
    {Settings::EndMode::DateTime, "date"},
    {Settings::EndMode::Duration, "duration"},
    {Settings::EndMode::TimeOfDay, "time"},
}};

// What a refused value looked like, short enough for one line.
QString shown(const QVariant& value)
{
    if (value.metaType().id() != QMetaType::QString)
        return QStringLiteral("a value of type %1").arg(QString::fromLatin1(value.metaType().name()));
    QString text = value.toString();
    if (text.size() > 40)
        text = text.left(40) + QStringLiteral("...");
    // Control characters would garble the terminal.
    for (QChar& character : text) {
        if (!character.isPrint())
            character = QLatin1Char('?');
    }
    return QLatin1Char('"') + text + QLatin1Char('"');
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
          {Key::TargetDateTime, QLatin1String("ZKVTargetDateTime"), Kind::Moment, defaultTargetDateTime(now)},
          {Key::TextColor, QLatin1String("ZKVTextColor"), Kind::Color, ColorArchive::archive(QColor(Qt::black))},
          {Key::BgColor, QLatin1String("ZKVBgColor"), Kind::Color, ColorArchive::archive(QColor(Qt::white))},
          {Key::DropShadow, QLatin1String("DropShadow"), Kind::Flag, true},
          {Key::EndMode, QLatin1String("EndMode"), Kind::Mode, QStringLiteral("date")},
          {Key::Duration, QLatin1String("Duration"), Kind::Seconds, 20 * 60},
          {Key::PausedRemaining, QLatin1String("PausedRemaining"), Kind::Milliseconds, -1},
          {Key::WarningOn, QLatin1String("WarningOn"), Kind::Flag, false},
          {Key::WarningAt, QLatin1String("WarningAt"), Kind::Seconds, 5 * 60},
          {Key::WarningTextColor, QLatin1String("WarningTextColor"), Kind::Color,
           ColorArchive::archive(QColor(Qt::black))},
          {Key::WarningBgColor, QLatin1String("WarningBgColor"), Kind::Color,
           ColorArchive::archive(QColor(255, 214, 0))},
          {Key::FinalOn, QLatin1String("FinalOn"), Kind::Flag, false},
          {Key::FinalAt, QLatin1String("FinalAt"), Kind::Seconds, 60},
          {Key::FinalTextColor, QLatin1String("FinalTextColor"), Kind::Color, ColorArchive::archive(QColor(Qt::white))},
          {Key::FinalBgColor, QLatin1String("FinalBgColor"), Kind::Color, ColorArchive::archive(QColor(230, 81, 0))},
          {Key::Overtime, QLatin1String("Overtime"), Kind::Flag, false},
          {Key::OvertimeTextColor, QLatin1String("OvertimeTextColor"), Kind::Color,
           ColorArchive::archive(QColor(Qt::white))},
          {Key::OvertimeBgColor, QLatin1String("OvertimeBgColor"), Kind::Color,
           ColorArchive::archive(QColor(198, 40, 40))},
          {Key::Compact, QLatin1String("Compact"), Kind::Flag, false},
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

QDateTime Settings::defaultTargetDateTime(const QDateTime& now)
{
    const QDateTime fixedTarget(QDate(2016, 12, 31), QTime(0, 0), Qt::LocalTime);
    if (!(now > fixedTarget))
        return fixedTarget;
    // Sixty calendar days keep the wall-clock time across a daylight-saving change.
    const QDateTime later = now.toLocalTime().addDays(60);
    return later.isValid() ? later : now.addSecs(60 * 24 * 3600);
}

void Settings::refuse(Key key, const QVariant& found, const char* expected) const
{
    bool& reported = m_reportedValue[static_cast<std::size_t>(key)];
    if (reported)
        return;
    reported = true;
    std::fprintf(stderr, "presenter-countdown: ignoring setting %s, %s: expected %s\n", storedName(key).data(),
                 qPrintable(shown(found)), expected);
}

std::optional<QDateTime> Settings::targetDateTime() const
{
    const QVariant stored = value(Key::TargetDateTime);
    const QDateTime target =
        stored.metaType().id() == QMetaType::QDateTime ? instant(stored.toDateTime()) : QDateTime();
    if (!target.isValid()) {
        refuse(Key::TargetDateTime, stored, "a date and time");
        return std::nullopt;
    }
    return target;
}

std::optional<QByteArray> Settings::colorBlob(Key key) const
{
    Q_ASSERT(entry(key).kind == Kind::Color);
    const QVariant stored = value(key);
    if (stored.metaType().id() != QMetaType::QByteArray) {
        refuse(key, stored, "a colour");
        return std::nullopt;
    }
    return stored.toByteArray();
}

bool Settings::flag(Key key) const
{
    Q_ASSERT(entry(key).kind == Kind::Flag);
    const QVariant stored = value(key);
    if (const auto flag = flagFrom(stored))
        return *flag;
    refuse(key, stored, "true or false");
    return flagFrom(defaultValue(key)).value_or(false);
}

qint64 Settings::seconds(Key key) const
{
    Q_ASSERT(entry(key).kind == Kind::Seconds);
    const QVariant stored = value(key);
    const auto count = countFrom(stored);
    if (count && *count >= 1 && *count <= TimeInput::LongestDuration)
        return *count;
    refuse(key, stored, "a whole number of seconds from 1 to 359999");
    return defaultValue(key).toLongLong();
}

Settings::EndMode Settings::endMode() const
{
    const QVariant stored = value(Key::EndMode);
    for (const auto& [mode, name] : kEndModeNames) {
        if (stored.metaType().id() == QMetaType::QString && stored.toString() == QLatin1String(name))
            return mode;
    }
    refuse(Key::EndMode, stored, "date, duration or time");
    return EndMode::DateTime;
}

std::optional<qint64> Settings::pausedRemaining() const
{
    const QVariant stored = value(Key::PausedRemaining);
    const auto count = countFrom(stored);
    if (!count)
        refuse(Key::PausedRemaining, stored, "a whole number of milliseconds");
    if (!count || *count < 0)
        return std::nullopt;
    return count;
}

void Settings::setTargetDateTime(const QDateTime& target)
{
    const QDateTime moment = instant(target);
    store(Key::TargetDateTime, moment.isValid() ? moment : target);
}

void Settings::setColorBlob(Key key, const QByteArray& colorBlob)
{
    Q_ASSERT(entry(key).kind == Kind::Color);
    store(key, colorBlob);
}

void Settings::setFlag(Key key, bool on)
{
    Q_ASSERT(entry(key).kind == Kind::Flag);
    store(key, on);
}

void Settings::setSeconds(Key key, qint64 seconds)
{
    Q_ASSERT(entry(key).kind == Kind::Seconds);
    store(key, seconds);
}

void Settings::setEndMode(EndMode mode)
{
    for (const auto& [known, name] : kEndModeNames) {
        if (known == mode)
            store(Key::EndMode, QString::fromLatin1(name));
    }
}

void Settings::setPausedRemaining(std::optional<qint64> msecs)
{
    store(Key::PausedRemaining, msecs && *msecs >= 0 ? *msecs : qint64(-1));
}

// QSettings writes through a temporary file that replaces the old one only once it is complete, so a
// failed write leaves the previous file as it was; syncing here means a killed process loses nothing.
// Values whose save failed earlier go along, so that a save that works again keeps them too.
void Settings::store(Key key, const QVariant& newValue)
{
    write(storedName(key), newValue);
    emit changed(key);
}

void Settings::write(const QString& name, const QVariant& newValue)
{
    m_unsaved.insert(name, newValue);
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
}

QVariant Settings::panelPlace() const
{
    const QString name = QStringLiteral("PanelPlace");
    QVariant found = m_unsaved.value(name);
    if (!found.isValid() && fileUsable())
        found = QSettings(m_fileName, QSettings::IniFormat).value(name);
    return found;
}

void Settings::setPanelPlace(const QString& place)
{
    write(QStringLiteral("PanelPlace"), place);
}
