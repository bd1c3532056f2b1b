#pragma once

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

// Points QSettings at a fresh, empty store for as long as it lives, so that no test sees another's values
// and none ever touches the user's own settings.
class TestSettings {
public:
    TestSettings()
    {
        static int generation = 0;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
        QCoreApplication::setOrganizationName(QStringLiteral("presenter-countdown-test"));
        QCoreApplication::setApplicationName(QStringLiteral("store-%1").arg(++generation));
    }

    QString folder() const { return m_dir.path(); }
    QString fileName() const { return QSettings().fileName(); }

    // Writes behind the store's back, as a hand edit or another version of the program would.
    static void putRaw(const QString& key, const QVariant& value)
    {
        QSettings settings;
        settings.setValue(key, value);
        settings.sync();
    }

    static QVariant readRaw(const QString& key) { return QSettings().value(key); }

private:
    QTemporaryDir m_dir;
};
