#include "graphics/Codecs.h"
#include "graphics/Reduce.h"
#include "runtime/Exceptions.h"

#include <QDir>
#include <gtest/gtest.h>
#include <algorithm>

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
    {"white, alpha 128", 0x80FFFFFFu, true},
    {"white, alpha 127", 0x7FFFFFFFu, false},
    {"transparent", 0x00000000u, false},
};

}  // namespace

TEST(Monochrome, ReducesByAlphaThenRoundedLuma) {
  // One case per column, 10 columns so the last byte of a row is partly used, and each case
  // repeated on 3 rows.
  const int n = int(std::size(kCases));
  QImage picture(n, 3, QImage::Format_ARGB32);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < n; ++x) picture.setPixel(x, y, kCases[x].pixel);

  // The default options of the reduction with choices are the same rule.
  for (const QImage& mono : {ReduceToMonochrome(picture), ReduceToMonochrome(picture, TReduceOptions{})}) {
    ASSERT_EQ(mono.format(), QImage::Format_Mono);
    ASSERT_EQ(mono.size(), picture.size());
    ASSERT_EQ(mono.colorTable(), (QList<QRgb>{0xFF000000u, 0xFFFFFFFFu}));
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < n; ++x)
        EXPECT_EQ(mono.pixelIndex(x, y), kCases[x].white ? 1 : 0) << kCases[x].what << " row " << y;
  }
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
    const QImage picture = argb.convertToFormat(c.format);
    for (const QImage& mono : {ReduceToMonochrome(picture), ReduceToMonochrome(picture, TReduceOptions{})}) {
      ASSERT_EQ(mono.format(), QImage::Format_Mono) << c.format;
      for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(mono.pixel(x, 0), x % 2 ? 0xFFFFFFFFu : 0xFF000000u) << c.format << " x " << x;
        EXPECT_EQ(mono.pixel(x, 1), x % 3 ? 0xFF000000u : 0xFFFFFFFFu) << c.format << " x " << x;
      }
    }
  }
  EXPECT_TRUE(ReduceToMonochrome(QImage()).isNull());
}

// ------------------------------------------------------------------- threshold and dithering

namespace {
// A gray ramp from 0 at the left to 255 at the right, 14 rows, then 2 rows of transparent white.
QImage Ramp() {
  QImage image(128, 16, QImage::Format_ARGB32);
  for (int i = 0; i < 128 * 16; ++i) {
    const int g = i % 128 * 255 / 127;
    image.setPixel(i % 128, i / 128, i / 128 < 14 ? qRgb(g, g, g) : qRgba(255, 255, 255, 100));
  }
  return image;
}

// Photo-like: a sky lighter downwards, a soft sun, a shaded hill; integers only, so that the picture
// is the same everywhere.
QImage Photo() {
  QImage image(96, 64, QImage::Format_RGB32);
  for (int i = 0; i < 96 * 64; ++i) {
    const int x = i % 96, y = i / 96, glow = std::max(0, 400 - (x - 68) * (x - 68) - (y - 16) * (y - 16));
    const int hill = 40 + (x - 30) * (x - 30) / 90 - (x > 60 ? (x - 60) / 3 : 0);
    image.setPixel(x, y, y >= hill ? qRgb(30 + x / 6, std::max(40, 170 - (y - hill) * 5), 40)
                                   : qRgb(std::min(255, 60 + y * 3 + glow * 195 / 400),
                                          std::min(255, 110 + y * 2 + glow * 150 / 400), 200 + y / 2 - glow * 120 / 400));
  }
  return image;
}

const std::pair<const char*, TDithering> kModes[] = {{"none", TDithering::None},
                                                     {"floyd-steinberg", TDithering::FloydSteinberg},
                                                     {"atkinson", TDithering::Atkinson},
                                                     {"ordered", TDithering::Ordered4x4}};
}  // namespace

