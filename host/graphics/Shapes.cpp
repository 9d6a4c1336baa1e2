#include "Shapes.h"

#include <algorithm>
#include <cstdlib>

std::vector<QPoint> LineCells(QPoint from, QPoint to) {
  const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
  const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
  std::vector<QPoint> cells;
  cells.reserve(size_t(std::max(dx, -dy)) + 1);
  int err = dx + dy, x = from.x(), y = from.y();
  for (;;) {
    cells.emplace_back(x, y);
    if (x == to.x() && y == to.y()) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  return cells;
}

QPoint ConstrainedEnd(QPoint from, QPoint to) {
  const int dx = to.x() - from.x(), dy = to.y() - from.y(), ax = std::abs(dx), ay = std::abs(dy);
  // Within half of 45 degrees of an axis the line follows the axis (tan 22.5 < 5/12).
  if (ay * 12 < ax * 5) return {to.x(), from.y()};
  if (ax * 12 < ay * 5) return {from.x(), to.y()};
  const int d = std::max(ax, ay);
  return {from.x() + (dx < 0 ? -d : d), from.y() + (dy < 0 ? -d : d)};
}

std::vector<QPoint> RectangleCells(QPoint a, QPoint b) {
  const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
  const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
  std::vector<QPoint> cells;
  for (int x = left; x <= right; ++x) {
    cells.emplace_back(x, top);
    if (bottom != top) cells.emplace_back(x, bottom);
  }
  for (int y = top + 1; y < bottom; ++y) {
    cells.emplace_back(left, y);
    if (right != left) cells.emplace_back(right, y);
  }
  return cells;
}

