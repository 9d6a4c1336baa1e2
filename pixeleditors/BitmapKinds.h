#pragma once
// The five kinds of bitmap that the pixel dialogs and the inspector's bitmap editors handle, each
// described once: its clear colour and states, how a pixel value becomes an image sample and back,
// and the sample of the inspector's preview.

#include "package/hostapi/Graphics.h"
#include "package/hostapi/Runtime.h"

#include <cstring>
#include <functional>

// One 32-bit ARGB sample of a locked row.
inline TAlphaColor ReadArgbSample(const uchar* sample) {
  TAlphaColor word;
  std::memcpy(&word, sample, sizeof word);
  return word;
}
inline void WriteArgbSample(TAlphaColor word, uchar* sample) { std::memcpy(sample, &word, sizeof word); }

// How pixel values meet a bitmap: its format and one sample each way. A 1-bit bitmap is read and
// written through an 8-bit view, one byte per pixel; a 32-bit bitmap one word 0xAARRGGBB per pixel.
struct TSampleConversion {
  TPixelFormat Bitmap;
  uint64_t (*ToPixel)(const uchar* sample);
  void (*ToSample)(uint64_t value, uchar* sample);
};

// A bitmap of `format` filled with `toSample` of the value at each place.
QImage SampleBitmap(int width, int height, TPixelFormat format, void (*toSample)(uint64_t value, uchar* sample),
                    const std::function<uint64_t(int x, int y)>& valueAt);
// Calls `take` with the value of each sample of a bitmap of the conversion's format, row by row.
void ReadSamples(QImage& bitmap, const TSampleConversion& conversion, int width, int height,
                 const std::function<void(int x, int y, uint64_t value)>& take);

struct TBitmapKind {
  uint64_t ClearColor;
  TSampleConversion Samples;  // image files and the clipboard, both ways
  TPixelFormat PreviewFormat;  // the inspector's preview of a value
  void (*PreviewSample)(uint64_t value, uchar* sample);
};

namespace BitmapKinds {
// Monochrome: only exactly Off is off.
constexpr uint64_t Off = 0xFF000000u, On = 0xFFFFFFFFu;
// Monochrome with transparency: the component's four states, by ordinal.
constexpr uint32_t Transparent = 0xFF808080u, Split = 0xFFC0C0C0u, Black = 0xFF000000u, White = 0xFFFFFFFFu;
constexpr uint32_t States[] = {Transparent, Split, Black, White};
// The ordinal of a state's value, compared on its low 32 bits; -1 for a value that is none of them.
int StateOrdinal(uint64_t value);
// An RGBW value as ARGB: its alpha on top, the white byte dropped.
constexpr TAlphaColor ArgbOfRGBW(uint64_t value) {
  return TAlphaColor(((value >> 8) & 0xFF000000u) | (value & 0x00FFFFFFu));
}
// The gray level of a colour, as a grayscale bitmap loads it.
uint8_t GrayOf(uint8_t red, uint8_t green, uint8_t blue);

extern const TBitmapKind Monochrome, Transparency, Color, Grayscale, RGBW;
}  // namespace BitmapKinds
