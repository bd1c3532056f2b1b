#pragma once

#include <QFlags>
#include <QMargins>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

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

// Where the panel was when it last moved: its rectangle in desktop coordinates and the name of the screen
// under it, which outlives a change of arrangement better than an index.
struct Place {
    QRect rect;
    QString screen;
    bool operator==(const Place&) const = default;
};
// "X Y WIDTH HEIGHT SCREEN" in one settings entry; anything else, a rectangle without area or one too
// far out to be any desktop's, reads as no place.
QString placeText(const Place& place);
std::optional<Place> readPlace(const QString& text);

using NamedScreen = std::pair<QString, QRect>;
// Where the panel opens: its saved place while the screen it was on is present and holds it whole;
// otherwise, when the projector is gone or the arrangement changed, moved the least onto the primary
// screen, shrunk to it if need be.
QRect restoredRect(const Place& saved, const std::vector<NamedScreen>& screens, const QRect& primary);

} // namespace PanelGeometry

Q_DECLARE_OPERATORS_FOR_FLAGS(PanelGeometry::Edges)
