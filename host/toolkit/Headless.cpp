#include "Headless.h"

#include <unistd.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdlib>

void PrepareHeadless() {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (std::getenv("XDG_RUNTIME_DIR")) return;
  const QString dir = QDir::tempPath() + QStringLiteral("/velto-runtime-") + QString::number(getuid());
  QDir().mkpath(dir);
  QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  setenv("XDG_RUNTIME_DIR", dir.toUtf8().constData(), 1);
}
