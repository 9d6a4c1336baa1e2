#include "pixeleditors/BasicSizedPixelEditorFormUnit.h"
#include "toolkit/Headless.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {
// A shown 255 x 255 editor in a 1280 x 800 dialog, every pixel set.
struct TBenchForm {
  TBasicSizedPixelEditorForm form;
  int rebuilds = 0;
  TBenchForm() {
    form.resize(1280, 800);
    form.SetPixelsSize({255, 255});
    for (int y = 0; y < 255; ++y)
      for (int x = 0; x < 255; ++x)
        form.SetPixel(x, y, (x + y) % 3 ? 0xFF000000u | uint32_t(x << 16 | y << 8 | (x ^ y)) : 0x80FF8040u);
    QObject::connect(form.PreviewImage, &TImage::OnPictureChange, [this] { ++rebuilds; });
    form.show();
    QApplication::processEvents();
    rebuilds = 0;
  }
};

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
}  // namespace

int main(int argc, char** argv) {
  PrepareHeadless();
  QApplication app(argc, argv);
  // Clear asks first; the benchmark answers Yes.
  SetDialogResponder([](const TDialogRequest&) { return TDialogAnswer{mrYes, {}, 1}; });
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