// The golden images in tests/data/reduce were written by this test, once, with
//   VELTO_WRITE_GOLDENS=tests/data/reduce build/bin/graphics_tests --gtest_filter='Reduce.*'
// and checked by hand: viewed enlarged beside the inputs (the ramp goes from all black to all
// white in every mode and, without dithering, turns white at column 64 where the gray reaches 128;
// sky, sun and hill stay recognisable, error diffusion without visible worms, the ordered one in
// the cross-hatch of its matrix; transparent rows black in all), and by counting: in each band of
// 16 columns of the ramp the share of white is within 1/16 of the band's mean gray (1/8 for
// Atkinson, which spreads only six eighths of the error and so pushes lights and darks outwards).
TEST(Reduce, EachDitheringOnARampAndAPhotoAgainstGoldenImages) {
  const QString written = qEnvironmentVariable("VELTO_WRITE_GOLDENS");
  const QString dir = written.isEmpty() ? QStringLiteral(VELTO_TEST_DATA_DIR "/reduce") : written;
  for (const auto& [picture, input] : {std::pair("ramp", Ramp()), std::pair("photo", Photo())}) {
    for (const auto& [mode, dithering] : kModes) {
      const QImage mono = ReduceToMonochrome(input, TReduceOptions{128, dithering});
      ASSERT_EQ(mono.format(), QImage::Format_Mono);
      const QString file = QStringLiteral("%1/%2-%3.png").arg(dir, QLatin1String(picture), QLatin1String(mode));
      if (!written.isEmpty()) {
        ASSERT_TRUE(QDir().mkpath(dir) && mono.save(file)) << file.toStdString();
      }
      const QImage golden(file);
      ASSERT_FALSE(golden.isNull()) << file.toStdString();
      EXPECT_EQ(mono.convertToFormat(QImage::Format_RGB32), golden.convertToFormat(QImage::Format_RGB32))
          << picture << " " << mode;
    }
  }
}

// At 0 every pixel is light (level 255) once its gray reaches 127, at 255 dark (level 0) up to
// gray 127, so that no error can turn it; without dithering 0 makes every opaque pixel white and
// 255 only pure white. Transparent pixels are black throughout.
TEST(Reduce, ThresholdAtItsBoundsInEveryMode) {
  const QImage ramp = Ramp();
  for (const auto& [mode, dithering] : kModes) {
    for (const int threshold : {0, 255}) {
      const QImage mono = ReduceToMonochrome(ramp, TReduceOptions{threshold, dithering});
      for (int i = 0; i < 128 * 16; ++i) {
        const QRgb p = ramp.pixel(i % 128, i / 128);
        const int white = mono.pixelIndex(i % 128, i / 128);
        const int expected = qAlpha(p) < 128                               ? 0
                             : dithering == TDithering::None               ? threshold == 0 || qRed(p) == 255
                             : threshold == 0 && qRed(p) >= 127            ? 1
                             : threshold == 255 && qRed(p) <= 127          ? 0
                                                                           : white;  // left to the dithering
        EXPECT_EQ(white, expected) << mode << " " << threshold << " at " << i;
      }
    }
  }
  // Error diffusion decides as the plain reduction rounds: a level and the error reaching it that
  // make exactly 127.5 turn white. 8 leaves 7/16 of itself, 28 one eighth, to the next pixel.
  const std::tuple<const char*, TDithering, int> halves[] = {{"floyd-steinberg", TDithering::FloydSteinberg, 8},
                                                             {"atkinson", TDithering::Atkinson, 28}};
  for (const auto& [mode, dithering, first] : halves) {
    QImage pair(2, 1, QImage::Format_RGB32);
    pair.setPixel(0, 0, qRgb(first, first, first));
    pair.setPixel(1, 0, qRgb(124, 124, 124));  // 124 + 8 * 7 / 16 = 124 + 28 / 8 = 127.5
    const QImage mono = ReduceToMonochrome(pair, TReduceOptions{128, dithering});
    EXPECT_EQ(mono.pixelIndex(0, 0), 0) << mode;
    EXPECT_EQ(mono.pixelIndex(1, 0), 1) << mode;
  }
  for (const int bad : {-1, 256}) EXPECT_THROW(ReduceToMonochrome(ramp, TReduceOptions{bad, TDithering::None}), ERangeError);
  EXPECT_THROW(ReduceToMonochrome(ramp, TReduceOptions{128, TDithering(9)}), ERangeError);
  EXPECT_TRUE(ReduceToMonochrome(QImage(), TReduceOptions{}).isNull());
}
