// velto-metafile: renders one EMF (libemf2svg, then QtSvg) or WMF (libwmf's gd raster) file and
// writes the pixels to standard output (see MetafileProtocol.h). It runs as a child of the host so
// that a malformed metafile can take down only this process.

#include "graphics/Codecs.h"
#include "graphics/MetafileProtocol.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

extern "C" {
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>
}

namespace {

[[noreturn]] void Fail(const QString& reason) {
  std::fputs(reason.toUtf8().constData(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
  std::_Exit(2);
}

bool SizeAllowed(qint64 width, qint64 height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height * 4 <= kMaxImageBytes;
}

void CheckSize(qint64 width, qint64 height) {
  if (width <= 0 || height <= 0) Fail(QStringLiteral("the metafile has no drawing area"));
  if (!SizeAllowed(width, height))
    Fail(QStringLiteral("image of %1 x %2 pixels exceeds the limit of %3 x %3 / %4 MiB")
             .arg(width)
             .arg(height)
             .arg(kMaxImageSide)
             .arg(kMaxImageBytes >> 20));
}

qint32 ReadI32(const QByteArray& data, int at) {
  return at + 4 <= data.size() ? qint32(quint32(uchar(data[at])) | quint32(uchar(data[at + 1])) << 8 |
                                        quint32(uchar(data[at + 2])) << 16 | quint32(uchar(data[at + 3])) << 24)
                               : 0;
}

QImage RenderEmf(QByteArray data) {
  // The declared bounds (EMR_HEADER's rclBounds) give the picture's size; refuse it before
  // libemf2svg or the renderer allocate anything for it.
  if (data.size() < 88) Fail(QStringLiteral("unsupported or corrupt EMF data (the header is incomplete)"));
  const qint64 width = qint64(ReadI32(data, 16)) - ReadI32(data, 8);
  const qint64 height = qint64(ReadI32(data, 20)) - ReadI32(data, 12);
  CheckSize(width, height);

  generatorOptions options{};
  options.nameSpace = const_cast<char*>("");
  options.svgDelimiter = true;
  char* out = nullptr;
  size_t length = 0;
  if (emf2svg(data.data(), size_t(data.size()), &out, &length, &options) != 1 || !out) {
    std::free(out);
    Fail(QStringLiteral("unsupported or corrupt EMF data"));
  }
  const QByteArray svg(out, qsizetype(length));
  std::free(out);

  QSvgRenderer renderer(svg);
  if (!renderer.isValid()) Fail(QStringLiteral("unsupported or corrupt EMF data (no drawing)"));
  const QSize size = renderer.defaultSize();
  CheckSize(size.width(), size.height());
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) Fail(QStringLiteral("out of memory"));
  image.fill(0);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

struct TWmf {
  wmfAPI* api = nullptr;
  bool open = false;
  ~TWmf() {
    if (open) wmf_mem_close(api);
    if (api) wmf_api_destroy(api);
  }
};

// libwmf needs a font even for a file without text, and looks for the PostScript base fonts
// (fonts-urw-base35) by default; the DejaVu fonts the host depends on stand in for them.
#define VELTO_DEJAVU "/usr/share/fonts/truetype/dejavu/"
wmfMapping gFontFiles[] = {
    {const_cast<char*>("Times-Roman"), const_cast<char*>(VELTO_DEJAVU "DejaVuSerif.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Times-Italic"), const_cast<char*>(VELTO_DEJAVU "DejaVuSerif-Italic.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Times-Bold"), const_cast<char*>(VELTO_DEJAVU "DejaVuSerif-Bold.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Times-BoldItalic"), const_cast<char*>(VELTO_DEJAVU "DejaVuSerif-BoldItalic.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Helvetica"), const_cast<char*>(VELTO_DEJAVU "DejaVuSans.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Helvetica-Oblique"), const_cast<char*>(VELTO_DEJAVU "DejaVuSans-Oblique.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Helvetica-Bold"), const_cast<char*>(VELTO_DEJAVU "DejaVuSans-Bold.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Helvetica-BoldOblique"), const_cast<char*>(VELTO_DEJAVU "DejaVuSans-BoldOblique.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Courier"), const_cast<char*>(VELTO_DEJAVU "DejaVuSansMono.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Courier-Oblique"), const_cast<char*>(VELTO_DEJAVU "DejaVuSansMono-Oblique.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Courier-Bold"), const_cast<char*>(VELTO_DEJAVU "DejaVuSansMono-Bold.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Courier-BoldOblique"), const_cast<char*>(VELTO_DEJAVU "DejaVuSansMono-BoldOblique.ttf"), FT_ENCODING_NONE},
    {const_cast<char*>("Symbol"), const_cast<char*>(VELTO_DEJAVU "DejaVuSans.ttf"), FT_ENCODING_NONE},
    {nullptr, nullptr, FT_ENCODING_NONE},
};
char* gFontDirs[] = {const_cast<char*>(VELTO_DEJAVU), nullptr};

QImage RenderWmf(QByteArray data) {
  TWmf wmf;
  wmfAPI_Options options{};
  options.function = wmf_gd_function;
  options.font.ps = gFontFiles;
  options.fontdirs = gFontDirs;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG |
                              WMF_OPT_FONTMAP | WMF_OPT_FONTDIRS;
  if (wmf_api_create(&wmf.api, flags, &options) != wmf_E_None) Fail(QStringLiteral("libwmf could not be started"));
  if (wmf_mem_open(wmf.api, reinterpret_cast<unsigned char*>(data.data()), long(data.size())) != wmf_E_None)
    Fail(QStringLiteral("unsupported or corrupt WMF data"));
  wmf.open = true;
  wmfD_Rect bbox{};
  if (wmf_scan(wmf.api, 0, &bbox) != wmf_E_None) Fail(QStringLiteral("unsupported or corrupt WMF data"));

  unsigned int width = 0, height = 0;
  if (wmf.api->File->placeable) {
    // wmf_scan's box is that of the drawn content; a placeable file's frame is the picture.
    const wmfPlaceableMetaHeader& frame = *wmf.api->File->pmh;
    if (frame.Inch == 0) Fail(QStringLiteral("unsupported or corrupt WMF data (zero units per inch)"));
    const qint64 w = qAbs(qint64(frame.Right) - frame.Left) * 96 / frame.Inch;
    const qint64 h = qAbs(qint64(frame.Bottom) - frame.Top) * 96 / frame.Inch;
    CheckSize(w, h);
    const float scale = 72.0f / float(frame.Inch);
    bbox.TL.x = float(qMin(frame.Left, frame.Right)) * scale;
    bbox.TL.y = float(qMin(frame.Top, frame.Bottom)) * scale;
    bbox.BR.x = float(qMax(frame.Left, frame.Right)) * scale;
    bbox.BR.y = float(qMax(frame.Top, frame.Bottom)) * scale;
    width = unsigned(w);
    height = unsigned(h);
  } else {
    if (!(bbox.BR.x > bbox.TL.x) || !(bbox.BR.y > bbox.TL.y) || bbox.BR.x - bbox.TL.x > 1e6f || bbox.BR.y - bbox.TL.y > 1e6f)
      Fail(QStringLiteral("the metafile has no drawing area"));
    if (wmf_display_size(wmf.api, &width, &height, 96, 96) != wmf_E_None)
      Fail(QStringLiteral("unsupported or corrupt WMF data"));
    CheckSize(width, height);
  }

  wmf_gd_t* device = WMF_GD_GetData(wmf.api);
  device->type = wmf_gd_image;
  device->bbox = bbox;
  device->width = width;
  device->height = height;
  if (wmf_play(wmf.api, 0, &bbox) != wmf_E_None || !device->gd_image)
    Fail(QStringLiteral("unsupported or corrupt WMF data"));
  const int* pixels = wmf_gd_image_pixels(device->gd_image);
  if (!pixels) Fail(QStringLiteral("unsupported or corrupt WMF data"));

  QImage image(int(width), int(height), QImage::Format_ARGB32);
  if (image.isNull()) Fail(QStringLiteral("out of memory"));
  for (int y = 0; y < int(height); ++y) {
    auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < int(width); ++x) {
      // gd true colour: 7-bit alpha in bits 24-30 with 0 opaque, then RGB.
      const quint32 p = quint32(pixels[qsizetype(y) * width + x]);
      const quint32 alpha = 255 - (((p >> 24) & 0x7F) * 255 + 63) / 127;
      row[x] = alpha << 24 | (p & 0xFFFFFF);
    }
  }
  return image;
}

void WriteAll(const char* data, qsizetype size) {
  while (size > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, data, size_t(size));
    if (n <= 0) std::_Exit(3);
    data += n;
    size -= n;
  }
}

}  // namespace

