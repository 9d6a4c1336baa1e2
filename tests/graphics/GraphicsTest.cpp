#include "graphics/Graphics.h"
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Graphics, BitmapFormatsAndLockedViews) {
  EXPECT_EQ(CreateBitmap(3, 2, PixelFormat32bppARGB).format(), QImage::Format_ARGB32);
  EXPECT_EQ(CreateBitmap(3, 2, PixelFormat32bppRGB).format(), QImage::Format_RGB32);
  EXPECT_EQ(CreateBitmap(3, 2, PixelFormat8bppIndexed).format(), QImage::Format_Indexed8);
  EXPECT_THROW(CreateBitmap(0, 2, PixelFormat32bppRGB), Exception);

  // A 1-bit bitmap written and read through its 8-bit view.
  QImage mono = CreateBitmap(11, 2, PixelFormat1bppIndexed);
  ASSERT_EQ(mono.format(), QImage::Format_Mono);
  {
    TBitmapData data(mono, ImageLockModeWrite, PixelFormat8bppIndexed);
    for (int x = 0; x < 11; ++x) data.ScanLine(1)[x] = x % 3 == 0 ? 255 : 0;
  }
  EXPECT_EQ(mono.pixel(0, 1), 0xFFFFFFFFu);
  EXPECT_EQ(mono.pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(mono.pixel(9, 1), 0xFFFFFFFFu);
  EXPECT_EQ(mono.pixel(9, 0), 0xFF000000u);
  {
    TBitmapData data(mono, ImageLockModeRead, PixelFormat8bppIndexed);
    EXPECT_EQ(data.ScanLine(1)[3], 1);
    EXPECT_EQ(data.ScanLine(1)[4], 0);
  }

  // RGB samples: the top byte is ignored.
  QImage rgb = CreateBitmap(2, 1, PixelFormat32bppRGB);
  {
    TBitmapData data(rgb, ImageLockModeWrite, PixelFormat32bppRGB);
    reinterpret_cast<uint32_t*>(data.Scan0())[1] = 0x00123456u;
  }
  EXPECT_EQ(rgb.pixel(1, 0), 0xFF123456u);

  // ARGB view of an RGB bitmap converts on the way in and out.
  {
    TBitmapData data(rgb, ImageLockModeReadWrite, PixelFormat32bppARGB);
    auto* row = reinterpret_cast<uint32_t*>(data.Scan0());
    EXPECT_EQ(row[1], 0xFF123456u);
    row[0] = 0xFF00FF00u;
  }
  EXPECT_EQ(rgb.pixel(0, 0), 0xFF00FF00u);
}

TEST(Graphics, OneHatchBrushAndAliasedShapes) {
  EXPECT_EQ(&HatchBrush(), &HatchBrush());
  QImage cell = CreateBitmap(16, 16, PixelFormat32bppARGB);
  {
    TGPGraphics g(&cell);
    g.FillRectangle(HatchBrush(), cell.rect());
  }
  int white = 0, black = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const QRgb c = cell.pixel(x, y);
      if (c == 0xFFFFFFFFu) ++white;
      else if (c == 0xFF000000u) ++black;
    }
  EXPECT_EQ(white + black, 256) << "only the two pattern colours";
  EXPECT_NEAR(white, 128, 40);
  EXPECT_EQ(cell.pixel(0, 0), 0xFF000000u);  // corners of the tile are background
  EXPECT_EQ(cell.pixel(3, 3), 0xFFFFFFFFu);  // centre of the diamond
  EXPECT_EQ(cell.pixel(8, 0), 0xFF000000u);  // the pattern repeats every 8 pixels

  QImage shapes = CreateBitmap(10, 10, PixelFormat32bppARGB);
  {
    TGPGraphics g(&shapes);
    g.FillTriangle(SolidBrush(0xFFFF0000u), {10, 0}, {10, 10}, {0, 10});
    g.FillEllipse(SolidBrush(0xFF0000FFu), QRect(0, 0, 4, 4));
  }
  EXPECT_EQ(shapes.pixel(9, 8), 0xFFFF0000u);
  EXPECT_EQ(shapes.pixel(1, 7), 0u);  // upper-left half stays untouched
  EXPECT_EQ(shapes.pixel(2, 2), 0xFF0000FFu);
  EXPECT_EQ(shapes.pixel(0, 0), 0u);  // outside the ellipse
}

namespace {

// Sizes of the 4-connected regions of one colour on a 16 x 16 torus (two tiles each way).
std::vector<int> RegionSizes(const QImage& cell, QRgb colour) {
  const int n = cell.width();
  std::vector<int> region(size_t(n * n), -1), sizes;
  for (int start = 0; start < n * n; ++start) {
    if (region[size_t(start)] >= 0 || cell.pixel(start % n, start / n) != colour) continue;
    const int id = int(sizes.size());
    sizes.push_back(0);
    std::vector<int> stack{start};
    region[size_t(start)] = id;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      ++sizes[size_t(id)];
      const int x = at % n, y = at / n;
      const int next[4] = {(x + 1) % n + y * n, (x + n - 1) % n + y * n, x + (y + 1) % n * n, x + (y + n - 1) % n * n};
      for (int p : next)
        if (region[size_t(p)] < 0 && cell.pixel(p % n, p / n) == colour) {
          region[size_t(p)] = id;
          stack.push_back(p);
        }
    }
  }
  return sizes;
}

}  // namespace

TEST(Graphics, HatchIsACheckerboardOnItsCorner) {
  QImage cell = CreateBitmap(16, 16, PixelFormat32bppARGB);
  {
    TGPGraphics g(&cell);
    g.FillRectangle(HatchBrush(), cell.rect());
  }
  // Four tiles: each white and each black diamond is its own region of 32 pixels, so diamonds of
  // one colour touch only at their corners (a 4-neighbour would join two into one region).
  const std::vector<int> four{32, 32, 32, 32};
  EXPECT_EQ(RegionSizes(cell, 0xFFFFFFFFu), four);
  EXPECT_EQ(RegionSizes(cell, 0xFF000000u), four);
  // Corner to corner: the diamond's right tip and the next tile's left tip are diagonal neighbours.
  EXPECT_EQ(cell.pixel(6, 3), 0xFFFFFFFFu);
  EXPECT_EQ(cell.pixel(7, 4), 0xFFFFFFFFu);
  EXPECT_EQ(cell.pixel(7, 3), 0xFF000000u);
  EXPECT_EQ(cell.pixel(8, 3), 0xFFFFFFFFu);
}
