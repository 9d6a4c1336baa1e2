#include "pixeleditors/AlphaColorBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaGrayscaleBitmapEditorFormUnit.h"
#include "pixeleditors/AlphaRGBWColorBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeBitmapEditorFormUnit.h"
#include "pixeleditors/BasicMonochromeTransparencyBitmapEditorFormUnit.h"
#include "pixeleditors/GridZoom.h"
#include "pixeleditors/ImportOptionsFormUnit.h"
#include "toolkit/Headless.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSettings>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <sys/resource.h>

namespace {
// A shown 255 x 255 editor in a 1280 x 800 dialog, every pixel set.
struct TBenchForm {
  TBasicSizedPixelEditorForm form;
  int rebuilds = 0;
  TBenchForm() {
    form.resize(1280, 800);
    Fill();
    QObject::connect(form.PreviewImage, &TImage::OnPictureChange, [this] { ++rebuilds; });
    form.show();
    QApplication::processEvents();
    rebuilds = 0;
  }
  void Fill();
};

void TBenchForm::Fill() {
  form.SetPixelsSize({255, 255});
  for (int y = 0; y < 255; ++y)
    for (int x = 0; x < 255; ++x)
      form.SetPixel(x, y, (x + y) % 3 ? 0xFF000000u | uint32_t(x << 16 | y << 8 | (x ^ y)) : 0x80FF8040u);
}

TBenchForm& Form() {
  static auto* f = new TBenchForm;  // lives until exit: the QApplication outlives every benchmark
  return *f;
}

// One operation and the preview rebuild it queued.
template <class TOp>
void RunOperation(benchmark::State& state, TOp op) {
  TBenchForm& f = Form();
  f.rebuilds = 0;
  for (auto _ : state) {
    op(f.form);
    QCoreApplication::processEvents();
  }
  state.counters["rebuilds_per_op"] = double(f.rebuilds) / double(state.iterations());
}

#define PIXEL_OP(Name, Call) \
  void BM_##Name(benchmark::State& state) { RunOperation(state, [](TBasicSizedPixelEditorForm& f) { Call; }); } \
  BENCHMARK(BM_##Name)->Unit(benchmark::kMillisecond)

PIXEL_OP(Clear, f.ClearButtonClick());
PIXEL_OP(Invert, f.InvertButtonClick());
PIXEL_OP(ShiftLeft, f.ShiftLeft1Click());
PIXEL_OP(ShiftRight, f.ShiftRight1Click());
PIXEL_OP(ShiftUp, f.ShiftUp1Click());
PIXEL_OP(ShiftDown, f.ShiftDown1Click());
PIXEL_OP(MirrorHorizontal, f.MirrorHorizontal1Click());
PIXEL_OP(MirrorVertical, f.MirroroVertical1Click());
PIXEL_OP(RotateLeft, f.RotateLeft1Click());
PIXEL_OP(RotateRight, f.RotateRight1Click());
// Every pixel through SetPixel, as loading a picture does.
PIXEL_OP(SetPixelEveryPixel, for (int y = 0; y < 255; ++y) for (int x = 0; x < 255; ++x) f.SetPixel(x, y, 0xFF102030u));

// Undo and redo, alternately, of a whole-image operation (Invert) on the 255 x 255 image: the
// history's own work, then with the repaint request, status text and preview rebuild of the dialog.
void BM_HistoryUndoRedoWholeImage(benchmark::State& state) {
  TPixelGrid image;
  image.Resize(255, 255, 0);
  uint64_t n = 0;  // colour noise: the least a region compresses
  image.Transform([&](uint64_t) { return 0xFF000000u | uint32_t((n++ * 2654435761u) >> 8); });
  TPixelHistory history;
  history.Commit(image);
  image.Invert();
  history.Commit(image);
  bool undo = true;
  for (auto _ : state) {
    benchmark::DoNotOptimize(undo ? history.Undo(image) : history.Redo(image));
    undo = !undo;
  }
  state.counters["stored_KiB"] = double(history.Bytes()) / 1024.0;
}
BENCHMARK(BM_HistoryUndoRedoWholeImage)->Unit(benchmark::kMillisecond);

// Recording a whole-image change (Invert) of the same image: what every whole-image operation adds.
void BM_HistoryCommitWholeImage(benchmark::State& state) {
  TPixelGrid image;
  image.Resize(255, 255, 0);
  uint64_t n = 0;
  image.Transform([&](uint64_t) { return 0xFF000000u | uint32_t((n++ * 2654435761u) >> 8); });
  TPixelHistory history;
  history.Commit(image);
  for (auto _ : state) {
    image.Invert();
    history.Commit(image);
  }
}
BENCHMARK(BM_HistoryCommitWholeImage)->Unit(benchmark::kMillisecond);

// Argument 0: the handler and the preview rebuild it queued, the dialog hidden; 1: shown, with the
// repaint of every visible cell (2418 of them at 1280 x 800) as well.
void BM_DialogUndoRedoWholeImage(benchmark::State& state) {
  TBenchForm& f = Form();
  f.Fill();  // the operations before may have left a plain image
  f.form.InvertButtonClick();
  f.form.setVisible(state.range(0) == 1);
  QCoreApplication::processEvents();
  bool undo = true;
  for (auto _ : state) {
    if (undo) f.form.Undo1Click();
    else f.form.Redo1Click();
    undo = !undo;
    QCoreApplication::processEvents();
  }
  f.form.show();
  QCoreApplication::processEvents();
}
BENCHMARK(BM_DialogUndoRedoWholeImage)->ArgName("repaint")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UpdateImage(benchmark::State& state) {
  TBenchForm& f = Form();
  for (auto _ : state) f.form.UpdateImage();
}
BENCHMARK(BM_UpdateImage)->Unit(benchmark::kMillisecond);

void BM_PaintVisibleGrid(benchmark::State& state) {
  TBenchForm& f = Form();
  QWidget* view = f.form.Grid->viewport();
  QImage target(view->size(), QImage::Format_ARGB32_Premultiplied);
  int cells = 0;
  auto count = QObject::connect(f.form.Grid, &TDrawGrid::OnDrawCell, [&] { ++cells; });
  for (auto _ : state) view->render(&target);
  QObject::disconnect(count);
  state.counters["cells"] = double(cells) / double(state.iterations());
  state.counters["width"] = view->width();
  state.counters["height"] = view->height();
}
BENCHMARK(BM_PaintVisibleGrid)->Unit(benchmark::kMillisecond);
// The file the next file dialog chooses.
QString& ChosenFile() {
  static QString file;
  return file;
}

double PeakRssMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
}

// A 4000 x 3000 photo-like picture (smooth shapes with a little grain), written once per type.
const QString& LargePicture(const QString& type) {
  static QTemporaryDir dir;
  static std::map<QString, QString> files;
  QString& file = files[type];
  if (file.isEmpty()) {
    QImage photo(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < photo.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
      for (int x = 0; x < photo.width(); ++x) {
        const int grain = int(random.bounded(9u)) - 4;
        row[x] = qRgb(std::clamp((x / 16 + grain) % 256, 0, 255), std::clamp(y / 12 + grain, 0, 255),
                      std::clamp(((x + y) / 28 + grain) % 256, 0, 255));
      }
    }
    file = dir.filePath(QStringLiteral("photo.") + type);
    photo.save(file);
  }
  return file;
}

template <class TEditor>
TBasicLoadSaveSizedPixelEditorForm* Make() {
  return new TEditor;
}

void BM_LoadLargePicture(benchmark::State& state, TBasicLoadSaveSizedPixelEditorForm* (*make)(), const char* type) {
  const QString& file = LargePicture(QLatin1String(type));
  std::unique_ptr<TBasicLoadSaveSizedPixelEditorForm> form(make());
  for (auto _ : state) {
    ChosenFile() = file;
    QMetaObject::invokeMethod(form.get(), "LoadButtonClick", Qt::DirectConnection);
    QCoreApplication::processEvents();  // the preview rebuild it queued
  }
  if (form->GetPixelsSize().cx != 255) state.SkipWithError("the picture did not load");
  state.counters["peak_rss_MB"] = PeakRssMB();
}
#define LOAD_BENCH(Name, Editor)                                                                                 \
  BENCHMARK_CAPTURE(BM_LoadLargePicture, Name##_png, &Make<Editor>, "png")->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(BM_LoadLargePicture, Name##_jpg, &Make<Editor>, "jpg")->Unit(benchmark::kMillisecond)
LOAD_BENCH(Monochrome, TArduinoBasicMonochromeBitmapEditorForm);
LOAD_BENCH(Transparency, TBasicMonochromeTransparencyBitmapEditorForm);
LOAD_BENCH(Color, TAlphaColorBitmapEditorForm);
LOAD_BENCH(Grayscale, TAlphaGrayscaleBitmapEditorForm);
LOAD_BENCH(RGBW, TAlphaRGBWColorBitmapEditorForm);

void BM_SavePng255(benchmark::State& state) {
  QTemporaryDir dir;
  TAlphaColorBitmapEditorForm form;
  form.SetPixelsSize({255, 255});
  for (int y = 0; y < 255; ++y)
    for (int x = 0; x < 255; ++x) form.SetPixel(x, y, 0xFF000000u | uint32_t(x << 16 | y << 8 | (x ^ y)));
  for (auto _ : state) {
    ChosenFile() = dir.filePath(QStringLiteral("image.png"));
    form.SaveButtonClick();  // over the last one: the question is answered Yes
  }
}
BENCHMARK(BM_SavePng255)->Unit(benchmark::kMillisecond);

// A 4000 x 3000 JPEG fitted into 128 x 64 and reduced with Floyd-Steinberg dithering. Argument 0:
// decoded at 1/8 by the reader, as Load does for a picture it only scales down; 1: decoded whole;
// 2: the monochrome dialog's Load with those options remembered, preview rebuild included.
void BM_FitJpeg4000x3000Into128x64(benchmark::State& state) {
  const QString& file = LargePicture(QStringLiteral("jpg"));
  const QSize target(128, 64);
  const TImportSettings settings({128, TDithering::FloydSteinberg}, false, {TPlacement::Fit});
  TArduinoBasicMonochromeBitmapEditorForm form;
  form.SetPixelsSize({target.width(), target.height()});
  settings.Save();
  for (auto _ : state) {
    if (state.range(0) == 2) {
      form.SetPixelsSize({target.width(), target.height()});
      ChosenFile() = file;
      form.LoadButtonClick();
      QCoreApplication::processEvents();
    } else {
      const QImage picture = DecodeImageFile(file, state.range(0) == 0 ? target : QSize());
      benchmark::DoNotOptimize(ImportedBitmap(picture, target, settings, BitmapKinds::Monochrome.Samples));
    }
  }
  if (state.range(0) == 2 && form.GetPixelsSize().cy != 64) state.SkipWithError("the picture did not load");
  TImportSettings().Save();
}
BENCHMARK(BM_FitJpeg4000x3000Into128x64)->ArgName("path")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The pencil drawn one cell further, on a shown 255 x 255 dialog at 48 px cells: the move, the
// repaint of what changed and the preview rebuild. The stroke runs over the visible cells row by row
// and, at the end, starts again with the other button, so that every move changes one cell.
void BM_PencilMove255At48(benchmark::State& state) {
  TBenchForm& f = Form();
  f.Fill();
  f.form.Zoom()->SetCellSize(48);
  f.form.Grid->SetLeftCol(0);
  f.form.Grid->SetTopRow(0);
  QApplication::processEvents();
  f.form.SetTool(TPixelTool::Pencil);
  QWidget* view = f.form.Grid->viewport();
  const int cols = f.form.Grid->VisibleColCount(), rows = f.form.Grid->VisibleRowCount();
  int cells = 0, step = 0;
  Qt::MouseButton button = Qt::LeftButton;
  const auto send = [&](QEvent::Type type, int i, Qt::MouseButton b, Qt::MouseButtons held) {
    const int row = i / cols, col = row % 2 ? cols - 1 - i % cols : i % cols;  // serpentine
    const QPointF at = f.form.Grid->CellRect(col, row).center();
    QMouseEvent event(type, at, view->mapToGlobal(at), b, held, Qt::NoModifier);
    QApplication::sendEvent(view, &event);
  };
  send(QEvent::MouseButtonPress, 0, button, button);
  QApplication::processEvents();
  auto count = QObject::connect(f.form.Grid, &TDrawGrid::OnDrawCell, [&] { ++cells; });
  for (auto _ : state) {
    if (++step == cols * rows) {
      send(QEvent::MouseButtonRelease, step - 1, button, Qt::NoButton);
      button = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
      step = 0;
      send(QEvent::MouseButtonPress, 0, button, button);
    } else {
      send(QEvent::MouseMove, step, Qt::NoButton, button);
    }
    QApplication::processEvents();
  }
  QObject::disconnect(count);
  send(QEvent::MouseButtonRelease, step, button, Qt::NoButton);
  f.form.SetTool(TPixelTool::Select);
  f.form.Zoom()->SetCellSize(18);
  state.counters["cells_painted_per_move"] = double(cells) / double(state.iterations());
  state.counters["visible_cells"] = cols * rows;
}
BENCHMARK(BM_PencilMove255At48)->Unit(benchmark::kMillisecond);

// A flood fill over every pixel of a 255 x 255 image, alternating two values: the fill alone (0),
// and the dialog's Fill tool (1): a click, its undo step, the repaint and the preview rebuild.
void BM_FloodFill255(benchmark::State& state) {
  if (state.range(0) == 0) {
    TPixelGrid image;
    image.Resize(255, 255, 0);
    uint64_t value = 0;
    for (auto _ : state) benchmark::DoNotOptimize(FloodFill(image, {127, 127}, ++value));
    return;
  }
  TBenchForm& f = Form();
  f.form.SetPixelsSize({255, 255});
  f.form.ClearButtonClick();  // all black: each fill covers the whole image
  f.form.Grid->SetLeftCol(0);
  f.form.Grid->SetTopRow(0);
  QWidget* view = f.form.Grid->viewport();
  const QPointF at = f.form.Grid->CellRect(1, 1).center();
  f.form.SetTool(TPixelTool::Fill);
  QApplication::processEvents();
  Qt::MouseButton button = Qt::LeftButton;  // ink white over the clear black, then back
  {
    QMouseEvent pick(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                     Qt::AltModifier);
    f.form.SetPixel(1, 1, 0xFFFFFFFFu);
    QApplication::sendEvent(view, &pick);
    f.form.SetPixel(1, 1, 0xFF000000u);
  }
  for (auto _ : state) {
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &release);
    QApplication::processEvents();
    button = button == Qt::LeftButton ? Qt::RightButton : Qt::LeftButton;
  }
  f.form.SetTool(TPixelTool::Select);
}
BENCHMARK(BM_FloodFill255)->ArgName("dialog")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
  PrepareHeadless();
  QApplication app(argc, argv);
  // The import options a benchmark sets stay out of the user's settings.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  // Questions are answered Yes, file dialogs with the file a benchmark chose.
  SetDialogResponder([](const TDialogRequest& request) {
    return request.kind == TDialogRequest::Message ? TDialogAnswer{mrYes, {}, 1} : TDialogAnswer{mrOk, ChosenFile(), 1};
  });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
