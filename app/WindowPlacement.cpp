#include "WindowPlacement.h"

#include <algorithm>

namespace app {

namespace {

// `rect` moved, and shrunk where it must be, so that it lies inside `area`.
QRect clampedInto(QRect rect, const QRect &area)
{
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() - rect.width() + 1));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() - rect.height() + 1));
    return rect;
}

qint64 overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : qint64(common.width()) * common.height();
}

} // namespace

QRect firstPlacement(const QRect &available)
{
    QRect rect(QPoint(0, 0), available.size() * 3 / 4);
    rect.moveCenter(available.center());
    return rect;
}

std::optional<QRect> storedPlacement(int left, int top, int width, int height)
{
    // X11 keeps a window's size in 16 bits.
    constexpr int kLargest = 32767;
    if (width <= 0 || height <= 0 || width > kLargest || height > kLargest)
        return std::nullopt;
    return QRect(left, top, std::max(width, 200), std::max(height, 150));
}

QRect placementOnScreens(const QRect &stored, const QList<QRect> &availableAreas)
{
    if (availableAreas.isEmpty())
        return stored;
    const QRect *best = &availableAreas.first();
    for (const QRect &area : availableAreas) {
        if (area.contains(stored))
            return stored;
        if (overlap(area, stored) > overlap(*best, stored))
            best = &area;
    }
    return clampedInto(stored, *best);
}

QRect newDocumentPlacement(const QSize &area, const std::optional<QRect> &active, int step)
{
    const QRect whole(QPoint(0, 0), area);
    QRect rect(QPoint(0, 0), area * 0.9);
    if (active)
        rect.moveTopLeft(active->topLeft() + QPoint(step, step));
    return whole.contains(rect) ? rect : QRect(QPoint(0, 0), rect.size());
}

QList<QRect> cascadePlacements(const QSize &area, int count, int step)
{
    QList<QRect> placements;
    if (count <= 0)
        return placements;
    step = std::max(step, 1);
    const QSize smallest = area * 2 / 3;
    const QSize size = (area - QSize(step, step) * (count - 1)).expandedTo(smallest);
    // How many steps fit before a window would leave the area.
    const int room = std::min(area.width() - size.width(), area.height() - size.height());
    const int positions = std::max(room / step + 1, 1);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % positions) * step;
        placements << QRect(QPoint(offset, offset), size);
    }
    return placements;
}

} // namespace app
