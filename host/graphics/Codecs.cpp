#include "Codecs.h"

#include "CodecsInternal.h"
#include "MetafileProtocol.h"

#include <QBuffer>
#include <QColorSpace>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QSaveFile>
#include <QtEndian>

#include <atomic>
#include <csignal>
#include <cstring>
#include <dlfcn.h>

namespace {

std::atomic<int> gMetafileTimeout{5000};
std::atomic<int> gMetafileCpuSeconds{TMetafileLimits{}.cpuSeconds};
std::atomic<int> gMetafileMemoryMiB{TMetafileLimits{}.memoryMiB};

QString Quoted(const QString& fileName) { return QLatin1Char('"') + QDir::toNativeSeparators(fileName) + QLatin1Char('"'); }

[[noreturn]] void LoadError(const QString& fileName, const QString& reason) {
  throw EImageError(QStringLiteral("Cannot load %1: %2").arg(Quoted(fileName), reason));
}

[[noreturn]] void SaveError(const QString& fileName, const QString& reason) {
  throw EImageError(QStringLiteral("Cannot save %1: %2").arg(Quoted(fileName), reason));
}

uint32_t ReadU16(const QByteArray& data, int at) {
  return data.size() >= at + 2 ? uint32_t(uchar(data[at])) | uint32_t(uchar(data[at + 1])) << 8 : 0;
}

uint32_t ReadU32(const QByteArray& data, int at) { return ReadU16(data, at) | ReadU16(data, at + 2) << 16; }

// EMR_HEADER record first, with the " EMF" signature at offset 40.
bool LooksLikeEmf(const QByteArray& head) { return ReadU32(head, 0) == 1 && ReadU32(head, 40) == 0x464D4520u; }

// A placeable header, or a plain metafile header (memory or disk type, 9-word header, version 1 or 3).
bool LooksLikeWmf(const QByteArray& head) {
  if (ReadU32(head, 0) == 0x9AC6CDD7u) return true;
  const uint32_t type = ReadU16(head, 0), words = ReadU16(head, 2), version = ReadU16(head, 4);
  return head.size() >= 18 && (type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300);
}

// The formats this registry reads through Qt, as QImageReader names them.
bool IsReadableQtFormat(const QByteArray& format) {
  static const QByteArray formats[] = {"png", "jpeg", "jpg", "gif", "bmp", "ico", "tif", "tiff"};
  for (const QByteArray& f : formats)
    if (format == f) return true;
  return false;
}

QImage DecodeMetafile(const QString& fileName, const QString& kind);

}  // namespace

bool ImageSizeAllowed(qint64 width, qint64 height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height * 4 <= kMaxImageBytes;
}

QString ImageSizeLimitReason(qint64 width, qint64 height) {
  return QStringLiteral("image of %1 x %2 pixels exceeds the limit of %3 x %3 / %4 MiB")
      .arg(width)
      .arg(height)
      .arg(kMaxImageSide)
      .arg(kMaxImageBytes >> 20);
}

