#pragma once

#include "ColorArchive.h"

#include <cstdlib>

// A blob that decodes must be exactly what Qt writes for that colour, and the colour must be usable.
inline void checkColorBlob(const QByteArray& bytes)
{
    const auto color = ColorArchive::unarchive(bytes);
    if (!color)
        return;
    if (!color->isValid() || ColorArchive::archive(*color) != bytes)
        std::abort();
    const QColor rgb = color->toRgb();
    if (rgb.red() < 0 || rgb.red() > 255 || rgb.green() < 0 || rgb.green() > 255 || rgb.blue() < 0 ||
        rgb.blue() > 255 || rgb.alpha() < 0 || rgb.alpha() > 255)
        std::abort();
}
