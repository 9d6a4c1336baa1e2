#include "Reduce.h"

#include "graphics/Codecs.h"
#include "runtime/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int kTransparent = -1;  // a level that takes no part: black, no error
// Error diffusion works in 1/256 of a gray level.
constexpr int kOne = 256;
constexpr int kWhite = 255 * kOne;
constexpr int kDecision = 127 * kOne + kOne / 2;
// Room beside a row for the shares that fall off its ends.
constexpr int kPad = 2;

// The level of each pixel of one row (ARGB32 or RGB32 words).
void Levels(const QRgb* src, int width, int bias, int* out) {
  for (int x = 0; x < width; ++x) {
    const QRgb p = src[x];
    const int luma = (299 * int((p >> 16) & 0xFF) + 587 * int((p >> 8) & 0xFF) + 114 * int(p & 0xFF) + 500) / 1000;
    out[x] = (p >> 24) < 128 ? kTransparent : std::clamp(luma + bias, 0, 255);
  }
}

inline void SetWhite(uchar* row, int x) { row[x >> 3] |= uchar(0x80u >> (x & 7)); }

struct TFloydSteinberg {
  static constexpr int kRows = 2;
  static void Spread(int e, int x, int* const* rows) {
    rows[0][x + 1] += e * 7 / 16;
    rows[1][x - 1] += e * 3 / 16;
    rows[1][x] += e * 5 / 16;
    rows[1][x + 1] += e / 16;
  }
};

struct TAtkinson {
  static constexpr int kRows = 3;
  static void Spread(int e, int x, int* const* rows) {
    const int share = e / 8;
    rows[0][x + 1] += share;
    rows[0][x + 2] += share;
    rows[1][x - 1] += share;
    rows[1][x] += share;
    rows[1][x + 1] += share;
    rows[2][x] += share;
  }
};

template <class TKernel>
void Diffuse(const QImage& argb, int bias, QImage& mono) {
  const int width = argb.width();
  std::vector<int> levels(static_cast<size_t>(width));
  // Error rows: the current one and those below it that the kernel reaches.
  std::vector<int> buffers[TKernel::kRows];
  int* rows[TKernel::kRows];
  for (int i = 0; i < TKernel::kRows; ++i) {
    buffers[i].assign(size_t(width + 2 * kPad), 0);
    rows[i] = buffers[i].data() + kPad;
  }
  for (int y = 0; y < argb.height(); ++y) {
    Levels(reinterpret_cast<const QRgb*>(argb.constScanLine(y)), width, bias, levels.data());
    uchar* dst = mono.scanLine(y);
    int* const error = rows[0];
    for (int x = 0; x < width; ++x) {
      const int level = levels[size_t(x)];
      if (level == kTransparent) continue;
      const int value = level * kOne + error[x];
      const bool white = value >= kDecision;
      if (white) SetWhite(dst, x);
      TKernel::Spread(value - (white ? kWhite : 0), x, rows);
    }
    // The row just done becomes the lowest one, empty.
    int* done = rows[0];
    std::fill(done - kPad, done + width + kPad, 0);
    std::rotate(rows, rows + 1, rows + TKernel::kRows);
  }
}

void Ordered(const QImage& argb, int bias, QImage& mono) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const int width = argb.width();
  std::vector<int> levels(static_cast<size_t>(width));
  for (int y = 0; y < argb.height(); ++y) {
    Levels(reinterpret_cast<const QRgb*>(argb.constScanLine(y)), width, bias, levels.data());
    uchar* dst = mono.scanLine(y);
    const int* bayer = kBayer[y & 3];
    for (int x = 0; x < width; ++x)
      if (levels[size_t(x)] >= bayer[x & 3] * 16 + 8) SetWhite(dst, x);  // transparent (-1) never is
  }
}

void Threshold(const QImage& argb, int bias, QImage& mono) {
  const int width = argb.width();
  std::vector<int> levels(static_cast<size_t>(width));
  for (int y = 0; y < argb.height(); ++y) {
    Levels(reinterpret_cast<const QRgb*>(argb.constScanLine(y)), width, bias, levels.data());
    uchar* dst = mono.scanLine(y);
    for (int x = 0; x < width; ++x)
      if (levels[size_t(x)] >= 128) SetWhite(dst, x);
  }
}

}  // namespace

QImage ReduceToMonochrome(const QImage& picture, const TReduceOptions& options) {
  if (options.Threshold < 0 || options.Threshold > 255)
    throw ERangeError(QStringLiteral("The threshold %1 is outside 0 to 255").arg(options.Threshold));
  switch (options.Dithering) {
    case TDithering::None:
    case TDithering::FloydSteinberg:
    case TDithering::Atkinson:
    case TDithering::Ordered4x4: break;
    default: throw ERangeError(QStringLiteral("Unknown dithering %1").arg(int(options.Dithering)));
  }
  if (picture.isNull()) return {};
  // RGB32 words read like ARGB32 ones with alpha 255; every other format is converted once.
  const bool direct = picture.format() == QImage::Format_ARGB32 || picture.format() == QImage::Format_RGB32;
  const QImage argb = direct ? picture : picture.convertToFormat(QImage::Format_ARGB32);
  QImage mono(picture.width(), picture.height(), QImage::Format_Mono);
  if (mono.isNull() || argb.isNull())
    throw EImageError(QStringLiteral("Out of memory for a %1 x %2 bitmap").arg(picture.width()).arg(picture.height()));
  mono.setColorTable({0xFF000000u, 0xFFFFFFFFu});
  mono.fill(0);
  const int bias = 128 - options.Threshold;
  switch (options.Dithering) {
    case TDithering::None: Threshold(argb, bias, mono); break;
    case TDithering::FloydSteinberg: Diffuse<TFloydSteinberg>(argb, bias, mono); break;
    case TDithering::Atkinson: Diffuse<TAtkinson>(argb, bias, mono); break;
    case TDithering::Ordered4x4: Ordered(argb, bias, mono); break;
  }
  return mono;
}
