#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLatin1String>
#include <QObject>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>

// The user's settings, in one INI file. A value the user never set is answered from the defaults table,
// which lives in memory only and is made afresh at every start. Each setter makes its value durable
// before it returns and then emits changed(), also when the value did not change.
//
// The file is never the only place a value lives: a value that could not be saved (an unwritable folder,
// a full disk, a path that is not a regular file) answers reads for the rest of the run. A value of the
// wrong kind reads as its default, and the first such read of each key says so in one line on stderr.
class Settings : public QObject {
    Q_OBJECT

public:
    enum class Key {
        TargetDateTime,
        TextColor,
        BgColor,
        DropShadow,
        EndMode,
        Duration,
        PausedRemaining,
        WarningOn,
        WarningAt,
        WarningTextColor,
        WarningBgColor,
        FinalOn,
        FinalAt,
        FinalTextColor,
        FinalBgColor,
        Overtime,
        OvertimeTextColor,
        OvertimeBgColor,
        Compact,
    };
    Q_ENUM(Key)
    static constexpr std::size_t KeyCount = std::size_t(Key::Compact) + 1;

    // How the user last said when the countdown ends; the end itself is always the target.
    enum class EndMode { DateTime, Duration, TimeOfDay };
    Q_ENUM(EndMode)

    // $XDG_CONFIG_HOME/<organisation>/<application>.conf, where Qt's own per-user settings go.
    static QString defaultFileName();

    // The defaults depend on when the program starts: the target is 60 days ahead.
    Settings(const QString& fileName, const QDateTime& now, QObject* parent = nullptr);

    QString fileName() const { return m_fileName; }
    QLatin1String storedName(Key key) const { return entry(key).storedName; }
    QVariant defaultValue(Key key) const { return entry(key).defaultValue; }
    static QDateTime defaultTargetDateTime(const QDateTime& now);

    // Anything but a date under the key reads as no date; a local time (as older files hold) is read
    // in the current zone, and a local time that zone skips as a wall clock would show it.
    std::optional<QDateTime> targetDateTime() const;
    // An entry that is not a byte blob reads as no blob; the bytes themselves are not judged here.
    std::optional<QByteArray> colorBlob(Key key) const;
    std::optional<QByteArray> textColor() const { return colorBlob(Key::TextColor); }
    std::optional<QByteArray> bgColor() const { return colorBlob(Key::BgColor); }
    // An entry that is no flag (neither true nor false, a number or a bool) reads as the default.
    bool flag(Key key) const;
    bool dropShadow() const { return flag(Key::DropShadow); }
    // Whole seconds from 1 to TimeInput::LongestDuration; anything else reads as the default.
    qint64 seconds(Key key) const;
    EndMode endMode() const;
    // The milliseconds left when the countdown was paused; nothing while it runs.
    std::optional<qint64> pausedRemaining() const;

    // The target is stored as UTC, so that the file names the same moment in whatever zone it is read.
    void setTargetDateTime(const QDateTime& target);
    void setColorBlob(Key key, const QByteArray& colorBlob);
    void setTextColor(const QByteArray& colorBlob) { setColorBlob(Key::TextColor, colorBlob); }
    void setBgColor(const QByteArray& colorBlob) { setColorBlob(Key::BgColor, colorBlob); }
    void setFlag(Key key, bool on);
    void setDropShadow(bool dropShadow) { setFlag(Key::DropShadow, dropShadow); }
    void setSeconds(Key key, qint64 seconds);
    void setEndMode(EndMode mode);
    void setPausedRemaining(std::optional<qint64> msecs);

    // Where the panel was, as PanelGeometry::placeText() wrote it, or whatever else the entry holds,
    // which the reader judges; kept out of the keys above, so that neither the settings window nor its
    // Reset touches it.
    QVariant panelPlace() const;
    void setPanelPlace(const QString& place);

signals:
    void changed(Settings::Key key);

private:
    enum class Kind { Moment, Color, Flag, Seconds, Mode, Milliseconds };
    struct Entry {
        Key key;
        QLatin1String storedName;
        Kind kind;
        QVariant defaultValue;
    };

    const Entry& entry(Key key) const { return m_table[static_cast<std::size_t>(key)]; }
    QVariant value(Key key) const;
    void refuse(Key key, const QVariant& found, const char* expected) const;
    void store(Key key, const QVariant& value);
    void write(const QString& name, const QVariant& value);
    bool fileUsable() const;

    QString m_fileName;
    std::array<Entry, KeyCount> m_table;
    QVariantMap m_unsaved; // by stored name
    mutable QString m_reportedRefusal;
    mutable std::array<bool, KeyCount> m_reportedValue{};
    bool m_reportedUnsaved = false;
};
