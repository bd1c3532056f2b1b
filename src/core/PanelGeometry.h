#pragma once

#include <QFlags>
#include <QMargins>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// Where a borderless panel goes when the user drags one of its edges: the arithmetic of a window
// manager's resize, done by the program because some managers refuse to resize the window types that
// keep the panel above a slide show.
namespace PanelGeometry {

enum Edge {
    NoEdge = 0,
    Left = 1,
    Right = 2,
    Top = 4,
    Bottom = 8,
};
Q_DECLARE_FLAGS(Edges, Edge)

// The edges grabbed by a press at pos: inside the visible rectangle content, a band of border pixels
// along each edge and a larger square in the bottom-right corner that serves as the resize grip;
// outside it, the edges the press lies beyond.
Edges edgesAt(const QRect& content, QPoint pos, int border, int grip);

// The rectangle start with the grabbed edges moved by delta; an edge stops where the size would drop
// below minimum, and the opposite edge never moves.
QRect resized(const QRect& start, Edges edges, QPoint delta, QSize minimum);

// Where a window of the given size goes to sit in the middle of a screen, in desktop coordinates: a
// screen to the right of or below the primary one has its own origin. An empty screen puts the
// window's centre at the desktop's origin.
QPointF centredOrigin(const QRectF& screen, const QSizeF& window);

} // namespace PanelGeometry

Q_DECLARE_OPERATORS_FOR_FLAGS(PanelGeometry::Edges)
