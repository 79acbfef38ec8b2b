#pragma once

#include <QRect>
#include <QSize>

namespace nidora::framework {

// Which edges of its window a control follows when the window is resized. Following one of
// left and right keeps the control's distance to that edge; following both keeps both, so the
// control stretches with the window; the same goes for top and bottom. Following neither of a
// pair is following the left (or top) edge: the control stays where it was placed. A control
// inside another (a tab's page) moves by as much as the window grows, so the one holding it
// should stretch with the window too.
//
//   // a list that takes whatever the window gives, and its button kept in the bottom right corner
//   window.anchor(list, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
//   window.anchor(choose, Qt::RightEdge | Qt::BottomEdge);
//
// Where a control placed at `placed` (in its window as described) goes when the window has
// grown by `growth` beyond its described size (shrunk, when negative); a stretched control
// shrinks no smaller than nothing.
QRect followEdges(const QRect& placed, Qt::Edges edges, QSize growth);

} // namespace nidora::framework
