// velto-metafile: renders one EMF (libemf2svg, then QtSvg) or WMF (libwmf's gd raster) file and
// writes the pixels to standard output (see MetafileProtocol.h). It runs as a child of the host so
// that a malformed metafile can take down only this process, and decodes inside a sandbox
// (resource limits, no new privileges, a system call filter) so that it can do little else.
//
// Both formats follow one rule: the picture is transparent where the file paints nothing, and
// shapes are drawn aliased on the pixel grid, so a 1-pixel outline stays 1 pixel wide.

#include "graphics/Codecs.h"
#include "graphics/MetafileProtocol.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <seccomp.h>
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

extern "C" {
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <libwmf/ipa.h>
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

// QtSvg turns antialiasing on for every drawing, which spreads a 1-pixel outline on integer
// coordinates over two half-covered pixels. This device takes the painter's calls and replays them
// on the image with antialiasing off; text keeps its own smoothing.
class TAliasedEngine : public QPaintEngine {
public:
  explicit TAliasedEngine(QImage& image) : QPaintEngine(AllFeatures), FTarget(&image) {}
  bool begin(QPaintDevice*) override { return FTarget.isActive(); }
  bool end() override { return FTarget.end(); }
  Type type() const override { return User; }
  void updateState(const QPaintEngineState& state) override {
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyTransform) FTarget.setTransform(state.transform());
    if (dirty & DirtyPen) FTarget.setPen(state.pen());
    if (dirty & DirtyBrush) FTarget.setBrush(state.brush());
    if (dirty & DirtyBrushOrigin) FTarget.setBrushOrigin(state.brushOrigin());
    if (dirty & DirtyBackground) FTarget.setBackground(state.backgroundBrush());
    if (dirty & DirtyBackgroundMode) FTarget.setBackgroundMode(state.backgroundMode());
    if (dirty & DirtyFont) FTarget.setFont(state.font());
    if (dirty & DirtyCompositionMode) FTarget.setCompositionMode(state.compositionMode());
    if (dirty & DirtyOpacity) FTarget.setOpacity(state.opacity());
    if (dirty & DirtyClipPath) FTarget.setClipPath(state.clipPath(), state.clipOperation());
    if (dirty & DirtyClipRegion) FTarget.setClipRegion(state.clipRegion(), state.clipOperation());
    if (dirty & DirtyClipEnabled) FTarget.setClipping(state.isClipEnabled());
    if (dirty & DirtyHints) FTarget.setRenderHints(state.renderHints() & ~QPainter::Antialiasing);
  }
  void drawPath(const QPainterPath& path) override { FTarget.drawPath(path); }
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
    if (mode == PolylineMode) FTarget.drawPolyline(points, count);
    else FTarget.drawPolygon(points, count, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
  }
  void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& source) override {
    FTarget.drawPixmap(r, pixmap, source);
  }
  void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override {
    FTarget.drawImage(r, image, source);
  }
  void drawTextItem(const QPointF& p, const QTextItem& item) override { FTarget.drawTextItem(p, item); }

private:
  QPainter FTarget;
};

class TAliasedDevice : public QPaintDevice {
public:
  explicit TAliasedDevice(QImage& image) : FImage(image), FEngine(image) {}
  QPaintEngine* paintEngine() const override { return &FEngine; }

protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth: return FImage.width();
      case PdmHeight: return FImage.height();
      case PdmDepth: return 32;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
      case PdmWidthMM: return FImage.widthMM();
      case PdmHeightMM: return FImage.heightMM();
      case PdmNumColors: return INT_MAX;
      case PdmDpiY: case PdmPhysicalDpiY: return FImage.logicalDpiY();
      default: return FImage.logicalDpiX();
    }
  }

private:
  QImage& FImage;
  mutable TAliasedEngine FEngine;
};

