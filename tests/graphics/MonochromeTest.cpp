#include "graphics/Codecs.h"

#include <gtest/gtest.h>

namespace {

struct TReduceCase {
  const char* what;
  QRgb pixel;  // non-premultiplied ARGB
  bool white;
};

// Luma is 0.299 R + 0.587 G + 0.114 B, rounded: 299 R + 587 G + 114 B = 127500 is 127.5 -> 128.
const TReduceCase kCases[] = {
    {"gray 128", 0xFF808080u, true},
    {"gray 127", 0xFF7F7F7Fu, false},
    {"luma 127.499 rounds down", qRgb(2, 209, 37), false},
    {"luma 127.5 rounds up", qRgb(22, 206, 0), true},
    {"red (luma 76)", 0xFFFF0000u, false},
    {"green (luma 150)", 0xFF00FF00u, true},
    {"blue (luma 29)", 0xFF0000FFu, false},
    {"yellow (luma 226)", 0xFFFFFF00u, true},
    {"white, alpha 128", 0x80FFFFFFu, true},
    {"white, alpha 127", 0x7FFFFFFFu, false},
    {"transparent", 0x00000000u, false},
    {"black", 0xFF000000u, false},
    {"white", 0xFFFFFFFFu, true},
};

}  // namespace

TEST(Monochrome, ReducesByAlphaThenRoundedLuma) {
  // One case per column, 13 columns so the last byte of a row is partly used, and each case
  // repeated on 3 rows.
  const int n = int(std::size(kCases));
  QImage picture(n, 3, QImage::Format_ARGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < n; ++x) picture.setPixel(x, y, kCases[x].pixel);

  const QImage mono = ReduceToMonochrome(picture);
  ASSERT_EQ(mono.format(), QImage::Format_Mono);
  ASSERT_EQ(mono.size(), picture.size());
  ASSERT_EQ(mono.colorTable(), (QList<QRgb>{0xFF000000u, 0xFFFFFFFFu}));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < n; ++x)
      EXPECT_EQ(mono.pixelIndex(x, y), kCases[x].white ? 1 : 0) << kCases[x].what << " row " << y;
}

TEST(Monochrome, AcceptsOtherPictureFormats) {
  struct TFormatCase {
    QImage::Format format;
    QRgb dark, light;  // reduce to black and to white
  };
  const TFormatCase cases[] = {
      {QImage::Format_Grayscale8, qRgb(127, 127, 127), qRgb(128, 128, 128)},
      {QImage::Format_RGB32, qRgb(255, 0, 0), qRgb(0, 255, 0)},
      {QImage::Format_ARGB32_Premultiplied, qRgba(255, 255, 255, 100), qRgba(255, 255, 255, 200)},
      {QImage::Format_Mono, qRgb(0, 0, 0), qRgb(255, 255, 255)},
  };
  for (const TFormatCase& c : cases) {
    QImage argb(9, 2, QImage::Format_ARGB32);
    for (int x = 0; x < 9; ++x) {
      argb.setPixel(x, 0, x % 2 ? c.light : c.dark);
      argb.setPixel(x, 1, x % 3 ? c.dark : c.light);
    }
    const QImage mono = ReduceToMonochrome(argb.convertToFormat(c.format));
    ASSERT_EQ(mono.format(), QImage::Format_Mono) << c.format;
    for (int x = 0; x < 9; ++x) {
      EXPECT_EQ(mono.pixel(x, 0), x % 2 ? 0xFFFFFFFFu : 0xFF000000u) << c.format << " x " << x;
      EXPECT_EQ(mono.pixel(x, 1), x % 3 ? 0xFF000000u : 0xFFFFFFFFu) << c.format << " x " << x;
    }
  }
  EXPECT_TRUE(ReduceToMonochrome(QImage()).isNull());
}