// libwmf keeps one buffer to the end; in the sanitizer build that leak is not ours to report.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() { return "leak:libwmf-0.2.so\n"; }

int main(int argc, char** argv) {
  // A crash here is reported by the parent; a core file would only fill the disk.
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own warnings on malformed data would mix with the one line of reason.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(argc, argv);
  if (argc != 3) Fail(QStringLiteral("usage: velto-metafile emf|wmf FILE"));
  const QString kind = QString::fromLocal8Bit(argv[1]);
  QFile file(QString::fromLocal8Bit(argv[2]));
  if (!file.open(QIODevice::ReadOnly)) Fail(file.errorString());
  if (file.size() > kMaxImageBytes) Fail(QStringLiteral("the metafile is larger than %1 MiB").arg(kMaxImageBytes >> 20));
  const QByteArray data = file.readAll();
  // libemf2svg crashes on empty input.
  if (data.isEmpty()) Fail(QStringLiteral("the file is empty"));

  QImage image;
  if (kind == QLatin1String("emf")) image = RenderEmf(data);
  else if (kind == QLatin1String("wmf")) image = RenderWmf(data);
  else Fail(QStringLiteral("unknown metafile type \"%1\"").arg(kind));

  char header[MetafileProtocol::kHeaderSize];
  std::memcpy(header, MetafileProtocol::kMagic, 4);
  MetafileProtocol::PutU32(header + 4, uint32_t(image.width()));
  MetafileProtocol::PutU32(header + 8, uint32_t(image.height()));
  WriteAll(header, sizeof header);
  QByteArray row(qsizetype(image.width()) * 4, Qt::Uninitialized);
  for (int y = 0; y < image.height(); ++y) {
    const auto* pixels = reinterpret_cast<const quint32*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) MetafileProtocol::PutU32(row.data() + 4 * x, pixels[x]);
    WriteAll(row.constData(), row.size());
  }
  return 0;
}
