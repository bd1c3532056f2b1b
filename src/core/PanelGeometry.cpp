#include "PanelGeometry.h"

#include <QStringList>

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

QString placeText(const Place& place)
{
    const QRect& r = place.rect;
    return QStringLiteral("%1 %2 %3 %4 %5").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).arg(place.screen);
}

std::optional<Place> readPlace(const QString& text)
{
    // Far beyond any arrangement of monitors, and small enough that no sum below overflows.
    constexpr int Far = 1'000'000;
    const QStringList fields = text.split(QLatin1Char(' '));
    if (fields.size() < 5)
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = fields[i].toInt(&ok);
        if (!ok || numbers[i] < -Far || numbers[i] > Far)
            return std::nullopt;
    }
    if (numbers[2] < 1 || numbers[3] < 1)
        return std::nullopt;
    return Place{QRect(numbers[0], numbers[1], numbers[2], numbers[3]), fields.mid(4).join(QLatin1Char(' '))};
}

QRect restoredRect(const Place& saved, const std::vector<NamedScreen>& screens, const QRect& primary)
{
    for (const auto& [name, geometry] : screens) {
        if (name == saved.screen && geometry.contains(saved.rect))
            return saved.rect;
    }
    if (primary.isEmpty())
        return saved.rect;
    const QSize size = saved.rect.size().boundedTo(primary.size());
    const int x = std::clamp(saved.rect.x(), primary.left(), primary.left() + primary.width() - size.width());
    const int y = std::clamp(saved.rect.y(), primary.top(), primary.top() + primary.height() - size.height());
    return QRect(QPoint(x, y), size);
}

} // namespace PanelGeometry
