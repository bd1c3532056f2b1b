#include "CachedGlyphs.h"

#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <cmath>

namespace {

QTextLine laidOut(QTextLayout& layout)
{
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line;
}

} // namespace

void CachedGlyphs::useFont(const QFont& font)
{
    if (font == m_font && m_lineHeight > 0)
        return;
    m_font = font;
    m_glyphs.clear();
    m_steps.clear();
    QTextLayout layout(QStringLiteral("0"), font);
    const QTextLine line = laidOut(layout);
    m_lineHeight = line.height(); // rounded up to a whole pixel, as drawText centres it
    m_ascent = line.ascent();
}

CachedGlyphs::Glyph& CachedGlyphs::glyph(QChar character)
{
    auto found = m_glyphs.find(character);
    if (found != m_glyphs.end())
        return *found;
    Glyph glyph;
    QTextLayout layout(QString(character), m_font);
    const QList<QGlyphRun> runs = laidOut(layout).glyphRuns();
    if (!runs.isEmpty() && !runs.first().glyphIndexes().isEmpty()) {
        const quint32 index = runs.first().glyphIndexes().first();
        glyph.run = runs.first();
        glyph.run.setGlyphIndexes({index});
        // A pixel of room on each side for the anti-aliased edge, and below for the baseline's fraction.
        glyph.bounds = glyph.run.rawFont().boundingRect(index).toAlignedRect().adjusted(-1, -1, 1, 1);
    }
    return *m_glyphs.insert(character, glyph);
}

qreal CachedGlyphs::step(QChar from, QChar to)
{
    const quint32 pair = quint32(from.unicode()) << 16 | to.unicode();
    auto found = m_steps.constFind(pair);
    if (found != m_steps.cend())
        return *found;
    QTextLayout layout(QString(from) + to, m_font);
    const QList<QGlyphRun> runs = laidOut(layout).glyphRuns();
    qreal distance = 0;
    if (runs.size() == 1 && runs.first().positions().size() == 2)
        distance = runs.first().positions().at(1).x() - runs.first().positions().at(0).x();
    else // in two fonts, or joined into one glyph: the first one's width
        distance = layout.lineAt(0).cursorToX(1);
    return *m_steps.insert(pair, distance);
}

qreal CachedGlyphs::baseline(const QRect& rect) const
{
    return rect.top() + (rect.height() - m_lineHeight) / 2 + m_ascent;
}

template <typename Visit>
void CachedGlyphs::forEach(const QRect& rect, const QString& text, qsizetype first, Visit visit)
{
    const int baseline = static_cast<int>(std::floor(this->baseline(rect)));
    qreal x = rect.left();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i > 0)
            x += step(text[i - 1], text[i]);
        if (i < first)
            continue; // only its width matters, and the steps hold it
        Glyph& glyph = this->glyph(text[i]);
        if (!glyph.run.glyphIndexes().isEmpty())
            visit(glyph, QPoint(static_cast<int>(std::lround(x)), baseline));
    }
}

QRect CachedGlyphs::bounds(const QRect& rect, const QFont& font, const QString& text, qsizetype first)
{
    useFont(font);
    QRect touched;
    forEach(rect, text, first, [&](const Glyph& glyph, QPoint origin) { touched |= glyph.bounds.translated(origin); });
    return touched;
}

void CachedGlyphs::draw(QPainter& painter, const QRect& rect, const QFont& font, const QColor& color,
                        const QString& text)
{
    useFont(font);
    // The baseline falls between pixels as the panel's height changes; the images are drawn at whole
    // pixels, so they carry the fraction.
    const qreal baseline = this->baseline(rect);
    const qreal belowPixel = baseline - std::floor(baseline);
    const qreal pixelRatio = painter.device()->devicePixelRatioF();
    if (color != m_color || pixelRatio != m_pixelRatio || belowPixel != m_belowPixel) {
        for (Glyph& glyph : m_glyphs)
            glyph.image = QImage();
        m_color = color;
        m_pixelRatio = pixelRatio;
        m_belowPixel = belowPixel;
    }
    // A tick exposes a digit or two; the others need not even be clipped away.
    const bool clipped = painter.hasClipping();
    const QRectF exposed = painter.clipBoundingRect();
    forEach(rect, text, 0, [&](Glyph& glyph, QPoint origin) {
        if (clipped && !exposed.intersects(glyph.bounds.translated(origin)))
            return;
        if (glyph.image.isNull()) {
            glyph.image = QImage(glyph.bounds.size() * pixelRatio, QImage::Format_ARGB32_Premultiplied);
            glyph.image.setDevicePixelRatio(pixelRatio);
            glyph.image.fill(Qt::transparent);
            glyph.run.setPositions({QPointF(0, belowPixel) - glyph.bounds.topLeft()});
            QPainter imagePainter(&glyph.image);
            imagePainter.setPen(color);
            imagePainter.drawGlyphRun(QPointF(), glyph.run);
        }
        painter.drawImage(origin + glyph.bounds.topLeft(), glyph.image);
    });
}
