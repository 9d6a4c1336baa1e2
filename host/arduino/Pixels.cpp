#include "arduino/Pixels.h"

#include "runtime/Exceptions.h"

#include <QJsonObject>
#include <QtEndian>
#include <algorithm>

namespace {
// Copies the overlapping rectangle of a row-major grid into a grid of the new size.
template <typename T>
void ResizeKeeping(std::vector<T>& pixels, TSize from, TSize to) {
  std::vector<T> resized(size_t(to.cx) * size_t(to.cy), T{});
  const int32_t w = std::min(from.cx, to.cx), h = std::min(from.cy, to.cy);
  for (int32_t y = 0; y < h; ++y)
    std::copy_n(pixels.begin() + ptrdiff_t(y) * from.cx, w, resized.begin() + ptrdiff_t(y) * to.cx);
  pixels = std::move(resized);
}

// Fixed-width little-endian packing, one value per pixel.
template <typename T>
QByteArray EncodeLittleEndian(const std::vector<T>& pixels) {
  if (pixels.empty()) return {};  // no null pointers into the byte-swapping copy
  QByteArray bytes(qsizetype(pixels.size() * sizeof(T)), Qt::Uninitialized);
  qToLittleEndian<T>(pixels.data(), qsizetype(pixels.size()), bytes.data());
  return bytes;
}

template <typename T>
std::vector<T> DecodeLittleEndian(const QByteArray& bytes, size_t count) {
  std::vector<T> pixels(count);
  if (count > 0) qFromLittleEndian<T>(bytes.constData(), qsizetype(count), pixels.data());
  return pixels;
}

[[noreturn]] void BadData(const QObject* target, const QString& why) {
  throw Exception(QStringLiteral("Cannot read the pixels of %1: %2")
                      .arg(QString::fromLatin1(target->metaObject()->className()), why));
}

void CheckByteCount(const QObject* target, const QByteArray& bytes, size_t expected) {
  if (size_t(bytes.size()) != expected)
    BadData(target, QStringLiteral("%1 bytes of pixel data where %2 were expected").arg(bytes.size()).arg(expected));
}

int32_t ReadSide(const QObject* target, const QJsonObject& object, const QString& key) {
  const QJsonValue v = object.value(key);
  const double d = v.toDouble(-1);
  if (!v.isDouble() || d < 0 || d > INT32_MAX || d != double(int64_t(d)))
    BadData(target, QStringLiteral("\"%1\" is not a non-negative whole number").arg(key));
  return int32_t(d);
}
}  // namespace

// --- TArduinoGraphicsElementDrawBitmapBasicPixels ---------------------------------------------

TArduinoGraphicsElementDrawBitmapBasicPixels::TArduinoGraphicsElementDrawBitmapBasicPixels(QObject* parent)
    : TPersistent(parent) {}

void TArduinoGraphicsElementDrawBitmapBasicPixels::SetSize(const TSize& size) {
  if (size.cx < 0 || size.cy < 0 || int64_t(size.cx) * size.cy > MaxPixelCount)
    throw ERangeError(QStringLiteral("Bitmap size %1 x %2 is out of range").arg(size.cx).arg(size.cy));
  if (size == GetSize()) return;
  Resize(size.cx, size.cy);
  FWidth = size.cx;
  FHeight = size.cy;
}

size_t TArduinoGraphicsElementDrawBitmapBasicPixels::IndexOf(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
    throw ERangeError(
        QStringLiteral("Pixel (%1, %2) is outside the %3 x %4 bitmap").arg(x).arg(y).arg(FWidth).arg(FHeight));
  return size_t(y) * size_t(FWidth) + size_t(x);
}

QJsonValue TArduinoGraphicsElementDrawBitmapBasicPixels::WriteCustomData() const {
  return QJsonObject{{QStringLiteral("width"), FWidth},
                     {QStringLiteral("height"), FHeight},
                     {QStringLiteral("pixels"), QString::fromLatin1(Encode().toBase64())}};
}

void TArduinoGraphicsElementDrawBitmapBasicPixels::ReadCustomData(const QJsonValue& data) {
  if (data.isNull() || data.isUndefined()) return;
  if (!data.isObject()) BadData(this, QStringLiteral("the data is not a JSON object"));
  const QJsonObject object = data.toObject();
  const int32_t width = ReadSide(this, object, QStringLiteral("width"));
  const int32_t height = ReadSide(this, object, QStringLiteral("height"));
  if (int64_t(width) * height > MaxPixelCount)
    BadData(this, QStringLiteral("the size %1 x %2 is too large").arg(width).arg(height));
  const QJsonValue pixels = object.value(QStringLiteral("pixels"));
  if (!pixels.isString()) BadData(this, QStringLiteral("\"pixels\" is not a string"));
  const auto decoded =
      QByteArray::fromBase64Encoding(pixels.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded) BadData(this, QStringLiteral("\"pixels\" is not valid base64"));
  Decode(*decoded, size_t(width) * size_t(height));
  FWidth = width;
  FHeight = height;
}

