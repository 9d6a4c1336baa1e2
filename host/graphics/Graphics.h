#pragma once

#include "runtime/Colors.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <cstdint>

// Pixel formats of bitmaps, with their GDI+ values.
enum TPixelFormat : int32_t {
  PixelFormat1bppIndexed = 0x00030101,
  PixelFormat8bppIndexed = 0x00030803,
  PixelFormat32bppRGB = 0x00022009,
  PixelFormat32bppARGB = 0x0026200A,
};

QImage::Format ToImageFormat(TPixelFormat format);

// A bitmap of the given size and format. Indexed bitmaps get a palette: black and white for 1 bit,
// 256 gray levels for 8 bits. ARGB starts transparent, the others black. Raises Exception when the
// size is not positive or the bitmap cannot be allocated.
QImage CreateBitmap(int width, int height, TPixelFormat format);

enum TImageLockMode { ImageLockModeRead = 1, ImageLockModeWrite = 2, ImageLockModeReadWrite = 3 };

// Scanline access to a whole bitmap in a view format. When the view is the bitmap's own format the
// rows are the bitmap's memory; otherwise they are a converted copy, written back on Unlock in write
// mode (a write-only copy starts zeroed). An 8-bit view of a 1-bit bitmap holds one palette index (0 or 1) per byte; written back, a
// byte that is not 0 sets the bit. A 32bppRGB view ignores the top byte of each sample.
class TBitmapData {
public:
  TBitmapData(QImage& bitmap, TImageLockMode mode, TPixelFormat view);
  ~TBitmapData();
  TBitmapData(const TBitmapData&) = delete;
  TBitmapData& operator=(const TBitmapData&) = delete;

  uchar* Scan0() const { return FScan0; }
  qsizetype Stride() const { return FStride; }
  uchar* ScanLine(int y) const { return FScan0 + y * FStride; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void Unlock();

private:
  QImage* FBitmap;
  QImage FCopy;
  TImageLockMode FMode;
  TPixelFormat FView;
  uchar* FScan0 = nullptr;
  qsizetype FStride = 0;
  int FWidth = 0, FHeight = 0;
  bool FLocked = true;
};

// The transparency pattern: hatch style 52 (solid diamond, a checkerboard set on its corner),
// white on black. One brush for the whole process.
const QBrush& HatchBrush();
QBrush SolidBrush(TAlphaColor color);

// Drawing on a bitmap or a control's canvas, without antialiasing, as GDI+ does by default.
class TGPGraphics {
public:
  explicit TGPGraphics(QPaintDevice* device);
  explicit TGPGraphics(QPainter* painter);  // a canvas already being painted
  QPainter& Painter() { return *FPainter; }

  void FillRectangle(const QBrush& brush, const QRect& rect);
  // Fractional edges: the pixels whose centres lie inside.
  void FillRectangle(const QBrush& brush, const QRectF& rect);
  // Fills the triangle whose corners are a, b and c.
  void FillTriangle(const QBrush& brush, QPoint a, QPoint b, QPoint c);
  void FillEllipse(const QBrush& brush, const QRect& rect);
  // The outline of rect with a pen of the given width, corners included, as GDI+ draws it.
  void DrawRectangle(TAlphaColor color, float width, const QRect& rect);
  void DrawImage(const QImage& image, int x, int y);
  void DrawImage(const QImage& image, int x, int y, int width, int height);

private:
  QPainter FOwn;
  QPainter* FPainter;
};
