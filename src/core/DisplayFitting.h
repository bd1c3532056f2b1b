#pragma once

#include <QRect>
#include <QRectF>
#include <QSizeF>

#include <QList>

#include <array>
#include <functional>

// The arithmetic that sets the digits as large as the panel allows and lines the captions up under
// them. Frames here use the panel's bottom-left corner as origin with y growing upward; toWidgetRect()
// turns them into Qt widget geometry.
namespace DisplayFitting {

// Width and height of the current text set on one line at the given pixel size.
using Measurer = std::function<QSizeF(int pixelSize)>;

inline constexpr double FitMargin = 30.0;
inline constexpr int FirstTrialSize = 10;
inline constexpr int TrialSizeBound = 1000;

struct Layout {
    QRectF display;
    QList<QRectF> captions; // one per group shown, left to right
};

// Where a group of digits lies along the text, from the text's left edge.
struct Span {
    double left = 0;
    double width = 0;
};

// The size just below the first trial size, counted up from FirstTrialSize, at which the text overflows
// the panel less the margin; 9 when even the first trial overflows, 999 when none does.
int digitSize(QSizeF panel, const Measurer& measure);

// The literal search that defines digitSize: every trial size in turn, up to 990 measurements. Kept as the
// reference the fast search is held against.
int ascendingDigitSize(QSizeF panel, const Measurer& measure);

// Size at which the first measurement is taken to estimate the answer.
inline constexpr int EstimateSize = 100;

int captionSize(int digitSize);

// Centres the display field in the panel and sets the captions in a row under it, at a pitch derived
// from the display field's width. Only the days caption's height enters the vertical placement.
Layout placeFields(QSizeF panel, QSizeF display, const std::array<QSizeF, 4>& captions);

// The same for texts other than the four plain groups (fewer groups, a leading minus), where no pitch
// derived from the width would meet the digits: each caption is centred under its own group, and the
// first caption's height enters the vertical placement.
Layout placeUnderGroups(QSizeF panel, QSizeF display, const QList<QSizeF>& captions, const QList<Span>& groups);

// Widgets sit on whole pixels, so half-pixel positions are rounded here and nowhere else.
QRect toWidgetRect(const QRectF& frame, double panelHeight);

} // namespace DisplayFitting