// --- Colour -----------------------------------------------------------------------------------

TArduinoColorGraphicsElementDrawBitmapPixels::TArduinoColorGraphicsElementDrawBitmapPixels(QObject* parent)
    : TArduinoGraphicsElementDrawBitmapBasicPixels(parent) {}

void TArduinoColorGraphicsElementDrawBitmapPixels::Resize(int32_t width, int32_t height) {
  ResizeKeeping(FPixels, GetSize(), {width, height});
}

QByteArray TArduinoColorGraphicsElementDrawBitmapPixels::Encode() const { return EncodeLittleEndian(FPixels); }

void TArduinoColorGraphicsElementDrawBitmapPixels::Decode(const QByteArray& bytes, size_t count) {
  CheckByteCount(this, bytes, count * sizeof(uint32_t));
  FPixels = DecodeLittleEndian<uint32_t>(bytes, count);
}

// --- RGBW -------------------------------------------------------------------------------------

TArduinoRGBWGraphicsElementDrawBitmapPixels::TArduinoRGBWGraphicsElementDrawBitmapPixels(QObject* parent)
    : TArduinoGraphicsElementDrawBitmapBasicPixels(parent) {}

void TArduinoRGBWGraphicsElementDrawBitmapPixels::Resize(int32_t width, int32_t height) {
  ResizeKeeping(FPixels, GetSize(), {width, height});
}

QByteArray TArduinoRGBWGraphicsElementDrawBitmapPixels::Encode() const { return EncodeLittleEndian(FPixels); }

void TArduinoRGBWGraphicsElementDrawBitmapPixels::Decode(const QByteArray& bytes, size_t count) {
  CheckByteCount(this, bytes, count * sizeof(int64_t));
  FPixels = DecodeLittleEndian<int64_t>(bytes, count);
}

// --- Monochrome -------------------------------------------------------------------------------

TArduinoMonochromeGraphicsElementDrawBitmapPixels::TArduinoMonochromeGraphicsElementDrawBitmapPixels(QObject* parent)
    : TArduinoGraphicsElementDrawBitmapBasicPixels(parent) {}

void TArduinoMonochromeGraphicsElementDrawBitmapPixels::Resize(int32_t width, int32_t height) {
  ResizeKeeping(FPixels, GetSize(), {width, height});
}

QByteArray TArduinoMonochromeGraphicsElementDrawBitmapPixels::Encode() const {
  QByteArray bytes(qsizetype((FPixels.size() + 7) / 8), '\0');
  for (size_t i = 0; i < FPixels.size(); ++i)
    if (FPixels[i]) bytes[qsizetype(i / 8)] = char(uint8_t(bytes[qsizetype(i / 8)]) | (1u << (i % 8)));
  return bytes;
}

void TArduinoMonochromeGraphicsElementDrawBitmapPixels::Decode(const QByteArray& bytes, size_t count) {
  CheckByteCount(this, bytes, (count + 7) / 8);
  std::vector<uint8_t> pixels(count);
  for (size_t i = 0; i < count; ++i) pixels[i] = (uint8_t(bytes[qsizetype(i / 8)]) >> (i % 8)) & 1u;
  FPixels = std::move(pixels);
}

// --- Monochrome with transparency -------------------------------------------------------------

TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels::
    TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels(QObject* parent)
    : TArduinoGraphicsElementDrawBitmapBasicPixels(parent) {}

void TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels::SetPixel(
    int32_t x, int32_t y, TArduinoMonochromeGraphicsTransparencyPixelColor value) {
  const size_t index = IndexOf(x, y);
  if (uint8_t(value) > uint8_t(TArduinoMonochromeGraphicsTransparencyPixelColor::tpcWhite))
    throw ERangeError(QStringLiteral("%1 is not a transparency pixel state").arg(uint8_t(value)));
  FPixels[index] = uint8_t(value);
}

void TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels::Resize(int32_t width, int32_t height) {
  ResizeKeeping(FPixels, GetSize(), {width, height});
}

QByteArray TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels::Encode() const {
  return QByteArray(reinterpret_cast<const char*>(FPixels.data()), qsizetype(FPixels.size()));
}

void TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels::Decode(const QByteArray& bytes, size_t count) {
  CheckByteCount(this, bytes, count);
  const auto bad = std::find_if(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) > 3; });
  if (bad != bytes.end())
    BadData(this, QStringLiteral("pixel %1 has the state %2, outside 0 to 3")
                      .arg(bad - bytes.begin())
                      .arg(uint8_t(*bad)));
  FPixels.assign(bytes.begin(), bytes.end());
}
