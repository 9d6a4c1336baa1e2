// Qt's TIFF reader goes through libtiff's RGBA interface, which premultiplies 8-bit colour by an
// unassociated alpha: translucent pixels lose colour, nearly transparent ones all of it. Files of
// that kind are read here, scanline by scanline, as stored.

#include "CodecsInternal.h"

#include <QFile>

#include <tiffio.h>

namespace {

struct TTiff {
  TIFF* tiff;
  ~TTiff() {
    if (tiff) TIFFClose(tiff);
  }
};

}  // namespace

QImage ReadStraightAlphaTiff(const QString& fileName, QString* reason) {
  static const bool quiet = [] {
    // A reason is given for every refusal; libtiff's own messages would only go to the terminal.
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    return true;
  }();
  (void)quiet;
  const TTiff file{TIFFOpen(QFile::encodeName(fileName).constData(), "r")};
  if (!file.tiff) return {};
  uint32_t width = 0, height = 0;
  uint16_t bits = 0, samples = 0, photometric = 0, planar = 0, sampleFormat = 0, extraCount = 0;
  uint16_t* extra = nullptr;
  if (TIFFIsTiled(file.tiff) || !TIFFGetField(file.tiff, TIFFTAG_IMAGEWIDTH, &width) ||
      !TIFFGetField(file.tiff, TIFFTAG_IMAGELENGTH, &height) ||
      !TIFFGetFieldDefaulted(file.tiff, TIFFTAG_BITSPERSAMPLE, &bits) ||
      !TIFFGetFieldDefaulted(file.tiff, TIFFTAG_SAMPLESPERPIXEL, &samples) ||
      !TIFFGetField(file.tiff, TIFFTAG_PHOTOMETRIC, &photometric) ||
      !TIFFGetFieldDefaulted(file.tiff, TIFFTAG_PLANARCONFIG, &planar) ||
      !TIFFGetFieldDefaulted(file.tiff, TIFFTAG_SAMPLEFORMAT, &sampleFormat) ||
      !TIFFGetField(file.tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extra))
    return {};
  if (bits != 8 || samples != 4 || photometric != PHOTOMETRIC_RGB || planar != PLANARCONFIG_CONTIG ||
      sampleFormat != SAMPLEFORMAT_UINT ||
      extraCount != 1 || extra[0] != EXTRASAMPLE_UNASSALPHA)
    return {};
  if (!ImageSizeAllowed(width, height)) {
    *reason = ImageSizeLimitReason(width, height);
    return {};
  }
  if (TIFFScanlineSize64(file.tiff) != tmsize_t(width) * 4) {
    *reason = QStringLiteral("unsupported or corrupt image data (a TIFF row of unexpected size)");
    return {};
  }
  QImage image(int(width), int(height), QImage::Format_ARGB32);
  if (image.isNull()) {
    *reason = QStringLiteral("out of memory");
    return {};
  }
  QByteArray row(qsizetype(width) * 4, Qt::Uninitialized);
  for (uint32_t y = 0; y < height; ++y) {
    if (TIFFReadScanline(file.tiff, row.data(), y, 0) < 0) {
      *reason = QStringLiteral("unsupported or corrupt image data (TIFF row %1 cannot be read)").arg(y);
      return {};
    }
    const auto* rgba = reinterpret_cast<const uchar*>(row.constData());
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
    for (uint32_t x = 0; x < width; ++x, rgba += 4) out[x] = qRgba(rgba[0], rgba[1], rgba[2], rgba[3]);
  }
  return image;
}
