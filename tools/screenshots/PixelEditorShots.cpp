// The pixel forms: the five bitmap editors with a picture loaded through their Load... flow, the
// sized editor, the monochrome editor with a photo fitted into 128 x 64 beside its import options,
// the colour editor in the middle of drawing a line, and the Load... button's file dialog (Qt's
// own) with its list of file types open.
#include "Shots.h"

#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaGrayscaleBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaRGBWColorBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeTransparencyBitmapEditorFormUnit.h"
#include "pixeleditors/GridZoom.h"
#include "pixeleditors/ImportOptionsFormUnit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
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
QImage Photo(int scale) {
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

// Every Load... from here on answers with the logo, written once per run.
void AnswerLoadWithLogo(TShots& shots) {
  const QString file = shots.TempPath(QStringLiteral("logo.png"));
  if (!QFileInfo::exists(file)) Picture().save(file);
  SetDialogResponder([file](const TDialogRequest&) { return TDialogAnswer{mrOk, file, 1}; });
}

// The form with a cell clicked, so the grid has its focus frame and the status bar a position.
bool ShootForm(TShots& shots, TArduinoBasicPixelEditorForm& form, const QString& name) {
  if (!Present(form)) return false;
  form.Grid->setFocus();
  QTest::mouseClick(form.Grid->viewport(), Qt::LeftButton, {}, form.Grid->CellRect(3, 2).center());
  Settle();
  return shots.SaveWidget(form, name);
}

bool ShootSized(TShots& shots) {
  TBasicSizedPixelEditorForm sized;
  sized.SetPixelsSize({24, 16});
  for (int i = 0; i < 24 * 16; ++i) sized.SetPixel(i % 24, i / 24, 0xFF000000u | uint32_t(i * 2654435761u >> 8));
  return ShootForm(shots, sized, QStringLiteral("BasicSizedPixelEditorForm"));
}

const std::pair<QString, std::function<TBasicLoadSaveSizedPixelEditorForm*()>> Editors[] = {
    {QStringLiteral("MonochromeBitmapEditor"), [] { return new TArduinoBasicMonochromeBitmapEditorForm; }},
    {QStringLiteral("MonochromeTransparencyBitmapEditor"), [] { return new TBasicMonochromeTransparencyBitmapEditorForm; }},
    {QStringLiteral("AlphaColorBitmapEditor"), [] { return new TAlphaColorBitmapEditorForm; }},
    {QStringLiteral("AlphaGrayscaleBitmapEditor"), [] { return new TAlphaGrayscaleBitmapEditorForm; }},
    {QStringLiteral("AlphaRGBWColorBitmapEditor"), [] { return new TAlphaRGBWColorBitmapEditorForm; }},
};

bool ShootEditor(TShots& shots, const QString& name, const std::function<TBasicLoadSaveSizedPixelEditorForm*()>& make) {
  AnswerLoadWithLogo(shots);
  std::unique_ptr<TBasicLoadSaveSizedPixelEditorForm> form(make());
  form->LoadButton->click();
  // A few edits of the kinds each editor has beyond the picture: split, transparent, white.
  form->SetPixel(0, 0, 0xFFC0C0C0u);
  form->SetPixel(1, 0, form->GetClearColor());
  if (name == QLatin1String("AlphaRGBWColorBitmapEditor"))
    for (int x = 0; x < 10; ++x) form->SetPixel(x, 20, MakeRGBWAlphaColor(255, uint8_t(x * 28), 0, 0, 80));
  return ShootForm(shots, *form, name);
}

// A photo five times the display's size, fitted into 128 x 64 on white and dithered.
bool ShootImportOptions(TShots& shots) {
  const QImage photo = Photo(5);
  const QString photoFile = shots.TempPath(QStringLiteral("photo.png"));
  bool ok = photo.save(photoFile);
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
  Settle();
  const QPixmap left = mono.grab(), right = options.grab();
  QImage both(left.width() + 8 + right.width(), std::max(left.height(), right.height()), QImage::Format_RGB32);
  both.fill(QColor(0x80, 0x80, 0x80));
  QPainter p(&both);
  p.drawPixmap(0, 0, left);
  p.drawPixmap(left.width() + 8, 0, right);
  p.end();
  ok &= shots.Save(both, QStringLiteral("MonochromeImportOptions"));
  TImportSettings().Save();
  SetDialogResponder({});
  return ok;
}

// The colour dialog in the middle of a line, after a rectangle, with the sun's yellow as ink.
bool ShootDrawingLine(TShots& shots) {
  AnswerLoadWithLogo(shots);
  TAlphaColorBitmapEditorForm form;
  form.LoadButton->click();
  form.Zoom()->SetCellSize(14);
  bool ok = Present(form);
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
  Settle();
  ok &= shots.SaveWidget(form, QStringLiteral("DrawingLine"));
  QTest::mouseRelease(view, Qt::LeftButton, {}, at(20, 12));
  SetDialogResponder({});
  return ok;
}

bool ShootLoadFileDialog(TShots& shots) {
  SetDialogResponder({});
  TAlphaColorBitmapEditorForm form;
  form.OpenDialog->InitialDir = shots.TempDir();
  form.show();
  bool ok = false;
  QTimer::singleShot(300, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* types = dialog ? dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
    if (!types) return;
    types->showPopup();
    QTest::qWait(300);
    const QRect area = dialog->frameGeometry().united(types->view()->window()->geometry());
    ok = shots.SaveScreen(area, QStringLiteral("LoadFileDialog"));
    types->hidePopup();
    dialog->reject();
  });
  form.LoadButton->click();
  return ok;
}
}  // namespace

void AddPixelEditorShots(TShotGroups& groups) {
  groups.push_back({{QStringLiteral("BasicSizedPixelEditorForm")}, ShootSized});
  for (const auto& [name, make] : Editors)
    groups.push_back({{name}, [name, make](TShots& shots) { return ShootEditor(shots, name, make); }});
  groups.push_back({{QStringLiteral("MonochromeImportOptions")}, ShootImportOptions});
  groups.push_back({{QStringLiteral("DrawingLine")}, ShootDrawingLine});
  groups.push_back({{QStringLiteral("LoadFileDialog")}, ShootLoadFileDialog});
}
