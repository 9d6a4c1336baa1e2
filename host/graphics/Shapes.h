#pragma once
// The shapes the mouse tools of the pixel dialogs draw, as cells of a grid, without widgets.

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

// The cells of a line from `from` to `to`, both included, in order (Bresenham): one cell per step
// along the longer axis, each the nearest to the exact line, neighbours touching at least by a corner.
std::vector<QPoint> LineCells(QPoint from, QPoint to);

// `to` moved onto the nearest of the horizontal, vertical and diagonal lines through `from`: what a
// line drawn with Shift held ends at.
QPoint ConstrainedEnd(QPoint from, QPoint to);

// The outline of the rectangle with corners `a` and `b` (either order), each cell once.
std::vector<QPoint> RectangleCells(QPoint a, QPoint b);

// Sets the cells reachable from `start` through edge neighbours of the same value to `value`, on
// any grid with Width(), Height(), Get(x, y) and Set(x, y, value). Returns the rectangle of changed
// cells, empty when nothing changed (start outside the grid or already of that value).
template <class TGrid>
QRect FloodFill(TGrid& grid, QPoint start, uint64_t value) {
  const int w = grid.Width(), h = grid.Height();
  if (start.x() < 0 || start.y() < 0 || start.x() >= w || start.y() >= h) return {};
  const uint64_t old = grid.Get(start.x(), start.y());
  if (old == value) return {};
  // Scan lines: each run of old cells is filled whole, and the rows above and below are searched
  // for runs to visit once.
  QRect changed;
  std::vector<QPoint> seeds{start};
  while (!seeds.empty()) {
    const QPoint seed = seeds.back();
    seeds.pop_back();
    const int y = seed.y();
    if (grid.Get(seed.x(), y) != old) continue;
    int left = seed.x(), right = seed.x();
    while (left > 0 && grid.Get(left - 1, y) == old) --left;
    while (right + 1 < w && grid.Get(right + 1, y) == old) ++right;
    for (int x = left; x <= right; ++x) grid.Set(x, y, value);
    changed |= QRect(left, y, right - left + 1, 1);
    for (int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool inRun = false;
      for (int x = left; x <= right; ++x) {
        const bool match = grid.Get(x, ny) == old;
        if (match && !inRun) seeds.emplace_back(x, ny);
        inRun = match;
      }
    }
  }
  return changed;
}