QImage DecodeImageFile(const QString& fileName, QSize reduceToward) {
  const QFileInfo info(fileName);
  if (!info.exists()) LoadError(fileName, QStringLiteral("the file does not exist"));
  if (info.isDir()) LoadError(fileName, QStringLiteral("it is a folder"));
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) LoadError(fileName, file.errorString());
  if (file.size() == 0) LoadError(fileName, QStringLiteral("the file is empty"));

  const QByteArray head = file.peek(64);
  if (LooksLikeEmf(head)) return DecodeMetafile(fileName, QStringLiteral("emf"));
  if (LooksLikeWmf(head)) return DecodeMetafile(fileName, QStringLiteral("wmf"));

  // Qt's readers allocate up to this limit on their own; ours is checked before that.
  if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < int(kMaxImageBytes >> 20))
    QImageReader::setAllocationLimit(int(kMaxImageBytes >> 20));

  const QString suffix = info.suffix().toLower();
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  QByteArray format;
  if (reader.canRead()) format = reader.format();  // before read(): afterwards it is empty
  if (format.isEmpty()) {
    if (suffix == QLatin1String("emf") || suffix == QLatin1String("wmf")) return DecodeMetafile(fileName, suffix);
    if (IsReadableQtFormat(suffix.toLatin1())) {
      file.seek(0);
      reader.setDevice(nullptr);
      reader.setDevice(&file);
      reader.setDecideFormatFromContent(false);
      reader.setFormat(suffix.toLatin1());
      if (reader.canRead()) format = reader.format();
    }
  }
  if (format.isEmpty()) LoadError(fileName, QStringLiteral("unsupported or corrupt image data"));
  if (!IsReadableQtFormat(format))
    LoadError(fileName, QStringLiteral("the image type \"%1\" is not supported").arg(QString::fromLatin1(format)));

  const QSize declared = reader.size();
  if (declared.isValid() && !ImageSizeAllowed(declared.width(), declared.height()))
    LoadError(fileName, ImageSizeLimitReason(declared.width(), declared.height()));
  if (const QString reason = CheckComplete(format, file); !reason.isEmpty()) LoadError(fileName, reason);

  reader.setAutoTransform(false);
  // A JPEG decodes at 1/2, 1/4 or 1/8 of its size for a fraction of the time; only whole blocks, so
  // that each decoded pixel is the average of the same square of the picture.
  if (format == "jpeg" && reduceToward.isValid() && declared.isValid())
    for (int f : {8, 4, 2})
      if (declared.width() % f == 0 && declared.height() % f == 0 && declared.width() / f >= reduceToward.width() &&
          declared.height() / f >= reduceToward.height()) {
        reader.setScaledSize(declared / f);
        break;
      }
  QImage image;
  if (format == "tif" || format == "tiff") {
    QString reason;
    image = ReadStraightAlphaTiff(fileName, &reason);
    if (!reason.isEmpty()) LoadError(fileName, reason);
    if (!image.isNull()) return image;
  }
  if (!reader.read(&image) || image.isNull())
    LoadError(fileName, QStringLiteral("unsupported or corrupt image data (%1)").arg(reader.errorString()));
  if (!ImageSizeAllowed(image.width(), image.height()))
    LoadError(fileName, ImageSizeLimitReason(image.width(), image.height()));
  image.setColorSpace(QColorSpace());  // colour management off: the samples as stored
  image = image.convertToFormat(QImage::Format_ARGB32);
  if (image.isNull()) LoadError(fileName, QStringLiteral("out of memory"));
  return image;
}

void EncodeImageFile(const QImage& image, const QString& fileName, const QString& formatName) {
  const QString format = formatName.toLower();
  QByteArray qtFormat;
  if (format == QLatin1String("png")) qtFormat = "png";
  else if (format == QLatin1String("jpg") || format == QLatin1String("jpeg")) qtFormat = "jpeg";
  else if (format == QLatin1String("bmp")) qtFormat = "bmp";
  else if (format == QLatin1String("tif") || format == QLatin1String("tiff")) qtFormat = "tiff";
  else if (format != QLatin1String("gif"))
    SaveError(fileName, QStringLiteral("no encoder for the format \"%1\"").arg(formatName));
  if (image.isNull()) SaveError(fileName, QStringLiteral("the image is empty"));

  QByteArray data;
  if (qtFormat.isEmpty()) {
    QString reason;
    data = EncodeGif(image, &reason);
    if (data.isEmpty()) SaveError(fileName, reason);
  } else {
    const bool keep = image.format() == QImage::Format_Mono || image.format() == QImage::Format_ARGB32;
    const QImage prepared = keep ? image : image.convertToFormat(QImage::Format_ARGB32);
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, qtFormat);
    if (qtFormat == "jpeg") writer.setQuality(90);
    if (!writer.write(prepared)) SaveError(fileName, writer.errorString());
  }

  QSaveFile out(fileName);
  if (!out.open(QIODevice::WriteOnly)) SaveError(fileName, out.errorString());
  // commit() does not look at how its own final flush went (Qt 6.4), so a failure to write what is
  // still buffered must be caught here.
  if (out.write(data) != data.size() || !out.flush()) {
    const QString reason = out.errorString();
    out.cancelWriting();
    SaveError(fileName, reason);
  }
  if (!out.commit()) SaveError(fileName, out.errorString());
}

