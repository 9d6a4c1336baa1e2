// GIF writing with giflib: Qt has no GIF writer.

#include "CodecsInternal.h"

#include <QHash>
#include <QList>

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

int WriteToArray(GifFileType* gif, const GifByteType* bytes, int length) {
  static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
  return length;
}

struct TMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// Pixels with alpha below 128 are the transparent colour.
bool IsTransparent(QRgb pixel) { return qAlpha(pixel) < 128; }

}  // namespace

QByteArray EncodeGif(const QImage& source, QString* reason) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int width = image.width(), height = image.height();
  if (image.isNull() || width > 65535 || height > 65535) {
    *reason = QStringLiteral("GIF cannot hold an image of %1 x %2 pixels").arg(width).arg(height);
    return {};
  }

  // Exact palette when the picture has few enough colours; otherwise Qt's dithered colour cube.
  QList<QRgb> palette;
  QHash<QRgb, int> indexOf;
  bool transparent = false;
  for (int y = 0; y < height && !transparent; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width && !transparent; ++x) transparent = IsTransparent(row[x]);
  }
  const int limit = transparent ? 255 : 256;
  bool exact = true;
  for (int y = 0; y < height && exact; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < width && exact; ++x) {
      const QRgb opaque = row[x] | 0xFF000000u;
      if (IsTransparent(row[x]) || indexOf.contains(opaque)) continue;
      exact = palette.size() < limit;
      indexOf.insert(opaque, int(palette.size()));
      palette.append(opaque);
    }
  }
  QImage quantized;
  int transparentIndex = transparent ? int(palette.size()) : NO_TRANSPARENT_COLOR;
  if (!exact) {
    quantized = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    palette = quantized.colorTable();
    if (quantized.isNull() || palette.isEmpty()) {
      *reason = QStringLiteral("the colours could not be reduced to a GIF palette");
      return {};
    }
    transparentIndex = transparent ? int(palette.size()) : NO_TRANSPARENT_COLOR;
    if (transparent && palette.size() >= 256) {
      // No free entry: the least used colour gives up its pixels to its nearest neighbour and
      // becomes the transparent one.
      std::vector<qint64> uses(size_t(palette.size()), 0);
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) ++uses[quantized.constScanLine(y)[x]];
      const int freed = int(std::min_element(uses.begin(), uses.end()) - uses.begin());
      int nearest = freed == 0 ? 1 : 0;
      const auto distance = [&](int i) {
        const QRgb a = palette[i], b = palette[freed];
        return (qRed(a) - qRed(b)) * (qRed(a) - qRed(b)) + (qGreen(a) - qGreen(b)) * (qGreen(a) - qGreen(b)) +
               (qBlue(a) - qBlue(b)) * (qBlue(a) - qBlue(b));
      };
      for (int i = 0; i < palette.size(); ++i)
        if (i != freed && distance(i) < distance(nearest)) nearest = i;
      for (int y = 0; y < height; ++y) {
        uchar* row = quantized.scanLine(y);
        for (int x = 0; x < width; ++x)
          if (row[x] == freed) row[x] = uchar(nearest);
      }
      palette[freed] = 0xFF000000u;
      transparentIndex = freed;
    }
  }
  const int used = int(palette.size()) + (transparent && transparentIndex == int(palette.size()) ? 1 : 0);

  // giflib wants a power-of-two table of at least two entries.
  const int tableSize = 1 << GifBitSize(std::max(2, used));
  std::vector<GifColorType> colours(size_t(tableSize), GifColorType{0, 0, 0});
  for (int i = 0; i < palette.size(); ++i)
    colours[size_t(i)] = GifColorType{GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                                      GifByteType(qBlue(palette[i]))};
  const std::unique_ptr<ColorMapObject, TMapDeleter> map(GifMakeMapObject(tableSize, colours.data()));

  QByteArray data;
  int error = 0;
  GifFileType* gif = EGifOpen(&data, &WriteToArray, &error);
  const auto fail = [&](int code) {
    *reason = QStringLiteral("GIF encoding failed: %1").arg(QString::fromLatin1(GifErrorString(code)));
    return QByteArray();
  };
  if (!gif || !map) return fail(gif ? E_GIF_ERR_NOT_ENOUGH_MEM : error);
  EGifSetGifVersion(gif, true);
  bool ok = EGifPutScreenDesc(gif, width, height, GifBitSize(tableSize), 0, map.get()) == GIF_OK;
  if (ok && transparent) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.TransparentColor = transparentIndex;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
  }
  ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<size_t>(width));
  for (int y = 0; y < height && ok; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    const uchar* indices = exact ? nullptr : quantized.constScanLine(y);
    for (int x = 0; x < width; ++x)
      line[size_t(x)] = GifPixelType(IsTransparent(row[x]) ? transparentIndex
                                     : exact             ? indexOf.value(row[x] | 0xFF000000u)
                                                         : indices[x]);
    ok = EGifPutLine(gif, line.data(), width) == GIF_OK;
  }
  const int failure = ok ? 0 : gif->Error;
  if (EGifCloseFile(gif, &error) != GIF_OK && ok) return fail(error);
  if (!ok) return fail(failure);
  return data;
}
