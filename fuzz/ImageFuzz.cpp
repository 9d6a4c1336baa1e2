// Any bytes through DecodeImageFile: the first byte picks the file's extension (so the content
// sniffing and the extension fallback both get exercised), the rest is the file. Metafiles run in
// the velto-metafile child, which must sit beside this executable (it is built with it). A load
// either gives a picture within the limits or raises EImageError; anything else is a finding.
//   build-fuzz/bin/image_fuzz -max_len=4096 -timeout=30 image-corpus-dir fuzz/image-corpus

#include "graphics/Codecs.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* gDir = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  gDir = new QTemporaryDir;
  if (!gDir->isValid()) std::abort();
  SetMetafileTimeout(10000);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const char* extensions[] = {"gif", "png", "jpg", "jpeg", "bmp", "ico", "emf", "wmf", "tif", "tiff", "dat"};
  if (size == 0) return 0;
  const QString path = gDir->filePath(QStringLiteral("input.%1").arg(QLatin1String(extensions[data[0] % 11])));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) std::abort();
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
  }
  try {
    const QImage image = DecodeImageFile(path);
    if (image.isNull() || image.format() != QImage::Format_ARGB32 || image.width() > kMaxImageSide ||
        image.height() > kMaxImageSide)
      std::abort();
  } catch (const EImageError& error) {
    if (!error.Message().startsWith(QLatin1String("Cannot load \""))) std::abort();
  }
  return 0;
}
