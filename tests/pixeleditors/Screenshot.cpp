// Shows each pixel form on the display and saves it as PNG, to look at the layout as users see it.
#include "pixeleditors/BasicPixelEditorFormUnit.h"
#include "pixeleditors/BasicSizedPixelEditorFormUnit.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>

namespace {
void Fill(TArduinoBasicPixelEditorForm& form) {
  form.SetPixelsSize({24, 16});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 24; ++x) {
      const bool ring = (x - 12) * (x - 12) + (y - 8) * (y - 8) < 40;
      const uint32_t alpha = x < 6 ? 0x60000000u : 0xFF000000u;
      form.SetPixel(x, y, ring ? alpha | 0xFFFFFFu : alpha | uint32_t(x * 10) << 16 | uint32_t(y * 15));
    }
}

bool Shoot(TArduinoBasicPixelEditorForm& form, const QString& file) {
  Fill(form);
  form.show();
  form.activateWindow();
  if (!QTest::qWaitForWindowExposed(&form)) return false;
  form.Grid->setFocus();
  QTest::mouseClick(form.Grid->viewport(), Qt::LeftButton, {}, form.Grid->CellRect(3, 2).center());
  QTest::qWait(200);
  return form.grab().save(file);
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  TArduinoBasicPixelEditorForm base;
  TBasicSizedPixelEditorForm sized;
  const bool ok = Shoot(base, dir + QStringLiteral("/BasicPixelEditorForm.png")) &&
                  Shoot(sized, dir + QStringLiteral("/BasicSizedPixelEditorForm.png"));
  std::printf("%s\n", ok ? "saved" : "failed");
  return ok ? 0 : 1;
}
