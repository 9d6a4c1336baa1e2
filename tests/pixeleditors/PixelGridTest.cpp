#include "pixeleditors/PixelGrid.h"

#include <gtest/gtest.h>

namespace {
// Every pixel distinct, with bits in the upper half so that a lost upper word shows.
TPixelGrid Numbered(int w, int h) {
  TPixelGrid g;
  g.Resize(w, h, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.Set(x, y, (uint64_t(0xAB00 + y) << 40) | (uint64_t(x) << 32) | 0xFF000000u | uint64_t(y * w + x));
  return g;
}
}  // namespace

TEST(PixelGrid, ResizeKeepsOverlapAndFillsGrowth) {
  TPixelGrid g = Numbered(8, 8);
  const TPixelGrid start = g;
  g.Resize(10, 12, 0xFF000000u);
  ASSERT_EQ(g.Width(), 10);
  ASSERT_EQ(g.Height(), 12);
  int filled = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 10; ++x) {
      if (x < 8 && y < 8) EXPECT_EQ(g.Get(x, y), start.Get(x, y));
      else {
        EXPECT_EQ(g.Get(x, y), 0xFF000000u);
        ++filled;
      }
    }
  EXPECT_EQ(filled, 56);
  // Dropped pixels do not come back.
  g.Resize(3, 2, 7);
  g.Resize(8, 8, 7);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_EQ(g.Get(x, y), x < 3 && y < 2 ? start.Get(x, y) : 7u) << x << "," << y;
}

TEST(PixelGrid, ShiftsWrapAroundAndKeepWholeValues) {
  const TPixelGrid start = Numbered(7, 4);
  TPixelGrid g = start;
  g.ShiftLeft();
  EXPECT_EQ(g.Get(0, 2), start.Get(1, 2));
  EXPECT_EQ(g.Get(6, 2), start.Get(0, 2));
  g.ShiftRight();
  EXPECT_EQ(g, start);
  g.ShiftUp();
  EXPECT_EQ(g.Get(3, 0), start.Get(3, 1));
  EXPECT_EQ(g.Get(3, 3), start.Get(3, 0));
  g.ShiftDown();
  EXPECT_EQ(g, start);
  for (int i = 0; i < 7; ++i) g.ShiftLeft();
  EXPECT_EQ(g, start);
  for (int i = 0; i < 4; ++i) g.ShiftDown();
  EXPECT_EQ(g, start);
  g.ShiftRight();
  EXPECT_NE(g, start);

  TPixelGrid narrow = Numbered(1, 5);
  const TPixelGrid narrowStart = narrow;
  narrow.ShiftLeft();
  narrow.ShiftRight();
  EXPECT_EQ(narrow, narrowStart);
}

TEST(PixelGrid, MirrorsExchangeSidesAndKeepSize) {
  const TPixelGrid start = Numbered(5, 3);
  TPixelGrid g = start;
  g.MirrorHorizontal();
  ASSERT_EQ(g.Width(), 5);
  ASSERT_EQ(g.Height(), 3);
  EXPECT_EQ(g.Get(1, 0), start.Get(1, 2));
  g.MirrorHorizontal();
  EXPECT_EQ(g, start);
  g.MirrorVertical();
  EXPECT_EQ(g.Get(0, 1), start.Get(4, 1));
  EXPECT_EQ(g.Get(2, 1), start.Get(2, 1));
  g.MirrorVertical();
  EXPECT_EQ(g, start);
}

TEST(PixelGrid, RotationsTurnCornersAndUndoEachOther) {
  const TPixelGrid start = Numbered(10, 3);
  const TPixelGrid left = start.RotatedLeft();
  ASSERT_EQ(left.Width(), 3);
  ASSERT_EQ(left.Height(), 10);
  EXPECT_EQ(left.Get(0, 0), start.Get(9, 0));  // old top-right is the new top-left
  EXPECT_EQ(left.Get(2, 9), start.Get(0, 2));
  const TPixelGrid right = start.RotatedRight();
  EXPECT_EQ(right.Get(0, 0), start.Get(0, 2));  // old bottom-left is the new top-left
  EXPECT_EQ(left.RotatedRight(), start);
  EXPECT_EQ(right.RotatedLeft(), start);
  EXPECT_EQ(start.RotatedLeft().RotatedLeft().RotatedLeft().RotatedLeft(), start);
  EXPECT_EQ(start.RotatedRight().RotatedRight().RotatedRight().RotatedRight(), start);
  EXPECT_EQ(start.RotatedLeft().RotatedLeft(), start.RotatedRight().RotatedRight());
}

TEST(PixelGrid, InvertFlipsColourBytesKeepsAlphaClearsUpperHalf) {
  TPixelGrid g;
  g.Resize(3, 1, 0);
  g.Set(0, 0, 0xFF000000u);
  g.Set(1, 0, 0x0000001280A0B0C0ull);
  g.Set(2, 0, 0xFFFFFFFFu);
  g.Invert();
  EXPECT_EQ(g.Get(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(g.Get(1, 0), 0x805F4F3Fu);
  EXPECT_EQ(g.Get(2, 0), 0xFF000000u);
  g.Invert();
  EXPECT_EQ(g.Get(1, 0), 0x80A0B0C0u);
}
