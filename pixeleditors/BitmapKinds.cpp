#include "BitmapKinds.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {
TPixelFormat ViewOf(TPixelFormat bitmap) { return bitmap == PixelFormat1bppIndexed ? PixelFormat8bppIndexed : bitmap; }
int SampleBytes(TPixelFormat view) { return view == PixelFormat8bppIndexed ? 1 : 4; }

// Palette index 0 is black, 1 white.
void MonochromeSample(uint64_t value, uchar* sample) { *sample = value == BitmapKinds::Off ? 0 : 255; }
void ArgbSample(uint64_t value, uchar* sample) { WriteArgbSample(TAlphaColor(value), sample); }
void RGBWSample(uint64_t value, uchar* sample) { WriteArgbSample(BitmapKinds::ArgbOfRGBW(value), sample); }
}  // namespace

QImage SampleBitmap(int width, int height, TPixelFormat format, void (*toSample)(uint64_t, uchar*),
                    const std::function<uint64_t(int, int)>& valueAt) {
  QImage bitmap = CreateBitmap(width, height, format);
  const TPixelFormat view = ViewOf(format);
  const int bytes = SampleBytes(view);
  TBitmapData data(bitmap, ImageLockModeWrite, view);
  for (int y = 0; y < height; ++y) {
    uchar* row = data.ScanLine(y);
    for (int x = 0; x < width; ++x) toSample(valueAt(x, y), row + x * bytes);
  }
  return bitmap;
}

void ReadSamples(QImage& bitmap, const TSampleConversion& conversion, int width, int height,
                 const std::function<void(int, int, uint64_t)>& take) {
  const TPixelFormat view = ViewOf(conversion.Bitmap);
  const int bytes = SampleBytes(view);
  TBitmapData data(bitmap, ImageLockModeRead, view);
  for (int y = 0; y < height; ++y) {
    const uchar* row = data.ScanLine(y);
    for (int x = 0; x < width; ++x) take(x, y, conversion.ToPixel(row + x * bytes));
  }
}

namespace BitmapKinds {
int StateOrdinal(uint64_t value) {
  const auto it = std::find(std::begin(States), std::end(States), uint32_t(value));
  return it == std::end(States) ? -1 : int(it - std::begin(States));
}

uint8_t GrayOf(uint8_t red, uint8_t green, uint8_t blue) {
  // Extended precision, red term first, halves to even: near a half, double arithmetic rounds some
  // colours the other way (0, 36, 12 gives 22 instead of 23).
  const long double gray = 0.2989L * red + 0.587L * green + 0.114L * blue;
  return uint8_t(std::nearbyintl(gray));
}

const TBitmapKind Monochrome{
    Black,
    {PixelFormat1bppIndexed, [](const uchar* sample) { return *sample != 0 ? On : Off; }, MonochromeSample},
    PixelFormat1bppIndexed,
    MonochromeSample,
};

// Loaded pictures hold black and white only; only white is saved white. The preview shows each
// state's own colour.
const TBitmapKind Transparency{
    Transparent,
    {PixelFormat1bppIndexed, [](const uchar* sample) -> uint64_t { return *sample != 0 ? White : Black; },
     [](uint64_t value, uchar* sample) { *sample = value == White ? 255 : 0; }},
    PixelFormat32bppRGB,
    ArgbSample,
};

// Samples are the ARGB words themselves; the upper half of a pixel is always zero here.
const TBitmapKind Color{
    Black,
    {PixelFormat32bppARGB, [](const uchar* sample) { return uint64_t(ReadArgbSample(sample)); }, ArgbSample},
    PixelFormat32bppARGB,
    ArgbSample,
};

const TBitmapKind Grayscale{
    Black,
    {PixelFormat32bppARGB,
     [](const uchar* sample) -> uint64_t {
       const TAlphaColor c = ReadArgbSample(sample);
       return GPMakeGrayScaleColor(GetAlpha(c), GrayOf(GetRed(c), GetGreen(c), GetBlue(c)));
     },
     ArgbSample},
    PixelFormat32bppARGB,
    ArgbSample,
};

// Image files carry no white: it is dropped on save and zero after a load.
const TBitmapKind RGBW{
    uint64_t(0xFF) << 32,
    {PixelFormat32bppARGB,
     [](const uchar* sample) -> uint64_t {
       const TAlphaColor c = ReadArgbSample(sample);
       return MakeRGBWAlphaColor(GetAlpha(c), 0, GetRed(c), GetGreen(c), GetBlue(c));
     },
     RGBWSample},
    PixelFormat32bppARGB,
    RGBWSample,
};
}  // namespace BitmapKinds
