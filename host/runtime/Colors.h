#pragma once

#include <QString>
#include <cstdint>

// ARGB colour as the graphics layer stores it: 0xAARRGGBB.
using TAlphaColor = uint32_t;
// Toolkit colour: 0x00BBGGRR, or a system colour (0x80000000 | palette index).
using TColor = uint32_t;
// RGBW with alpha: blue, green, red, white, alpha in bits 0, 8, 16, 24, 32.
using TRGBWAlphaColor = uint64_t;

constexpr TColor clSystemColorFlag = 0x80000000u;
constexpr TColor clHighlight = clSystemColorFlag | 13;
constexpr TColor clBtnFace = clSystemColorFlag | 15;
constexpr TColor clWindow = clSystemColorFlag | 5;
constexpr TColor clWindowText = clSystemColorFlag | 8;
constexpr TColor clHighlightText = clSystemColorFlag | 14;

constexpr uint8_t GetAlpha(TAlphaColor c) { return uint8_t(c >> 24); }
constexpr uint8_t GetRed(TAlphaColor c) { return uint8_t(c >> 16); }
constexpr uint8_t GetGreen(TAlphaColor c) { return uint8_t(c >> 8); }
constexpr uint8_t GetBlue(TAlphaColor c) { return uint8_t(c); }

constexpr TAlphaColor GPMakeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
  return (TAlphaColor(a) << 24) | (TAlphaColor(r) << 16) | (TAlphaColor(g) << 8) | TAlphaColor(b);
}
constexpr TAlphaColor MakeColor(uint8_t a, uint8_t r, uint8_t g, uint8_t b) { return GPMakeColor(a, r, g, b); }
// Opaque ARGB of a toolkit colour; system colours are looked up in the application palette.
TAlphaColor MakeColor(TColor color);
constexpr TAlphaColor GPMakeGrayScaleColor(uint8_t a, uint8_t gray) { return GPMakeColor(a, gray, gray, gray); }
constexpr TAlphaColor MakeARGBColor(uint8_t a, TAlphaColor c) { return (c & 0x00FFFFFFu) | (TAlphaColor(a) << 24); }

constexpr uint8_t GetRGBWAlpha(TRGBWAlphaColor c) { return uint8_t(c >> 32); }
constexpr uint8_t GetRGBWWhite(TRGBWAlphaColor c) { return uint8_t(c >> 24); }
constexpr TRGBWAlphaColor MakeRGBWAlphaColor(uint8_t a, uint8_t w, uint8_t r, uint8_t g, uint8_t b) {
  return (TRGBWAlphaColor(a) << 32) | (TRGBWAlphaColor(w) << 24) | (TRGBWAlphaColor(r) << 16) |
         (TRGBWAlphaColor(g) << 8) | TRGBWAlphaColor(b);
}

// "A:128 R:255 G:0 B:16": every channel named, so no byte order has to be guessed.
QString RGBAColorToString(TAlphaColor c);
// "A:255 W:10 R:255 G:0 B:16"
QString RGBWAlphaColorToString(TRGBWAlphaColor c);
