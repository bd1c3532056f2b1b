#pragma once

#include "DisplayFitting.h"

#include <QFont>
#include <QString>

namespace DisplayFitting {

// Measures text set on one line in the given font's family at each pixel size asked for: the advance
// width and the line height.
Measurer fontMeasurer(const QFont& font, const QString& text);

// Where each run of digits lies along the text set in the font.
QList<Span> groupSpans(const QFont& font, const QString& text);

} // namespace DisplayFitting
