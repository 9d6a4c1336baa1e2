#pragma once

#include <QImage>

// Reductions of a picture to black and white beyond the standard rule of ReduceToMonochrome
// (Codecs.h): a threshold and a choice of dithering, for pictures with grays and gradients.

enum class TDithering { None, FloydSteinberg, Atkinson, Ordered4x4 };

struct TReduceOptions {
  int Threshold = 128;  // 0..255
  TDithering Dithering = TDithering::None;
  friend bool operator==(const TReduceOptions&, const TReduceOptions&) = default;
};

// Format_Mono of the picture's size, palette {0: black 0xFF000000, 1: white 0xFFFFFFFF}.
//
// A pixel whose alpha is below 128 is black and takes no part in dithering. Every other pixel has
// the gray level g = round(0.299 R + 0.587 G + 0.114 B), shifted by the threshold to the level
// v = clamp(g + 128 - Threshold, 0, 255), which is then made black or white:
// - None: white when v >= 128, that is g >= Threshold. The default options are therefore exactly the
//   standard rule of ReduceToMonochrome.
// - FloydSteinberg (7, 3, 5, 1 sixteenths) and Atkinson (six eighths): rows top to bottom, each left
//   to right; white when v plus the error that reached the pixel is at least 127.5, and the pixel's
//   own error is spread to the neighbours not yet visited. Shares are rounded toward zero, so the
//   error never grows: v = 0 always gives black and v = 255 white.
// - Ordered4x4: white when v >= 16 b + 8, b the 4 x 4 Bayer matrix entry (0..15) of the pixel.
// So a lower threshold lightens and a higher one darkens the picture in every mode.
// A threshold outside 0..255 or an unknown dithering raises ERangeError; a null picture gives a
// null image.
QImage ReduceToMonochrome(const QImage& picture, const TReduceOptions& options);