QImage RenderEmf(QByteArray data) {
  // The declared bounds (EMR_HEADER's rclBounds, inclusive at both ends) give the picture's size;
  // refuse it before libemf2svg or the renderer allocate anything for it.
  if (data.size() < 88) Fail(QStringLiteral("unsupported or corrupt EMF data (the header is incomplete)"));
  const qint64 width = qint64(ReadI32(data, 16)) - ReadI32(data, 8) + 1;
  const qint64 height = qint64(ReadI32(data, 20)) - ReadI32(data, 12) + 1;
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
  QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) Fail(QStringLiteral("out of memory"));
  image.fill(0);
  {
    // libemf2svg sizes its drawing one pixel short of the bounds; it is drawn at its own scale.
    TAliasedDevice device(image);
    QPainter painter(&device);
    renderer.render(&painter, QRectF(QPointF(0, 0), renderer.viewBoxF().size()));
  }
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

void (*gGdBegin)(wmfAPI*) = nullptr;
void* gClearedImage = nullptr;

// libwmf's gd device starts from opaque white; the picture starts transparent, as an EMF does. The
// image is published only after playing, so it is taken from the device's private data, whose
// first member it is; RenderWmf checks that it was the image played on.
void BeginTransparent(wmfAPI* api) {
  gGdBegin(api);
  const wmf_gd_t* device = WMF_GD_GetData(api);
  gClearedImage = device->gd_data ? *static_cast<void**>(device->gd_data) : nullptr;
  if (int* pixels = gClearedImage ? wmf_gd_image_pixels(gClearedImage) : nullptr)
    std::fill_n(pixels, size_t(device->width) * device->height, 0x7F000000);
}

qint16 ReadI16(const QByteArray& data, qsizetype at) {
  return at + 2 <= data.size() ? qint16(quint16(uchar(data[at])) | quint16(uchar(data[at + 1])) << 8) : 0;
}

// The first window origin and extent a plain (not placeable) WMF sets, as a rectangle of logical
// units; empty when it sets no extent.
// libwmf moves the drawing by the window origin itself, so the picture is the window's extent,
// wherever its origin lies.
QRect PlainWmfWindow(const QByteArray& data) {
  constexpr quint16 kSetWindowExt = 0x020C, kEof = 0x0000;
  for (qsizetype at = 18; at + 6 <= data.size();) {
    const qint64 words = quint32(ReadI32(data, int(at)));
    const quint16 function = quint16(ReadI16(data, at + 4));
    if (function == kEof || words < 3 || at + words * 2 > data.size()) break;
    if (function == kSetWindowExt && words >= 5) {
      const int w = ReadI16(data, at + 8), h = ReadI16(data, at + 6);
      return QRect(std::min(w, 0), std::min(h, 0), std::abs(w), std::abs(h));
    }
    at += qsizetype(words) * 2;
  }
  return {};
}

