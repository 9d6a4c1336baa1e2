#include "Graphics.h"

#include "runtime/Exceptions.h"

#include <cstring>

QImage::Format ToImageFormat(TPixelFormat format) {
  switch (format) {
    case PixelFormat1bppIndexed: return QImage::Format_Mono;
    case PixelFormat8bppIndexed: return QImage::Format_Indexed8;
    case PixelFormat32bppRGB: return QImage::Format_RGB32;
    case PixelFormat32bppARGB: return QImage::Format_ARGB32;
  }
  throw Exception(QStringLiteral("Unsupported pixel format 0x%1").arg(uint32_t(format), 8, 16, QLatin1Char('0')));
}

QImage CreateBitmap(int width, int height, TPixelFormat format) {
  if (width <= 0 || height <= 0)
    throw Exception(QStringLiteral("Invalid bitmap size %1 x %2").arg(width).arg(height));
  QImage bitmap(width, height, ToImageFormat(format));
  if (bitmap.isNull()) throw Exception(QStringLiteral("Out of memory for a %1 x %2 bitmap").arg(width).arg(height));
  switch (format) {
    case PixelFormat1bppIndexed:
      bitmap.setColorTable({0xFF000000u, 0xFFFFFFFFu});
      bitmap.fill(0);
      break;
    case PixelFormat8bppIndexed: {
      QList<QRgb> grays(256);
      for (int i = 0; i < 256; ++i) grays[i] = qRgb(i, i, i);
      bitmap.setColorTable(grays);
      bitmap.fill(0);
      break;
    }
    case PixelFormat32bppRGB: bitmap.fill(0xFF000000u); break;
    case PixelFormat32bppARGB: bitmap.fill(0u); break;
  }
  return bitmap;
}

TBitmapData::TBitmapData(QImage& bitmap, TImageLockMode mode, TPixelFormat view)
    : FBitmap(&bitmap), FMode(mode), FView(view), FWidth(bitmap.width()), FHeight(bitmap.height()) {
  const QImage::Format viewFormat = ToImageFormat(view);
  if (bitmap.format() == viewFormat) {
    FScan0 = bitmap.bits();  // detaches a shared bitmap, so the caller's copy is the one written
    FStride = bitmap.bytesPerLine();
    return;
  }
  if (bitmap.format() == QImage::Format_Mono && view == PixelFormat8bppIndexed) {
    FCopy = QImage(FWidth, FHeight, QImage::Format_Indexed8);
    if (mode & ImageLockModeRead)
      for (int y = 0; y < FHeight; ++y) {
        const uchar* src = bitmap.constScanLine(y);
        uchar* dst = FCopy.scanLine(y);
        for (int x = 0; x < FWidth; ++x) dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
      }
  } else {
    FCopy = (mode & ImageLockModeRead) ? bitmap.convertToFormat(viewFormat) : QImage(FWidth, FHeight, viewFormat);
  }
  if (FCopy.isNull()) throw Exception(QStringLiteral("Cannot lock the bitmap in the requested format"));
  if (!(mode & ImageLockModeRead)) FCopy.fill(0);  // a write-only view starts zeroed, not with garbage
  FScan0 = FCopy.bits();
  FStride = FCopy.bytesPerLine();
}

TBitmapData::~TBitmapData() {
  if (FLocked) Unlock();
}

void TBitmapData::Unlock() {
  if (!FLocked) return;
  FLocked = false;
  if (!(FMode & ImageLockModeWrite)) return;
  if (FView == PixelFormat32bppRGB) {
    // Qt expects 0xFF in the ignored byte.
    for (int y = 0; y < FHeight; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(FScan0 + y * FStride);
      for (int x = 0; x < FWidth; ++x) row[x] |= 0xFF000000u;
    }
  }
  if (FCopy.isNull()) return;
  if (FBitmap->format() == QImage::Format_Mono && FView == PixelFormat8bppIndexed) {
    for (int y = 0; y < FHeight; ++y) {
      const uchar* src = FCopy.constScanLine(y);
      uchar* dst = FBitmap->scanLine(y);
      std::memset(dst, 0, size_t(FBitmap->bytesPerLine()));
      for (int x = 0; x < FWidth; ++x)
        if (src[x]) dst[x >> 3] |= uchar(0x80 >> (x & 7));
    }
  } else {
    if (FView == PixelFormat8bppIndexed) {
      QList<QRgb> grays(256);
      for (int i = 0; i < 256; ++i) grays[i] = qRgb(i, i, i);
      FCopy.setColorTable(grays);
    }
    *FBitmap = FCopy.convertToFormat(FBitmap->format(), FBitmap->colorTable());
  }
}

namespace {
QImage MakeHatchTile() {
  // 8 x 8 tile of a checkerboard set on its corner: one white diamond of 32 pixels on 32 black.
  // Pixels on the diamond's ideal edge are shared out as a pinwheel, so that tiled diamonds of
  // either colour meet their neighbours only corner to corner.
  static const uchar rows[8] = {0x08, 0x1C, 0x7C, 0xFE, 0x7F, 0x3E, 0x38, 0x10};
  QImage tile(8, 8, QImage::Format_ARGB32);
  for (int y = 0; y < 8; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(tile.scanLine(y));
    for (int x = 0; x < 8; ++x) row[x] = (rows[y] >> (7 - x)) & 1 ? 0xFFFFFFFFu : 0xFF000000u;
  }
  return tile;
}
}  // namespace

const QBrush& HatchBrush() {
  static const QBrush brush(MakeHatchTile());
  return brush;
}

QBrush SolidBrush(TAlphaColor color) { return QBrush(QColor::fromRgba(color)); }

TGPGraphics::TGPGraphics(QPaintDevice* device) : FOwn(device), FPainter(&FOwn) {}
TGPGraphics::TGPGraphics(QPainter* painter) : FPainter(painter) {}

void TGPGraphics::FillRectangle(const QBrush& brush, const QRect& rect) { FPainter->fillRect(rect, brush); }

void TGPGraphics::FillRectangle(const QBrush& brush, const QRectF& rect) { FPainter->fillRect(rect, brush); }

void TGPGraphics::FillTriangle(const QBrush& brush, QPoint a, QPoint b, QPoint c) {
  const QPoint points[3] = {a, b, c};
  FPainter->setPen(Qt::NoPen);
  FPainter->setBrush(brush);
  FPainter->drawPolygon(points, 3);
}

void TGPGraphics::FillEllipse(const QBrush& brush, const QRect& rect) {
  FPainter->setPen(Qt::NoPen);
  FPainter->setBrush(brush);
  FPainter->drawEllipse(QRectF(rect));
}

void TGPGraphics::DrawRectangle(TAlphaColor color, float width, const QRect& rect) {
  FPainter->setPen(QPen(QColor::fromRgba(color), qreal(width)));
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawRect(rect);
}

void TGPGraphics::DrawImage(const QImage& image, int x, int y) { FPainter->drawImage(QPoint(x, y), image); }

void TGPGraphics::DrawImage(const QImage& image, int x, int y, int width, int height) {
  FPainter->drawImage(QRect(x, y, width, height), image);
}
