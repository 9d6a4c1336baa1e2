#include "Shots.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cstdio>

bool TShots::Save(const QImage& picture, const QString& name) {
  if (!Wants(name)) return true;
  const QString file = FDir + QLatin1Char('/') + name + QStringLiteral(".png");
  if (!picture.save(file)) {
    std::fprintf(stderr, "velto-screenshots: cannot write %s\n", qPrintable(file));
    return false;
  }
  FWritten << name;
  std::printf("%s\n", qPrintable(file));
  return true;
}

bool TShots::Save(const QPixmap& picture, const QString& name) { return Save(picture.toImage(), name); }

bool TShots::SaveWidget(QWidget& window, const QString& name) { return Save(window.grab(), name); }

bool TShots::SaveScreen(const QRect& area, const QString& name) {
  return Save(QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()), name);
}

bool Present(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowExposed(&window);
}

void Settle() { QTest::qWait(200); }
