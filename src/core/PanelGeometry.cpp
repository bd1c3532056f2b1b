#include "PanelGeometry.h"

#include <algorithm>

namespace PanelGeometry {

Edges edgesAt(const QRect& content, QPoint pos, int border, int grip)
{
    if (!content.contains(pos)) {
        // Outside the visible panel lies only its shadow, which serves as a wider handle for the edges.
        Edges edges;
        if (pos.x() < content.left())
            edges |= Left;
        else if (pos.x() > content.right())
            edges |= Right;
        if (pos.y() < content.top())
            edges |= Top;
        else if (pos.y() > content.bottom())
            edges |= Bottom;
        return edges;
    }
    if (pos.x() > content.right() - grip && pos.y() > content.bottom() - grip)
        return Edges(Right) | Bottom;
    Edges edges;
    if (pos.x() < content.left() + border)
        edges |= Left;
    else if (pos.x() > content.right() - border)
        edges |= Right;
    if (pos.y() < content.top() + border)
        edges |= Top;
    else if (pos.y() > content.bottom() - border)
        edges |= Bottom;
    return edges;
}

QRect resized(const QRect& start, Edges edges, QPoint delta, QSize minimum)
{
    int left = start.left();
    int top = start.top();
    int right = start.left() + start.width();
    int bottom = start.top() + start.height();
    if (edges & Left)
        left = std::min(left + delta.x(), right - minimum.width());
    if (edges & Right)
        right = std::max(right + delta.x(), left + minimum.width());
    if (edges & Top)
        top = std::min(top + delta.y(), bottom - minimum.height());
    if (edges & Bottom)
        bottom = std::max(bottom + delta.y(), top + minimum.height());
    return QRect(left, top, right - left, bottom - top);
}

QPointF centredOrigin(const QRectF& screen, const QSizeF& window)
{
    return screen.center() - QPointF(window.width() * 0.5, window.height() * 0.5);
}

} // namespace PanelGeometry
