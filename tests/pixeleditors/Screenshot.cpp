// Shows each pixel form on the display and saves it as PNG, to look at the layouts as users see them.
// The five bitmap editors show a picture loaded through their Load... flow; one more picture shows
// the monochrome editor with a photo fitted into 128 x 64 beside its import options, one the colour
// editor in the middle of drawing a line, and one the Load... button's file dialog (Qt's own) with
// its list of file types open.
#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaGrayscaleBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaRGBWColorBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeTransparencyBitmapEditorFormUnit.h"
#include "pixeleditors/GridZoom.h"
#include "pixeleditors/ImportOptionsFormUnit.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QScreen>
#include <QTimer>
#include <QDir>
#include <QPainter>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
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

// A photo-like picture: a sky lighter towards the horizon, a sun with a soft glow, shaded hills;
// `scale` times 120 x 80 pixels.
QImage Photo(int scale = 1) {
  QImage image(120 * scale, 80 * scale, QImage::Format_RGB32);
  auto level = [](double v) { return int(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
  for (int py = 0; py < image.height(); ++py)
    for (int px = 0; px < image.width(); ++px) {
      const double x = double(px) / scale, y = double(py) / scale;
      const double glow = std::clamp(1.0 - (std::hypot(x - 84.0, y - 22.0) - 8.0) / 22.0, 0.0, 1.0);
      double r = 0.25 + 0.5 * y / 80 + 0.7 * glow, g = 0.45 + 0.35 * y / 80 + 0.5 * glow, b = 0.9 - 0.3 * glow;
      const double hill = 52 + 10 * std::sin(x / 14.0) + (x > 70 ? (x - 70) / 4.0 : 0);
      if (y > hill) {
        r = 0.15 + 0.1 * std::sin(x / 5.0);
        g = std::max(0.15, 0.65 - (y - hill) / 40.0);
        b = 0.15;
      }
      image.setPixel(px, py, qRgb(level(r), level(g), level(b)));
    }
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
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QTemporaryDir temp;
  // The import options come from a settings file of this run only.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, temp.path());
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
  {
    // A photo five times the display's size, fitted into 128 x 64 on white and dithered.
    const QImage photo = Photo(5);
    const QString photoFile = temp.filePath(QStringLiteral("photo.png"));
    ok &= photo.save(photoFile);
    const TImportSettings settings({128, TDithering::FloydSteinberg}, true,
                                   {TPlacement::Fit, TScaling::Smooth, TBackground::White});
    settings.Save();
    SetDialogResponder([&](const TDialogRequest& request) {
      return request.kind == TDialogRequest::Form ? TDialogAnswer{mrOk, {}, 1} : TDialogAnswer{mrOk, photoFile, 1};
    });
    TArduinoBasicMonochromeBitmapEditorForm mono;
    mono.SetPixelsSize({128, 64});
    mono.resize(872, 520);
    mono.Zoom()->SetCellSize(6);
    mono.move(0, 0);
    mono.show();
    mono.activateWindow();
    mono.LoadButton->click();  // after showing: the status bar names the options applied
    TImportOptionsForm options;
    options.SetConversion(BitmapKinds::Monochrome.Samples);
    options.SetSettings(settings);
    options.SetTarget({128, 64});
    options.SetPicture(photo);
    options.move(mono.width() + 8, 0);
    options.show();
    ok &= QTest::qWaitForWindowExposed(&mono) && QTest::qWaitForWindowExposed(&options);
    mono.Grid->setFocus();
    QTest::qWait(200);
    const QPixmap left = mono.grab(), right = options.grab();
    QImage both(left.width() + 8 + right.width(), std::max(left.height(), right.height()), QImage::Format_RGB32);
    both.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&both);
    p.drawPixmap(0, 0, left);
    p.drawPixmap(left.width() + 8, 0, right);
    p.end();
    ok &= both.save(dir + QStringLiteral("/MonochromeImportOptions.png"));
    TImportSettings().Save();
  }
  {
    // The colour dialog in the middle of a line, after a rectangle, with the sun's yellow as ink.
    SetDialogResponder([&](const TDialogRequest&) { return TDialogAnswer{mrOk, picture, 1}; });
    TAlphaColorBitmapEditorForm form;
    form.LoadButton->click();
    form.Zoom()->SetCellSize(14);
    form.show();
    form.activateWindow();
    ok &= QTest::qWaitForWindowExposed(&form);
    QWidget* view = form.Grid->viewport();
    const auto at = [&](int x, int y) { return form.Grid->CellRect(x, y).center(); };
    QTest::mouseClick(form.RectangleToolButton, Qt::LeftButton);
    QTest::mouseClick(view, Qt::LeftButton, Qt::AltModifier, at(28, 8));
    QTest::mousePress(view, Qt::LeftButton, {}, at(20, 1));
    QTest::mouseMove(view, at(36, 15));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(36, 15));
    QTest::mouseClick(form.LineToolButton, Qt::LeftButton);
    QTest::mouseClick(view, Qt::LeftButton, Qt::AltModifier, at(28, 8));
    QTest::mousePress(view, Qt::LeftButton, {}, at(2, 25));
    QTest::mouseMove(view, at(15, 14));
    QTest::mouseMove(view, at(20, 12));
    QTest::qWait(200);
    ok &= form.grab().save(dir + QStringLiteral("/DrawingLine.png"));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(20, 12));
  }
  {
    SetDialogResponder({});
    TAlphaColorBitmapEditorForm form;
    form.OpenDialog->InitialDir = temp.path();
    form.show();
    QTimer::singleShot(300, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      auto* types = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
      ok &= types != nullptr;
      if (!types) return;
      types->showPopup();
      QTest::qWait(300);
      // The list is a window of its own: the picture is taken from the screen.
      const QRect area = dialog->frameGeometry().united(types->view()->window()->geometry());
      ok &= QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                .save(dir + QStringLiteral("/LoadFileDialog.png"));
      types->hidePopup();
      dialog->reject();
    });
    form.LoadButton->click();
  }
  std::printf("%s\n", ok ? "saved" : "failed");
  return ok ? 0 : 1;
}
