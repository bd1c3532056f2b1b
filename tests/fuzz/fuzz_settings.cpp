// libFuzzer target: arbitrary bytes as the whole settings file. Reading it may not crash, hang or read out
// of bounds, and whatever the readers return must be usable.

#include "ColorCheck.h"

#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <cstdint>

namespace {

QString g_folder;

void setUp()
{
    static int argc = 1;
    static char name[] = "fuzz_settings";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    g_folder = QDir::tempPath() + QStringLiteral("/pc-fuzz-") + QString::number(QCoreApplication::applicationPid());
    QDir().mkpath(g_folder);
}

void checkSettingsFile(const QByteArray& bytes)
{
    // A new file name for every input, so that no parsed file is taken from Qt's cache.
    static quint64 counter = 0;
    const QString path = g_folder + QLatin1Char('/') + QString::number(++counter) + QStringLiteral(".conf");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(bytes);
    }
    const Settings settings(path, QDateTime::currentDateTime());
    const auto target = settings.targetDateTime();
    if (target && !target->isValid())
        std::abort();
    for (int i = 0; i < int(Settings::KeyCount); ++i) {
        const auto key = static_cast<Settings::Key>(i);
        const QVariant fallback = settings.defaultValue(key);
        if (fallback.typeId() == QMetaType::QByteArray) {
            if (const auto blob = settings.colorBlob(key))
                checkColorBlob(*blob);
        } else if (fallback.typeId() == QMetaType::Bool) {
            settings.flag(key);
        }
    }
    for (const auto key : {Settings::Key::Duration, Settings::Key::WarningAt, Settings::Key::FinalAt}) {
        if (const qint64 seconds = settings.seconds(key); seconds < 1 || seconds > 359999)
            std::abort();
    }
    settings.endMode();
    if (const auto paused = settings.pausedRemaining(); paused && *paused < 0)
        std::abort();
    QFile::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = (setUp(), true);
    (void)ready;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkSettingsFile(bytes);
    return 0;
}
