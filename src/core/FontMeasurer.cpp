#include "FontMeasurer.h"

#include <QFontMetricsF>

namespace DisplayFitting {

Measurer fontMeasurer(const QFont& font, const QString& text)
{
    return [font = QFont(font), text](int pixelSize) mutable {
        font.setPixelSize(pixelSize);
        const QFontMetricsF metrics(font);
        return QSizeF(metrics.horizontalAdvance(text), metrics.height());
    };
}

} // namespace DisplayFitting
