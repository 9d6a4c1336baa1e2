#include "pixeleditors/PixelGrid.h"

#include <QPoint>
#include <QSize>
#include <gtest/gtest.h>
#include <functional>

namespace {
// Every pixel distinct, with bits in the upper half so that a lost upper word shows.
TPixelGrid Numbered(int w, int h) {
  TPixelGrid g;
  g.Resize(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.Set(x, y, (uint64_t(0xAB00 + y) << 40) | (uint64_t(x) << 32) | 0xFF000000u | uint64_t(y * w + x));
  return g;
}

// Where each result pixel comes from, written from the operations' definitions rather than the
// model's code: (w, h, x, y) of the result -> (x, y) of the source, and the result's size.
struct TMove {
  const char* name;
  std::function<void(TPixelGrid&)> apply;
  std::function<QPoint(int w, int h, int x, int y)> from;
  bool turns;  // the result is h wide and w high
};
}  // namespace

TEST(PixelGrid, EveryMoveAgainstItsDefinitionOnManyShapes) {
  const TMove moves[] = {
      {"left", &TPixelGrid::ShiftLeft, [](int w, int, int x, int y) { return QPoint((x + 1) % w, y); }, false},
      {"right", &TPixelGrid::ShiftRight, [](int w, int, int x, int y) { return QPoint((x + w - 1) % w, y); }, false},
      {"up", &TPixelGrid::ShiftUp, [](int, int h, int x, int y) { return QPoint(x, (y + 1) % h); }, false},
      {"down", &TPixelGrid::ShiftDown, [](int, int h, int x, int y) { return QPoint(x, (y + h - 1) % h); }, false},
      {"mirror h", &TPixelGrid::MirrorHorizontal, [](int, int h, int x, int y) { return QPoint(x, h - 1 - y); }, false},
      {"mirror v", &TPixelGrid::MirrorVertical, [](int w, int, int x, int y) { return QPoint(w - 1 - x, y); }, false},
      // The new pixel (x, y) of a left turn is the old (W - 1 - y, x); of a right turn the old (y, H - 1 - x).
      {"rotate left", [](TPixelGrid& g) { g = g.RotatedLeft(); }, [](int w, int, int x, int y) { return QPoint(w - 1 - y, x); }, true},
      {"rotate right", [](TPixelGrid& g) { g = g.RotatedRight(); }, [](int, int h, int x, int y) { return QPoint(y, h - 1 - x); }, true},
  };
  for (const QSize size : {QSize(1, 1), QSize(1, 5), QSize(7, 1), QSize(7, 4), QSize(10, 3)}) {
    const int w = size.width(), h = size.height();
    const TPixelGrid start = Numbered(w, h);
    for (const TMove& m : moves) {
      TPixelGrid g = start;
      m.apply(g);
      ASSERT_EQ(g.Width(), m.turns ? h : w) << m.name;
      ASSERT_EQ(g.Height(), m.turns ? w : h) << m.name;
      for (int y = 0; y < g.Height(); ++y)
        for (int x = 0; x < g.Width(); ++x) {
          const QPoint p = m.from(w, h, x, y);
          ASSERT_EQ(g.Get(x, y), start.Get(p.x(), p.y())) << m.name << " " << w << "x" << h << " at " << x << "," << y;
        }
    }
  }
}

TEST(PixelGrid, ResizeAndInvert) {
  TPixelGrid g = Numbered(8, 8);
  const TPixelGrid start = g;
  g.Resize(10, 12, 0xFF000000u);
  ASSERT_EQ(g.Width(), 10);
  ASSERT_EQ(g.Height(), 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(g.Get(x, y), x < 8 && y < 8 ? start.Get(x, y) : 0xFF000000u);
  g.Resize(3, 2, 7);  // dropped pixels do not come back
  g.Resize(8, 8, 7);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(g.Get(x, y), x < 3 && y < 2 ? start.Get(x, y) : 7u);

  // Invert: colour bytes flip, alpha stays, the upper half becomes 0.
  TPixelGrid inv;
  inv.Resize(3, 1, 0);
  inv.Set(0, 0, 0xFF000000u);
  inv.Set(1, 0, 0x1234567880102030ull);
  inv.Set(2, 0, 0x00FFFFFFu);
  inv.Invert();
  EXPECT_EQ(inv.Get(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(inv.Get(1, 0), 0x80EFDFCFu);
  EXPECT_EQ(inv.Get(2, 0), 0x00000000u);
}
