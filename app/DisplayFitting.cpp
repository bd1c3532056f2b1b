#include "app/DisplayFitting.h"

#include <cmath>

namespace DisplayFitting {

int digitSize(QSizeF panel, const Measurer& measure)
{
    // The limits are held in single precision and each measurement is compared with the rounded limit;
    // the chosen sizes for a given panel have always been decided that way.
    const float widthLimit = static_cast<float>(panel.width() - FitMargin);
    const float heightLimit = static_cast<float>(panel.height() - FitMargin);
    int trial = FirstTrialSize;
    for (; trial < TrialSizeBound; ++trial) {
        const QSizeF measured = measure(trial);
        if (measured.width() > widthLimit || measured.height() > heightLimit)
            break;
    }
    return trial - 1;
}

int captionSize(int digitSize)
{
    return digitSize / 4;
}

Layout placeFields(QSizeF panel, QSizeF display, const std::array<QSizeF, 4>& captions)
{
    const int unit = static_cast<int>(display.width() / 9);
    const int offset = unit / 3;
    const int pitch = offset + 2 * unit;
    const double daysHeight = captions[0].height();

    Layout layout;
    const double displayX = (panel.width() - display.width()) * 0.5;
    const double displayY = static_cast<int>(daysHeight * 0.5) + (panel.height() - display.height()) * 0.5;
    layout.display = QRectF(QPointF(displayX, displayY), display);

    double captionX = displayX + offset;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        layout.captions[i] = QRectF(QPointF(captionX, displayY - daysHeight), captions[i]);
        captionX += pitch;
    }
    return layout;
}

QRect toWidgetRect(const QRectF& frame, double panelHeight)
{
    const double top = panelHeight - frame.y() - frame.height();
    return QRect(static_cast<int>(std::lround(frame.x())), static_cast<int>(std::lround(top)),
                 static_cast<int>(std::lround(frame.width())), static_cast<int>(std::lround(frame.height())));
}

} // namespace DisplayFitting
