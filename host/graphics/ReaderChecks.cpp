// Completeness checks for the formats whose Qt readers accept truncated data.

#include "CodecsInternal.h"

#include <QFile>

namespace {

// The first image of a GIF, with its data sub-blocks, must be inside the file.
QString CheckGif(const QByteArray& d) {
  const QString truncated = QStringLiteral("the GIF data is truncated or corrupt");
  const auto byte = [&](qsizetype at) { return at < d.size() ? uchar(d[at]) : 0; };
  qsizetype pos = 13;
  if (byte(10) & 0x80) pos += 3 << ((byte(10) & 7) + 1);
  const auto skipSubBlocks = [&] {
    while (pos < d.size()) {
      const int n = byte(pos++);
      if (n == 0) return true;
      pos += n;
    }
    return false;
  };
  while (pos < d.size()) {
    const uchar kind = byte(pos);
    if (kind == 0x21) {
      pos += 2;
      if (!skipSubBlocks()) return truncated;
    } else if (kind == 0x2C) {
      const uchar flags = byte(pos + 9);
      pos += 10;
      if (flags & 0x80) pos += 3 << ((flags & 7) + 1);
      pos += 1;  // LZW minimum code size
      return skipSubBlocks() ? QString() : truncated;
    } else if (kind == 0x3B) {
      return QStringLiteral("the GIF file holds no image");
    } else {
      return truncated;
    }
  }
  return truncated;
}

// A JPEG ends with its end-of-image marker after the last start-of-scan (an embedded thumbnail
// has its own pair before them).
QString CheckJpeg(const QByteArray& d) {
  const qsizetype scan = d.lastIndexOf("\xFF\xDA");
  if (scan < 0 || d.indexOf("\xFF\xD9", scan) < 0) return QStringLiteral("the JPEG data is truncated");
  return {};
}

// Uncompressed BMP pixel rows must all be in the file.
QString CheckBmp(const QByteArray& d) {
  const auto u32 = [&](qsizetype at) {
    return at + 4 <= d.size() ? quint32(uchar(d[at])) | quint32(uchar(d[at + 1])) << 8 |
                                    quint32(uchar(d[at + 2])) << 16 | quint32(uchar(d[at + 3])) << 24
                              : 0u;
  };
  const quint32 offset = u32(10), headerSize = u32(14);
  if (headerSize < 40) return {};  // old OS/2 headers: left to Qt
  const qint64 width = qint32(u32(18)), height = qint32(u32(22));
  const int bits = uchar(d.size() > 28 ? d[28] : 0) | uchar(d.size() > 29 ? d[29] : 0) << 8;
  const quint32 compression = u32(30);
  if (compression != 0 && compression != 3) return {};  // run-length data has no fixed size
  // Absurd headers are Qt's to refuse; the product below must not overflow.
  if (qAbs(width) > (1 << 24) || qAbs(height) > (1 << 24) || bits > 64) return {};
  const qint64 rowBytes = ((qAbs(width) * bits + 31) / 32) * 4;
  if (qint64(offset) + rowBytes * qAbs(height) > d.size()) return QStringLiteral("the BMP data is truncated");
  return {};
}

// Qt stops reading a PNG after the pixel data; the chunks up to IEND must still be whole.
QString CheckPng(const QByteArray& d) {
  qsizetype pos = 8;
  while (pos + 12 <= d.size()) {
    const quint32 length = quint32(uchar(d[pos])) << 24 | quint32(uchar(d[pos + 1])) << 16 |
                           quint32(uchar(d[pos + 2])) << 8 | quint32(uchar(d[pos + 3]));
    if (length > quint32(d.size())) break;
    if (d.mid(pos + 4, 4) == "IEND") return {};
    pos += 12 + qsizetype(length);
  }
  return QStringLiteral("the PNG data is truncated");
}

}  // namespace

QString CheckComplete(const QByteArray& format, QFile& file) {
  const qint64 at = file.pos();
  QString reason;
  if (format == "gif" || format == "jpeg" || format == "jpg" || format == "bmp" || format == "png") {
    file.seek(0);
    const QByteArray d = file.readAll();
    reason = format == "gif"   ? CheckGif(d)
             : format == "bmp" ? CheckBmp(d)
             : format == "png" ? CheckPng(d)
                               : CheckJpeg(d);
  }
  file.seek(at);
  return reason;
}
