#pragma once

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPoint>

class QPainter;
class QRect;
class QString;

// Draws one line of text from images of its characters, each rasterised once per font and colour, at
// places measured once per pair of neighbours. Qt keeps glyphs only up to a modest size in its cache and
// fills the outlines of larger ones anew at every paint, and shapes the line anew too: for the panel's
// digits that is nearly all it would spend in a second. Blending a few small images is not.
class CachedGlyphs {
public:
    // Where QPainter::drawText(rect, Qt::AlignLeft | Qt::AlignVCenter, text) would put it, to within a pixel
    // as long as the font's kerning and substitutions act on pairs of characters, as they do for digits.
    void draw(QPainter& painter, const QRect& rect, const QFont& font, const QColor& color, const QString& text);
    // The pixels that draw() touches for the characters from `first` on.
    QRect bounds(const QRect& rect, const QFont& font, const QString& text, qsizetype first);

private:
    struct Glyph {
        QGlyphRun run; // the character alone, shaped
        QImage image;  // in the colour and at the fraction of a pixel below the baseline it was drawn with
        QRect bounds;  // of the image, from the character's origin on the baseline
    };

    void useFont(const QFont& font);
    qreal baseline(const QRect& rect) const;
    // Calls visit(glyph, origin) for each character from `first` on, with its origin on the baseline.
    template <typename Visit> void forEach(const QRect& rect, const QString& text, qsizetype first, Visit visit);
    Glyph& glyph(QChar character);
    qreal step(QChar from, QChar to);

    QFont m_font;
    qreal m_lineHeight = 0;
    qreal m_ascent = 0;
    QHash<QChar, Glyph> m_glyphs;
    QHash<quint32, qreal> m_steps; // from one character's origin to its right neighbour's
    QColor m_color;
    qreal m_pixelRatio = 0;
    qreal m_belowPixel = 0;
};
