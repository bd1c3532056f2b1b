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

QList<Span> groupSpans(const QFont& font, const QString& text)
{
    const QFontMetricsF metrics(font);
    QList<Span> spans;
    for (qsizetype start = 0; start < text.size();) {
        if (!text[start].isDigit()) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < text.size() && text[end].isDigit())
            ++end;
        spans.append(
            {metrics.horizontalAdvance(text.left(start)), metrics.horizontalAdvance(text.mid(start, end - start))});
        start = end;
    }
    return spans;
}

} // namespace DisplayFitting