QImage RenderWmf(QByteArray data) {
  TWmf wmf;
  wmfAPI_Options options{};
  options.function = wmf_gd_function;
  options.font.ps = gFontFiles;
  options.fontdirs = gFontDirs;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG |
                              WMF_OPT_FONTMAP | WMF_OPT_FONTDIRS;
  if (wmf_api_create(&wmf.api, flags, &options) != wmf_E_None) Fail(QStringLiteral("libwmf could not be started"));
  auto* functions = static_cast<wmfFunctionReference*>(wmf.api->function_reference);
  gGdBegin = functions->device_begin;
  functions->device_begin = BeginTransparent;
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
  } else if (const QRect window = PlainWmfWindow(data); !window.isEmpty()) {
    // Without a placeable header a logical unit is a pixel, and the window the file sets up is
    // the picture. libwmf counts such a file's units as points.
    CheckSize(window.width(), window.height());
    bbox.TL.x = float(window.left());
    bbox.TL.y = float(window.top());
    bbox.BR.x = float(window.left() + window.width());
    bbox.BR.y = float(window.top() + window.height());
    width = unsigned(window.width());
    height = unsigned(window.height());
  } else {
    if (!(bbox.BR.x > bbox.TL.x) || !(bbox.BR.y > bbox.TL.y) || bbox.BR.x - bbox.TL.x > 1e6f || bbox.BR.y - bbox.TL.y > 1e6f)
      Fail(QStringLiteral("the metafile has no drawing area"));
    if (wmf_display_size(wmf.api, &width, &height, 72, 72) != wmf_E_None)
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
  if (device->gd_image != gClearedImage) Fail(QStringLiteral("libwmf's drawing device is not the expected one"));
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

#ifdef VELTO_ASAN
// The symbolizer is another program, which the filter does not let start: a report names
// addresses instead, and reaches the parent's error rather than ending in SIGSYS.
extern "C" __attribute__((used)) const char* __asan_default_options() { return "symbolize=0"; }
#endif

namespace {

struct TLimits {
  long cpuSeconds = 0;  // 0: none
  long memoryMiB = 0;   // address space the decoder may add to what is mapped when it starts
};

char gMemoryMessage[96];

[[noreturn]] void OutOfMemory() {
  // No allocation here: there is no memory left to format a message with.
  (void)!::write(STDERR_FILENO, gMemoryMessage, std::strlen(gMemoryMessage));
  std::_Exit(4);
}

#ifndef VELTO_ASAN
qint64 MappedBytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return -1;
  return statm.readLine().split(' ').value(0).toLongLong() * sysconf(_SC_PAGESIZE);
}
#endif

// Decoding may read fonts and configuration, map memory, start threads and write its answer;
// everything else (opening for writing, sockets, running programs, ...) ends the process with
// SIGSYS. The set is what tracing the decoding of real files showed, plus what glibc's allocator
// and abort() need.
void InstallSyscallFilter() {
  scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
  if (!filter) Fail(QStringLiteral("the system call filter could not be set up"));
  static const int allowed[] = {
      SCMP_SYS(read), SCMP_SYS(write), SCMP_SYS(close), SCMP_SYS(fstat), SCMP_SYS(newfstatat),
      SCMP_SYS(fcntl), SCMP_SYS(readlink), SCMP_SYS(mmap), SCMP_SYS(munmap), SCMP_SYS(mprotect),
      SCMP_SYS(futex), SCMP_SYS(sched_getaffinity), SCMP_SYS(eventfd2), SCMP_SYS(rseq),
      SCMP_SYS(set_robust_list), SCMP_SYS(rt_sigprocmask), SCMP_SYS(rt_sigaction), SCMP_SYS(exit),
      SCMP_SYS(exit_group), SCMP_SYS(brk), SCMP_SYS(mremap), SCMP_SYS(madvise), SCMP_SYS(rt_sigreturn),
      SCMP_SYS(getpid), SCMP_SYS(gettid),
  };
  bool ok = true;
  for (const int call : allowed) ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
  // Read-only opens: the access mode is O_RDONLY (0) and nothing is created, truncated or appended.
  const scmp_datum_t writing = O_ACCMODE | O_CREAT | O_TRUNC | O_APPEND;
  ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(openat), 1, SCMP_A2(SCMP_CMP_MASKED_EQ, writing, 0)) == 0;
  ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(open), 1, SCMP_A1(SCMP_CMP_MASKED_EQ, writing, 0)) == 0;
  // Threads, not processes: clone3's flags are out of the filter's reach, so glibc is sent back to
  // clone, whose flags must include CLONE_THREAD.
  ok = ok && seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0) == 0;
  ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(clone), 1,
                              SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)) == 0;
  // Qt names its pool threads.
  ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(prctl), 1, SCMP_A0(SCMP_CMP_EQ, PR_SET_NAME, 0)) == 0;
  // Signals only to itself (abort()).
  ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(tgkill), 1, SCMP_A0(SCMP_CMP_EQ, scmp_datum_t(getpid()), 0)) == 0;
#ifdef VELTO_ASAN
  // The sanitizer runtime probes whether memory is readable by writing it into a pipe, and gives
  // each thread its own signal stack.
  for (const int call : {SCMP_SYS(pipe2), SCMP_SYS(pipe), SCMP_SYS(sigaltstack)}) ok = ok && seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0) == 0;
#endif
  // Threads started before the filter get it too.
  ok = ok && seccomp_attr_set(filter, SCMP_FLTATR_CTL_TSYNC, 1) == 0;
  ok = ok && seccomp_load(filter) == 0;
  seccomp_release(filter);
  if (!ok) Fail(QStringLiteral("the system call filter could not be installed"));
}

