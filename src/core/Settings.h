#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLatin1String>
#include <QObject>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>

// The user's four settings, in one INI file. A value the user never set is answered from the defaults
// table, which lives in memory only and is made afresh at every start. Each setter makes its value
// durable before it returns and then emits changed(), also when the value did not change.
//
// The file is never the only place a value lives: a value that could not be saved (an unwritable folder,
// a full disk, a path that is not a regular file) answers reads for the rest of the run.
class Settings : public QObject {
    Q_OBJECT

public:
    enum class Key { TargetDateTime, TextColor, BgColor, DropShadow };
    Q_ENUM(Key)

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
    std::optional<QByteArray> textColor() const;
    std::optional<QByteArray> bgColor() const;
    // An entry that is no flag (neither true nor false, a number or a bool) reads as the default.
    bool dropShadow() const;

    // The target is stored as UTC, so that the file names the same moment in whatever zone it is read.
    void setTargetDateTime(const QDateTime& target);
    void setTextColor(const QByteArray& colorBlob);
    void setBgColor(const QByteArray& colorBlob);
    void setDropShadow(bool dropShadow);

signals:
    void changed(Settings::Key key);

private:
    struct Entry {
        Key key;
        QLatin1String storedName;
        QVariant defaultValue;
    };

    const Entry& entry(Key key) const { return m_table[static_cast<std::size_t>(key)]; }
    QVariant value(Key key) const;
    std::optional<QByteArray> blob(Key key) const;
    void store(Key key, const QVariant& value);
    bool fileUsable() const;

    QString m_fileName;
    std::array<Entry, 4> m_table;
    QVariantMap m_unsaved; // by stored name
    mutable QString m_reportedRefusal;
    bool m_reportedUnsaved = false;
};