QImage ReduceToMonochrome(const QImage& picture) {
  if (picture.isNull()) return {};
  const QImage argb = picture.format() == QImage::Format_ARGB32 ? picture : picture.convertToFormat(QImage::Format_ARGB32);
  const int width = argb.width(), height = argb.height();
  QImage mono(width, height, QImage::Format_Mono);
  if (mono.isNull() || argb.isNull())
    throw EImageError(QStringLiteral("Out of memory for a %1 x %2 bitmap").arg(width).arg(height));
  mono.setColorTable({0xFF000000u, 0xFFFFFFFFu});
  for (int y = 0; y < height; ++y) {
    const auto* src = reinterpret_cast<const quint32*>(argb.constScanLine(y));
    uchar* dst = mono.scanLine(y);
    for (int x0 = 0; x0 < width; x0 += 8) {
      uchar bits = 0;
      const int end = std::min(width, x0 + 8);
      for (int x = x0; x < end; ++x) {
        const quint32 p = src[x];
        // rounded luma >= 128  <=>  299 R + 587 G + 114 B + 500 >= 128000
        const bool white = (p >> 24) >= 128 &&
                           299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF) >= 127500;
        bits |= uchar(white) << (7 - (x - x0));
      }
      dst[x0 >> 3] = bits;
    }
  }
  return mono;
}

QString MetafileHelperPath() {
  const QByteArray overridden = qgetenv("VELTO_METAFILE_HELPER");
  if (!overridden.isEmpty()) return QString::fromLocal8Bit(overridden);
  QStringList dirs;
  if (QCoreApplication::instance()) dirs << QCoreApplication::applicationDirPath();
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&MetafileHelperPath), &self) && self.dli_fname) {
    const QString dir = QFileInfo(QString::fromLocal8Bit(self.dli_fname)).absolutePath();
    dirs << dir << dir + QStringLiteral("/../bin");
  }
  for (const QString& dir : dirs) {
    const QFileInfo helper(dir + QStringLiteral("/velto-metafile"));
    if (helper.isFile() && helper.isExecutable()) return QDir::cleanPath(helper.absoluteFilePath());
  }
  return {};
}

int MetafileTimeout() { return gMetafileTimeout.load(); }

void SetMetafileTimeout(int milliseconds) { gMetafileTimeout.store(std::max(1, milliseconds)); }

TMetafileLimits MetafileLimits() { return {gMetafileCpuSeconds.load(), gMetafileMemoryMiB.load()}; }

void SetMetafileLimits(const TMetafileLimits& limits) {
  gMetafileCpuSeconds.store(std::max(1, limits.cpuSeconds));
  gMetafileMemoryMiB.store(std::max(1, limits.memoryMiB));
}

