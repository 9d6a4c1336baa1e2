#include "graphics/Shapes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <set>

namespace {

struct TGrid {
  int w, h;
  std::vector<uint64_t> v;
  TGrid(int width, int height, uint64_t fill = 0) : w(width), h(height), v(size_t(width * height), fill) {}
  int Width() const { return w; }
  int Height() const { return h; }
  uint64_t Get(int x, int y) const { return v[size_t(y * w + x)]; }
  void Set(int x, int y, uint64_t value) { v[size_t(y * w + x)] = value; }
};

// The cells a fill must reach, by a plain breadth-first search.
std::set<std::pair<int, int>> Reachable(const TGrid& g, int x0, int y0) {
  std::set<std::pair<int, int>> seen{{x0, y0}};
  std::deque<std::pair<int, int>> queue{{x0, y0}};
  const uint64_t old = g.Get(x0, y0);
  while (!queue.empty()) {
    const auto [x, y] = queue.front();
    queue.pop_front();
    for (auto [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}})
      if (nx >= 0 && ny >= 0 && nx < g.w && ny < g.h && g.Get(nx, ny) == old && seen.insert({nx, ny}).second)
        queue.push_back({nx, ny});
  }
  return seen;
}

// A wall of 1 winding inwards from the border, leaving a corridor of 0 one cell wide.
TGrid Spiral(int n) {
  TGrid g(n, n, 0);
  int left = 0, top = 0, right = n - 1, bottom = n - 1, x = 0, y = 0;
  g.Set(0, 0, 1);
  while (left <= right && top <= bottom) {
    for (; x < right; ++x) g.Set(x, y, 1);
    for (; y < bottom; ++y) g.Set(x, y, 1);
    for (; x > left; --x) g.Set(x, y, 1);
    top += 2;
    for (; y > top; --y) g.Set(x, y, 1);
    left += 2;
    right -= 2;
    bottom -= 2;
    if (left > right || top > bottom) break;
  }
  g.Set(x, y, 1);
  return g;
}

}  // namespace

TEST(Shapes, LinesAreBresenhamsCells) {
  // Every line between two cells of a 9 x 9 box, against the definition: endpoints included, one
  // cell per step of the longer axis, each within half a cell of the exact line, no gaps.
  for (int x0 = -4; x0 <= 4; ++x0)
    for (int y0 = -4; y0 <= 4; ++y0)
      for (int x1 = -4; x1 <= 4; ++x1)
        for (int y1 = -4; y1 <= 4; ++y1) {
          SCOPED_TRACE(testing::Message() << x0 << "," << y0 << " -> " << x1 << "," << y1);
          const std::vector<QPoint> cells = LineCells({x0, y0}, {x1, y1});
          const int dx = x1 - x0, dy = y1 - y0, steps = std::max(std::abs(dx), std::abs(dy));
          ASSERT_EQ(int(cells.size()), steps + 1);
          ASSERT_EQ(cells.front(), QPoint(x0, y0));
          ASSERT_EQ(cells.back(), QPoint(x1, y1));
          for (int i = 0; i < int(cells.size()); ++i) {
            const QPoint c = cells[size_t(i)];
            if (std::abs(dx) >= std::abs(dy)) {
              ASSERT_EQ(c.x(), x0 + (dx < 0 ? -i : i));
              ASSERT_LE(std::abs(c.y() - (y0 + double(dy) * (c.x() - x0) / (dx == 0 ? 1 : dx))), 0.5);
            } else {
              ASSERT_EQ(c.y(), y0 + (dy < 0 ? -i : i));
              ASSERT_LE(std::abs(c.x() - (x0 + double(dx) * (c.y() - y0) / dy)), 0.5);
            }
          }
        }
}

TEST(Shapes, ConstrainedLinesAndRectangles) {
  // Every end in a box against the angle: within 22.5 degrees of an axis the line follows it, else
  // it is a diagonal as long as the longer side.
  const QPoint from(3, -2);
  for (int dx = -30; dx <= 30; ++dx)
    for (int dy = -30; dy <= 30; ++dy) {
      const double angle = std::atan2(std::abs(dy), std::abs(dx)) * 180 / M_PI;
      const int d = std::max(std::abs(dx), std::abs(dy));
      const QPoint expected = angle < 22.5 ? QPoint(dx, 0) : angle > 67.5 ? QPoint(0, dy) : QPoint(dx < 0 ? -d : d, dy < 0 ? -d : d);
      ASSERT_EQ(ConstrainedEnd(from, from + QPoint(dx, dy)), from + expected) << dx << "," << dy;
    }

  for (auto [a, b] : {std::pair{QPoint(2, 1), QPoint(6, 4)}, {QPoint(6, 4), QPoint(2, 1)}, {QPoint(3, 3), QPoint(3, 3)},
                      {QPoint(1, 2), QPoint(5, 2)}, {QPoint(4, 0), QPoint(4, 3)}}) {
    const std::vector<QPoint> cells = RectangleCells(a, b);
    const QRect r(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())), QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    std::set<std::pair<int, int>> unique;
    for (QPoint c : cells) unique.insert({c.x(), c.y()});
    EXPECT_EQ(unique.size(), cells.size()) << "each cell once";
    for (int y = r.top() - 1; y <= r.bottom() + 1; ++y)
      for (int x = r.left() - 1; x <= r.right() + 1; ++x) {
        const bool edge = r.contains(x, y) && (x == r.left() || x == r.right() || y == r.top() || y == r.bottom());
        EXPECT_EQ(unique.count({x, y}) == 1, edge) << x << "," << y;
      }
  }
}

TEST(Shapes, FloodFillReachesExactlyTheConnectedCells) {
  TGrid checker(9, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) checker.Set(x, y, (x + y) % 2);
  TGrid full(255, 255, 5);
  struct TCase {
    const char* name;
    TGrid grid;
    QPoint start;
  };
  const TCase cases[] = {
      {"checkerboard: one cell only", checker, {4, 3}},
      {"checkerboard corner", checker, {0, 0}},
      {"spiral corridor", Spiral(31), {1, 1}},
      {"spiral wall", Spiral(31), {0, 0}},
      {"full image", full, {100, 200}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TGrid g = c.grid;
    const std::set<std::pair<int, int>> expected = Reachable(g, c.start.x(), c.start.y());
    QRect bounds;
    for (auto [x, y] : expected) bounds |= QRect(x, y, 1, 1);
    EXPECT_EQ(FloodFill(g, c.start, 9), bounds);
    for (int y = 0; y < g.h; ++y)
      for (int x = 0; x < g.w; ++x)
        ASSERT_EQ(g.Get(x, y), expected.count({x, y}) ? 9u : c.grid.Get(x, y)) << x << "," << y;
    EXPECT_TRUE(FloodFill(g, c.start, 9).isEmpty()) << "already that value";
  }
  // The spiral's corridor is one winding path: reaching its end means following every turn.
  TGrid spiral = Spiral(31);
  const auto corridor = Reachable(spiral, 1, 1);
  int zeros = 0;
  for (uint64_t v : spiral.v) zeros += v == 0;
  EXPECT_EQ(int(corridor.size()), zeros) << "one corridor";
  EXPECT_GT(zeros, 31 * 31 / 3);
  EXPECT_TRUE(FloodFill(spiral, {-1, 0}, 9).isEmpty());
  EXPECT_TRUE(FloodFill(spiral, {31, 0}, 9).isEmpty());
}
