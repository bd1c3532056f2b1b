// libFuzzer target: arbitrary bytes as a stored colour blob and as the whole settings file. Reading them may
// not crash, hang or read out of bounds, and whatever the readers return must be usable.

#include "ColorArchive.h"
#include "Settings.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

static void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A blob that decodes is exactly what Qt writes for that colour, and the colour is valid.
static void checkColorBlob(const QByteArray& bytes)
{
    const auto color = ColorArchive::unarchive(bytes);
    require(!color || (color->isValid() && ColorArchive::archive(*color) == bytes));
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkColorBlob(bytes);
    // A new file for every input, so that no parsed file is taken from Qt's cache.
    static const QTemporaryDir folder;
    static quint64 inputs = 0;
    QFile file(folder.filePath(QString::number(++inputs)));
    require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const Settings settings(file.fileName(), QDateTime::currentDateTime());
    require(!settings.targetDateTime() || settings.targetDateTime()->isValid());
    for (std::size_t i = 0; i < Settings::KeyCount; ++i) {
        const auto key = static_cast<Settings::Key>(i);
        const auto type = settings.defaultValue(key).typeId();
        if (const auto blob = type == QMetaType::QByteArray ? settings.colorBlob(key) : std::nullopt)
            checkColorBlob(*blob);
        if (type == QMetaType::Bool)
            settings.flag(key);
    }
    for (const auto key : {Settings::Key::Duration, Settings::Key::WarningAt, Settings::Key::FinalAt})
        require(settings.seconds(key) >= 1 && settings.seconds(key) <= 359999);
    settings.endMode();
    require(settings.pausedRemaining().value_or(0) >= 0);
    file.remove();
    return 0;
}