void EnterSandbox(const TLimits& limits) {
  if (limits.cpuSeconds > 0) {
    // SIGXCPU at the soft limit ends the process; SIGKILL a second later if it is caught.
    const rlimit cpu{rlim_t(limits.cpuSeconds), rlim_t(limits.cpuSeconds) + 1};
    if (setrlimit(RLIMIT_CPU, &cpu) != 0) Fail(QStringLiteral("the processor time limit could not be set"));
  }
  if (limits.memoryMiB > 0) {
    std::snprintf(gMemoryMessage, sizeof gMemoryMessage, "decoding needs more memory than the limit of %ld MiB\n",
                  limits.memoryMiB);
    std::set_new_handler(OutOfMemory);
#ifndef VELTO_ASAN
    const qint64 mapped = MappedBytes();
    const rlim_t total = rlim_t(mapped + (qint64(limits.memoryMiB) << 20));
    const rlimit space{total, total};
    if (mapped < 0 || setrlimit(RLIMIT_AS, &space) != 0) Fail(QStringLiteral("the memory limit could not be set"));
#else
    // AddressSanitizer reserves terabytes of shadow address space: RLIMIT_AS would stop it, not the decoder.
#endif
  }
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) Fail(QStringLiteral("no_new_privs could not be set"));
  InstallSyscallFilter();
}

// Test-only: does, inside the sandbox, what a hostile file could make the decoder do.
[[noreturn]] void Provoke(const QByteArray& what, const TLimits& limits) {
  if (what == "alloc") {
    // Twice the limit, in one piece, touched so that it is really used.
    const size_t size = size_t(std::max(limits.memoryMiB, 64L)) << 21;
    char* block = new char[size];
    std::memset(block, 1, size);
    Fail(QStringLiteral("allocated %1 MiB").arg(qint64(size >> 20) + block[size - 1] - 1));
  }
  if (what == "spin") {
    for (;;) __asm__ volatile("");
  }
  if (what == "socket") {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    Fail(QStringLiteral("opened socket %1").arg(fd));
  }
  if (what == "write") {
    const int fd = ::open("/tmp/velto-metafile-provoked", O_WRONLY | O_CREAT, 0600);
    Fail(QStringLiteral("opened a file for writing: %1").arg(fd));
  }
  Fail(QStringLiteral("nothing to provoke as \"%1\"").arg(QString::fromLatin1(what)));
}

void CloseInheritedDescriptors() {
  // Only standard input, output and error stay: whatever else the parent left open is no business
  // of the decoder.
  if (::syscall(SYS_close_range, 3u, ~0u, 0u) != 0)
    for (int fd = 3; fd < 4096; ++fd) ::close(fd);
}

}  // namespace

int main(int argc, char** argv) {
  CloseInheritedDescriptors();
  clearenv();
  // A crash here is reported by the parent; a core file would only fill the disk.
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's own warnings on malformed data would mix with the one line of reason.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QGuiApplication app(argc, argv);

  TLimits limits;
  QByteArray provoke;
  QStringList args = app.arguments().mid(1);
  while (args.size() > 2) {
    const QString option = args.takeFirst(), value = args.takeFirst();
    bool ok = true;
    if (option == QLatin1String("--cpu-seconds")) limits.cpuSeconds = value.toLong(&ok);
    else if (option == QLatin1String("--memory-mib")) limits.memoryMiB = value.toLong(&ok);
    else if (option == QLatin1String("--provoke")) provoke = value.toLatin1();
    else ok = false;
    if (!ok) Fail(QStringLiteral("unknown option %1 %2").arg(option, value));
  }
  if (args.size() != 2)
    Fail(QStringLiteral("usage: velto-metafile [--cpu-seconds N] [--memory-mib N] emf|wmf FILE"));
  const QString kind = args[0];
  QByteArray data;
  {
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly)) Fail(file.errorString());
    if (file.size() > kMaxImageBytes) Fail(QStringLiteral("the metafile is larger than %1 MiB").arg(kMaxImageBytes >> 20));
    data = file.readAll();
  }
  // libemf2svg crashes on empty input.
  if (data.isEmpty()) Fail(QStringLiteral("the file is empty"));
  // The font database is built before the sandbox: building it may write fontconfig's cache.
  (void)QFontDatabase::families();

  EnterSandbox(limits);
  if (!provoke.isEmpty()) Provoke(provoke, limits);

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
  // Qt's teardown would only release memory, under the filter; so there is no leak check at exit
  // in the sanitizer build either (it would need ptrace).
  std::_Exit(0);
}
