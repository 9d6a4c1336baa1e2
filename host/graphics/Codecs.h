#pragma once

#include "runtime/Exceptions.h"

#include <QImage>
#include <QString>

// The one codec registry of the host: every image file the editors load or save goes through here.

// Raised for every failure to load or save an image; the message names the file and the reason.
class EImageError : public Exception {
public:
  using Exception::Exception;
};

// Largest picture a decode accepts: each side at most kMaxImageSide pixels and at most
// kMaxImageBytes of 32-bit pixels. Larger pictures are refused before their pixels are allocated.
constexpr int kMaxImageSide = 16384;
constexpr qint64 kMaxImageBytes = qint64(256) << 20;

// Decodes gif, png, jpg/jpeg, bmp, ico, tif/tiff (through Qt's image readers), emf and wmf (in the
// child process velto-metafile, so that a malformed metafile cannot bring the caller down). The
// type is taken from the content first, then from the extension. Embedded colour spaces are
// dropped without converting the pixels. Returns Format_ARGB32 (not premultiplied); raises
// EImageError on any failure.
// With a valid `reduceToward`, a JPEG whose sides divide by 8, 4 or 2 and stay at least that size
// once divided is decoded at the smallest such fraction (the decoder's own scaling: each pixel is
// the average of its f x f square, taken before the colour conversion, so within a few levels of
// averaging the full picture). Other pictures decode whole.
QImage DecodeImageFile(const QString& fileName, QSize reduceToward = QSize());

// Encodes under a format name, case-insensitive: png, jpg/jpeg, bmp, gif, tif/tiff. ico, emf, wmf,
// an empty and an unknown name have no encoder. The file is written atomically: on any failure
// EImageError is raised and an existing file stays as it was. BMP and JPEG drop the alpha channel;
// GIF keeps pixels with alpha below 128 as its one transparent colour and uses an exact palette
// when the picture has at most 256 colours (counting transparent as one), a dithered 6x6x6 cube
// otherwise. Format_Mono images are written as 1-bit images where the format has them (bmp, png,
// tif).
void EncodeImageFile(const QImage& image, const QString& fileName, const QString& formatName);

// Reduces a picture to black and white for the monochrome editors: Format_Mono of the same size
// with the palette {0: black 0xFF000000, 1: white 0xFFFFFFFF}. A pixel whose alpha is below 128 is
// black; otherwise it is white when its luma (0.299 R + 0.587 G + 0.114 B, rounded) is at least
// 128, black below. A null picture gives a null image.
QImage ReduceToMonochrome(const QImage& picture);

// The metafile child process. Its path is taken from the environment variable
// VELTO_METAFILE_HELPER when set, otherwise velto-metafile beside the running executable, then
// beside the host library (and in ../bin from there). A child that runs longer than the time
// limit is killed and the load fails. It starts with an empty environment and decodes in a
// sandbox: limits on processor time and on the memory decoding may take, no new privileges, and
// a system call filter that ends it on anything decoding does not need (opening files for
// writing, sockets, running programs). Going past a limit or being stopped fails the load.
QString MetafileHelperPath();
int MetafileTimeout();                   // milliseconds; 5000 unless set
void SetMetafileTimeout(int milliseconds);
struct TMetafileLimits {
  int cpuSeconds = 4;
  int memoryMiB = 1024;  // address space decoding may add to what the child has mapped at its start
};
TMetafileLimits MetafileLimits();
void SetMetafileLimits(const TMetafileLimits& limits);
