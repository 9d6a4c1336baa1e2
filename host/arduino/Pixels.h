#pragma once

#include "runtime/Classes.h"
#include "runtime/Size.h"

#include <QByteArray>
#include <cstdint>
#include <vector>

// Pixel storage of the display components' draw-bitmap elements. Pixels are counted from (0, 0)
// at the top left, row by row. Streamed with the design document as
//   {"width": W, "height": H, "pixels": "<base64>"}
// where the bytes are the class's own packing (see each class).
class TArduinoGraphicsElementDrawBitmapBasicPixels : public TPersistent {
  Q_OBJECT
public:
  // Large enough for any display, small enough that a corrupt document cannot exhaust memory.
  static constexpr int64_t MaxPixelCount = int64_t(1) << 24;

  TSize GetSize() const { return {FWidth, FHeight}; }
  // Keeps the pixels where old and new size overlap; new pixels get the class's default value.
  // Raises ERangeError for a negative side or more than MaxPixelCount pixels.
  void SetSize(const TSize& size);
  void SetSize(int32_t width, int32_t height) { SetSize(TSize{width, height}); }

  QJsonValue WriteCustomData() const override;
  // Raises Exception on malformed data and leaves the pixels as they were.
  void ReadCustomData(const QJsonValue& data) override;

protected:
  explicit TArduinoGraphicsElementDrawBitmapBasicPixels(QObject* parent);

  // Index of (x, y) in row-major storage; raises ERangeError outside the bitmap.
  size_t IndexOf(int32_t x, int32_t y) const;

  virtual void Resize(int32_t width, int32_t height) = 0;
  virtual QByteArray Encode() const = 0;
  // Replaces the storage with count pixels decoded from bytes, or raises without touching it.
  virtual void Decode(const QByteArray& bytes, size_t count) = 0;

private:
  int32_t FWidth = 0;
  int32_t FHeight = 0;
};

// ARGB 0xAARRGGBB; stored as 4 little-endian bytes per pixel.
class TArduinoColorGraphicsElementDrawBitmapPixels : public TArduinoGraphicsElementDrawBitmapBasicPixels {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoColorGraphicsElementDrawBitmapPixels(QObject* parent = nullptr);
  uint32_t GetPixel(int32_t x, int32_t y) const { return FPixels[IndexOf(x, y)]; }
  void SetPixel(int32_t x, int32_t y, uint32_t value) { FPixels[IndexOf(x, y)] = value; }

protected:
  void Resize(int32_t width, int32_t height) override;
  QByteArray Encode() const override;
  void Decode(const QByteArray& bytes, size_t count) override;

private:
  std::vector<uint32_t> FPixels;
};

// RGBW with alpha: blue, green, red, white, alpha from bit 0 upwards; stored as 8 little-endian bytes.
class TArduinoRGBWGraphicsElementDrawBitmapPixels : public TArduinoGraphicsElementDrawBitmapBasicPixels {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoRGBWGraphicsElementDrawBitmapPixels(QObject* parent = nullptr);
  int64_t GetPixel(int32_t x, int32_t y) const { return FPixels[IndexOf(x, y)]; }
  void SetPixel(int32_t x, int32_t y, int64_t value) { FPixels[IndexOf(x, y)] = value; }

protected:
  void Resize(int32_t width, int32_t height) override;
  QByteArray Encode() const override;
  void Decode(const QByteArray& bytes, size_t count) override;

private:
  std::vector<int64_t> FPixels;
};

// On or off; stored as one bit per pixel, eight pixels a byte, the first pixel in the lowest bit.
class TArduinoMonochromeGraphicsElementDrawBitmapPixels : public TArduinoGraphicsElementDrawBitmapBasicPixels {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMonochromeGraphicsElementDrawBitmapPixels(QObject* parent = nullptr);
  bool GetPixel(int32_t x, int32_t y) const { return FPixels[IndexOf(x, y)] != 0; }
  void SetPixel(int32_t x, int32_t y, bool value) { FPixels[IndexOf(x, y)] = value; }

protected:
  void Resize(int32_t width, int32_t height) override;
  QByteArray Encode() const override;
  void Decode(const QByteArray& bytes, size_t count) override;

private:
  std::vector<uint8_t> FPixels;  // 0 or 1; bytes rather than vector<bool> for plain indexing
};

// The four states of a monochrome display pixel when drawing over what is already shown.
enum class TArduinoMonochromeGraphicsTransparencyPixelColor : uint8_t {
  tpcTransparent = 0,  // leaves the display pixel as it is
  tpcInvert = 1,       // flips the display pixel
  tpcBlack = 2,
  tpcWhite = 3,
};

// One byte per pixel holding the state's ordinal.
class TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels
    : public TArduinoGraphicsElementDrawBitmapBasicPixels {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels(QObject* parent = nullptr);
  TArduinoMonochromeGraphicsTransparencyPixelColor GetPixel(int32_t x, int32_t y) const {
    return TArduinoMonochromeGraphicsTransparencyPixelColor(FPixels[IndexOf(x, y)]);
  }
  // Raises ERangeError for a value outside the four states.
  void SetPixel(int32_t x, int32_t y, TArduinoMonochromeGraphicsTransparencyPixelColor value);

protected:
  void Resize(int32_t width, int32_t height) override;
  QByteArray Encode() const override;
  void Decode(const QByteArray& bytes, size_t count) override;

private:
  std::vector<uint8_t> FPixels;
};
