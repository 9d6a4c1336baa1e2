// Shows each pixel form on the display and saves it as PNG, to look at the layouts as users see them.
// The five bitmap editors show a picture loaded through their Load... flow.
#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaGrayscaleBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaRGBWColorBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeTransparencyBitmapEditorFormUnit.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
// A small logo: a sun over hills on a sky that fades out to the left.
QImage Picture() {
  QImage image(40, 28, QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgba(60, 120 + y * 4, 230, std::min(255, 40 + x * 12)));
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 210, 40));
  p.drawEllipse(QPoint(28, 8), 6, 6);
  p.setBrush(QColor(30, 150, 50));
  p.drawEllipse(QPoint(10, 30), 18, 10);
  p.setBrush(QColor(20, 100, 40));
  p.drawEllipse(QPoint(32, 32), 16, 9);
  return image;
}

bool Shoot(TArduinoBasicPixelEditorForm& form, const QString& file, const std::function<void()>& fill) {
  fill();
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
  QTemporaryDir temp;
  const QString picture = temp.filePath(QStringLiteral("logo.png"));
  if (!Picture().save(picture)) return 1;
  SetDialogResponder([&](const TDialogRequest&) { return TDialogAnswer{mrOk, picture, 1}; });

  bool ok = true;
  {
    TBasicSizedPixelEditorForm sized;
    ok &= Shoot(sized, dir + QStringLiteral("/BasicSizedPixelEditorForm.png"), [&] {
      sized.SetPixelsSize({24, 16});
      for (int i = 0; i < 24 * 16; ++i) sized.SetPixel(i % 24, i / 24, 0xFF000000u | uint32_t(i * 2654435761u >> 8));
    });
  }
  const std::pair<const char*, std::function<TBasicLoadSaveSizedPixelEditorForm*()>> editors[] = {
      {"MonochromeBitmapEditor", [] { return new TArduinoBasicMonochromeBitmapEditorForm; }},
      {"MonochromeTransparencyBitmapEditor", [] { return new TBasicMonochromeTransparencyBitmapEditorForm; }},
      {"AlphaColorBitmapEditor", [] { return new TAlphaColorBitmapEditorForm; }},
      {"AlphaGrayscaleBitmapEditor", [] { return new TAlphaGrayscaleBitmapEditorForm; }},
      {"AlphaRGBWColorBitmapEditor", [] { return new TAlphaRGBWColorBitmapEditorForm; }},
  };
  for (const auto& [name, make] : editors) {
    std::unique_ptr<TBasicLoadSaveSizedPixelEditorForm> form(make());
    ok &= Shoot(*form, dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"), [&] {
      form->LoadButton->click();
      // A few edits of the kinds each editor has beyond the picture: split, transparent, white.
      form->SetPixel(0, 0, 0xFFC0C0C0u);
      form->SetPixel(1, 0, form->GetClearColor());
      if (QLatin1String(name) == QLatin1String("AlphaRGBWColorBitmapEditor"))
        for (int x = 0; x < 10; ++x) form->SetPixel(x, 20, MakeRGBWAlphaColor(255, uint8_t(x * 28), 0, 0, 80));
    });
  }
  std::printf("%s\n", ok ? "saved" : "failed");
  return ok ? 0 : 1;
}
