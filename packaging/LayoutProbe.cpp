// Asks the host library what an installed designer would get: which metafile helper it runs, what
// a metafile decodes to, which type the desktop's MIME database gives a file. Run from inside an
// unpacked package by test-installed-layout.
#include "graphics/Codecs.h"

#include <QCoreApplication>
#include <QMimeDatabase>
#include <QStringList>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  const QString mode = args.value(0);
  try {
    if (mode == QLatin1String("helper") && args.size() == 1) {
      std::printf("%s\n", qPrintable(MetafileHelperPath()));
      return 0;
    }
    if (mode == QLatin1String("decode") && args.size() == 2) {
      const QImage image = DecodeImageFile(args[1]);
      std::printf("%dx%d %08x\n", image.width(), image.height(), image.pixel(image.width() / 2, image.height() / 2));
      return 0;
    }
    if (mode == QLatin1String("mime") && args.size() == 2) {
      std::printf("%s\n", qPrintable(QMimeDatabase().mimeTypeForFile(args[1]).name()));
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velto_layout_probe: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: velto_layout_probe helper | decode FILE | mime FILE\n");
  return 2;
}