namespace {

QImage DecodeMetafile(const QString& fileName, const QString& kind) {
  const QString helper = MetafileHelperPath();
  if (helper.isEmpty())
    LoadError(fileName, QStringLiteral("the metafile helper velto-metafile was not found beside the application"));
  const int timeout = MetafileTimeout();
  QProcess child;
  const TMetafileLimits limits = MetafileLimits();
  child.setProgram(helper);
  child.setArguments({QStringLiteral("--cpu-seconds"), QString::number(limits.cpuSeconds),
                      QStringLiteral("--memory-mib"), QString::number(limits.memoryMiB), kind,
                      QFileInfo(fileName).absoluteFilePath()});
  child.setProcessEnvironment(QProcessEnvironment());  // empty: nothing of ours leaks into the decoder
  child.setStandardInputFile(QProcess::nullDevice());
  child.start(QIODevice::ReadOnly);
  if (!child.waitForStarted(timeout))
    LoadError(fileName, QStringLiteral("the metafile helper %1 could not be started: %2").arg(Quoted(helper), child.errorString()));

  // The reply is read as it comes, so that a child announcing or sending too much is stopped early.
  const QDeadlineTimer deadline(timeout);
  QByteArray reply;
  qint64 expected = -1;
  QString malformed;
  const auto take = [&] {
    reply += child.readAllStandardOutput();
    if (expected < 0 && reply.size() >= MetafileProtocol::kHeaderSize) {
      if (std::memcmp(reply.constData(), MetafileProtocol::kMagic, 4) != 0) {
        malformed = QStringLiteral("the metafile helper gave a malformed reply");
        return;
      }
      const qint64 width = MetafileProtocol::GetU32(reply.constData() + 4);
      const qint64 height = MetafileProtocol::GetU32(reply.constData() + 8);
      if (!ImageSizeAllowed(width, height)) {
        malformed = ImageSizeLimitReason(width, height);
        return;
      }
      expected = MetafileProtocol::kHeaderSize + width * height * 4;
    }
    if ((expected >= 0 && reply.size() > expected) || reply.size() > MetafileProtocol::kHeaderSize + kMaxImageBytes)
      malformed = QStringLiteral("the metafile helper gave a malformed reply");
  };
  while (child.state() != QProcess::NotRunning && malformed.isEmpty()) {
    if (deadline.hasExpired()) break;
    if (!child.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))) &&
        child.state() != QProcess::NotRunning && !deadline.hasExpired())
      child.waitForFinished(int(std::max<qint64>(1, deadline.remainingTime())));
    take();
  }
  if (child.state() != QProcess::NotRunning) {
    child.kill();
    child.waitForFinished(1000);
    if (malformed.isEmpty())
      LoadError(fileName, QStringLiteral("the metafile helper did not finish within %1 ms").arg(timeout));
  }
  if (malformed.isEmpty()) take();
  if (!malformed.isEmpty()) LoadError(fileName, malformed);
  if (child.exitStatus() == QProcess::CrashExit) {
    // QProcess gives the signal that ended the child as its exit code.
    if (child.exitCode() == SIGSYS)
      LoadError(fileName, QStringLiteral("the metafile helper was stopped for a forbidden system call"));
    if (child.exitCode() == SIGXCPU)
      LoadError(fileName, QStringLiteral("the metafile helper used more than %1 s of processor time").arg(limits.cpuSeconds));
    LoadError(fileName, QStringLiteral("the metafile helper crashed"));
  }
  if (child.exitCode() != 0) {
    QString reason = QString::fromUtf8(child.readAllStandardError().left(400)).trimmed();
    if (reason.isEmpty()) reason = QStringLiteral("the metafile helper failed with exit code %1").arg(child.exitCode());
    LoadError(fileName, reason);
  }
  if (expected < 0 || reply.size() != expected)
    LoadError(fileName, QStringLiteral("the metafile helper gave a malformed reply"));

  const int width = int(MetafileProtocol::GetU32(reply.constData() + 4));
  const int height = int(MetafileProtocol::GetU32(reply.constData() + 8));
  QImage image(width, height, QImage::Format_ARGB32);
  if (image.isNull()) LoadError(fileName, QStringLiteral("out of memory"));
  const char* row = reply.constData() + MetafileProtocol::kHeaderSize;
  for (int y = 0; y < height; ++y, row += qsizetype(width) * 4)
    qFromLittleEndian<quint32>(row, width, image.scanLine(y));
  return image;
}

}  // namespace
