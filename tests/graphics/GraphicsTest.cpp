#include "graphics/Graphics.h"
#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Graphics, NewBitmapsStartEmpty) {
  const std::tuple<const char*, TPixelFormat, QImage::Format, QRgb> cases[] = {
      {"1 bit", PixelFormat1bppIndexed, QImage::Format_Mono, 0xFF000000u},
      {"8 bit", PixelFormat8bppIndexed, QImage::Format_Indexed8, 0xFF000000u},
      {"RGB", PixelFormat32bppRGB, QImage::Format_RGB32, 0xFF000000u},
      {"ARGB", PixelFormat32bppARGB, QImage::Format_ARGB32, 0u},
  };
  for (const auto& [name, format, image, pixel] : cases) {
    SCOPED_TRACE(name);
    const QImage bitmap = CreateBitmap(3, 2, format);
    EXPECT_EQ(bitmap.format(), image);
    EXPECT_EQ(bitmap.pixel(2, 1), pixel);
    EXPECT_THROW(CreateBitmap(0, 2, format), Exception);
  }
}

// Each view against its contract, over every pixel of a bitmap whose rows end inside a byte: what a
// written view leaves in the bitmap, then what a read view shows of it.
TEST(Graphics, LockedViewsReadAndWriteWholeBitmaps) {
  constexpr int w = 19, h = 3;
  // Bytes written through an 8-bit view: of a 1-bit bitmap any that is not 0 sets the bit, of a
  // 32-bit bitmap they are gray levels.
  const auto byte = [](int x, int y) { return (x * 5 + y * 3) % 4 * 85; };
  QImage mono = CreateBitmap(w, h, PixelFormat1bppIndexed), gray = CreateBitmap(w, h, PixelFormat32bppRGB);
  for (QImage* bitmap : {&mono, &gray}) {
    SCOPED_TRACE(bitmap == &mono ? "1-bit" : "32-bit");
    {
      TBitmapData data(*bitmap, ImageLockModeWrite, PixelFormat8bppIndexed);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) data.ScanLine(y)[x] = uchar(byte(x, y));
    }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int level = bitmap == &mono && byte(x, y) ? 255 : byte(x, y);
        ASSERT_EQ(bitmap->pixel(x, y), qRgb(level, level, level)) << x << "," << y;
      }
  }
  // Read, the 1-bit bitmap's view holds its palette indices.
  const QImage written = mono;
  {
    TBitmapData data(mono, ImageLockModeReadWrite, PixelFormat8bppIndexed);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(data.ScanLine(y)[x], mono.pixelIndex(x, y)) << x << "," << y;
  }
  EXPECT_EQ(mono, written) << "read and written back unchanged";
  {
    TBitmapData data(mono, ImageLockModeWrite, PixelFormat8bppIndexed);
    data.Unlock();
    mono.setPixel(0, 0, 1);
  }
  EXPECT_EQ(mono.pixelIndex(0, 0), 1) << "a view unlocked early writes back once, not again when it goes";

  // 32-bit views: an RGB one ignores the top byte; an ARGB view of an ARGB bitmap keeps every alpha.
  const auto word = [](int x, int y) { return QRgb(((x * 97 + y * 31) % 3) * 0x7F) << 24 | QRgb(x * 0x0D0B07 + y); };
  const std::tuple<const char*, TPixelFormat, TPixelFormat> views[] = {
      {"RGB bitmap, RGB view", PixelFormat32bppRGB, PixelFormat32bppRGB},
      {"ARGB bitmap, RGB view", PixelFormat32bppARGB, PixelFormat32bppRGB},
      {"ARGB bitmap, ARGB view", PixelFormat32bppARGB, PixelFormat32bppARGB},
      {"RGB bitmap, ARGB view of opaque words", PixelFormat32bppRGB, PixelFormat32bppARGB},
  };
  for (const auto& [name, format, view] : views) {
    SCOPED_TRACE(name);
    const bool opaque = view == PixelFormat32bppRGB || format == PixelFormat32bppRGB;
    const auto expected = [&](int x, int y) { return opaque ? word(x, y) | 0xFF000000u : word(x, y); };
    QImage bitmap = CreateBitmap(w, h, format);
    {
      TBitmapData data(bitmap, ImageLockModeWrite, view);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          reinterpret_cast<QRgb*>(data.ScanLine(y))[x] = view == PixelFormat32bppARGB && opaque ? expected(x, y) : word(x, y);
    }
    ASSERT_EQ(bitmap.format(), ToImageFormat(format));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) ASSERT_EQ(bitmap.pixel(x, y), expected(x, y)) << x << "," << y;
    TBitmapData data(bitmap, ImageLockModeRead, view);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(reinterpret_cast<const QRgb*>(data.ScanLine(y))[x], expected(x, y)) << x << "," << y;
  }
}

TEST(Graphics, OneHatchBrushAndFilledShapes) {
  EXPECT_EQ(&HatchBrush(), &HatchBrush());
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
