#include "framework/EdgeAnchors.h"

#include <algorithm>

namespace nidora::framework {

namespace {

struct Span {
    int start;
    int length;
};

// One direction: the near edge (left, top) and the far one (right, bottom).
Span follow(Span placed, bool near, bool far, int growth)
{
    if (!far)
        return placed;
    if (!near)
        return { placed.start + growth, placed.length };
    return { placed.start, std::max(0, placed.length + growth) };
}

} // namespace

QRect followEdges(const QRect& placed, Qt::Edges edges, QSize growth)
{
    const Span across = follow({ placed.x(), placed.width() }, edges.testFlag(Qt::LeftEdge),
        edges.testFlag(Qt::RightEdge), growth.width());
    const Span down = follow({ placed.y(), placed.height() }, edges.testFlag(Qt::TopEdge),
        edges.testFlag(Qt::BottomEdge), growth.height());
    return { across.start, down.start, across.length, down.length };
}

} // namespace nidora::framework
