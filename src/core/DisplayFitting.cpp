#include "DisplayFitting.h"

#include <algorithm>
#include <cmath>

namespace DisplayFitting {

namespace {

// Whether the text at a size overflows the panel. The limits are held in single precision and each
// measurement is compared with the rounded limit; the chosen sizes have always been decided that way.
class OverflowTest {
public:
    OverflowTest(QSizeF panel, const Measurer& measure)
        : m_widthLimit(static_cast<float>(panel.width() - FitMargin))
        , m_heightLimit(static_cast<float>(panel.height() - FitMargin))
        , m_measure(measure)
    {
    }

    bool operator()(int size) const { return overflows(m_measure(size)); }
    bool overflows(QSizeF measured) const
    {
        return measured.width() > m_widthLimit || measured.height() > m_heightLimit;
    }
    // The largest size whose measurement, scaled linearly from a measurement at reference, stays inside.
    double linearEstimate(QSizeF measured, int reference) const
    {
        const double byWidth = measured.width() > 0 ? m_widthLimit * reference / measured.width() : TrialSizeBound;
        const double byHeight = measured.height() > 0 ? m_heightLimit * reference / measured.height() : TrialSizeBound;
        return std::min(byWidth, byHeight);
    }

private:
    float m_widthLimit;
    float m_heightLimit;
    const Measurer& m_measure;
};

constexpr int kLastTrial = TrialSizeBound - 1;

} // namespace

int ascendingDigitSize(QSizeF panel, const Measurer& measure)
{
    const OverflowTest overflowsAt(panel, measure);
    int trial = FirstTrialSize;
    for (; trial < TrialSizeBound; ++trial) {
        if (overflowsAt(trial))
            break;
    }
    return trial - 1;
}

// The same answer as the ascending search wherever the measurement grows with the size, from a handful
// of measurements instead of up to 990: one at EstimateSize gives a linear guess, a few more close in on
// the first overflowing size around it. Each measurement at a new size costs a new font engine, so
// their number is what matters.
int digitSize(QSizeF panel, const Measurer& measure)
{
    const OverflowTest overflowsAt(panel, measure);
    const QSizeF atEstimate = measure(EstimateSize);
    const double estimate = overflowsAt.linearEstimate(atEstimate, EstimateSize);
    int guess = static_cast<int>(std::clamp(estimate, double(FirstTrialSize), double(kLastTrial)));

    // Bracket the answer: fits is the largest size known to fit (or just below the first trial), overflows
    // the smallest known to overflow (or just past the last trial); the steps widen while a guess falls short.
    int fits = FirstTrialSize - 1;
    int overflows = TrialSizeBound;
    if (overflowsAt.overflows(atEstimate))
        overflows = EstimateSize;
    else
        fits = EstimateSize;
    for (int step = 1; overflows - fits > 1; step *= 2) {
        if (guess <= fits || guess >= overflows)
            guess = fits + (overflows - fits) / 2;
        if (overflowsAt(guess)) {
            overflows = guess;
            guess -= step;
        } else {
            fits = guess;
            guess += step;
        }
    }
    return fits;
}

int captionSize(int digitSize)
{
    return digitSize / 4;
}

namespace {

// The display field centred, and the y shared by every caption, which hangs from the digits' bottom edge.
Layout placeDisplay(QSizeF panel, QSizeF display, double firstCaptionHeight, double* captionY)
{
    Layout layout;
    const double displayX = (panel.width() - display.width()) * 0.5;
    const double displayY = static_cast<int>(firstCaptionHeight * 0.5) + (panel.height() - display.height()) * 0.5;
    layout.display = QRectF(QPointF(displayX, displayY), display);
    *captionY = displayY - firstCaptionHeight;
    return layout;
}

} // namespace

Layout placeFields(QSizeF panel, QSizeF display, const std::array<QSizeF, 4>& captions)
{
    const int unit = static_cast<int>(display.width() / 9);
    const int offset = unit / 3;
    const int pitch = offset + 2 * unit;

    double captionY = 0;
    Layout layout = placeDisplay(panel, display, captions[0].height(), &captionY);
    double captionX = layout.display.x() + offset;
    for (const QSizeF caption : captions) {
        layout.captions.append(QRectF(QPointF(captionX, captionY), caption));
        captionX += pitch;
    }
    return layout;
}

Layout placeUnderGroups(QSizeF panel, QSizeF display, const QList<QSizeF>& captions, const QList<Span>& groups)
{
    double captionY = 0;
    Layout layout = placeDisplay(panel, display, captions.isEmpty() ? 0.0 : captions.first().height(), &captionY);
    for (qsizetype i = 0; i < captions.size() && i < groups.size(); ++i) {
        const double centre = layout.display.x() + groups[i].left + groups[i].width * 0.5;
        layout.captions.append(QRectF(QPointF(centre - captions[i].width() * 0.5, captionY), captions[i]));
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
