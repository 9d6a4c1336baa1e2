// Prints where this program, with the host library it was started with, finds the metafile helper:
// the test lays both out in folders of its own.
#include "graphics/Codecs.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  const QCoreApplication app(argc, argv);
  std::fputs(MetafileHelperPath().toLocal8Bit().constData(), stdout);
  return 0;
}
