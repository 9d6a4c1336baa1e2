#include "arduino/Components.h"
#include "propertyeditors/BitmapPropertyEditors.h"
#include "propertyeditors/GrayscaleAlphaColorInplaceFormUnit.h"
#include "toolkit/Dialogs.h"

#include <QImage>
#include <benchmark/benchmark.h>

namespace {
struct TNoDesigner : IDesigner {
  std::shared_ptr<IModification> BeginModify(TPersistent*) override { return nullptr; }
};

template <class TComponentClass, class TEditor>
void BM_DrawValue(benchmark::State& state) {
  TComponentClass component;
  component.GetBitmap()->SetSize(255, 255);
  TEditor editor(nullptr, {&component}, "Bitmap");
  QImage canvas(400, 24, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    TGPGraphics graphics(&canvas);
    QRect cell(0, 0, 400, 24);
    editor.DrawValue(graphics, 0, 0, cell, 0);
  }
}
BENCHMARK(BM_DrawValue<TArduinoColorGraphicsElementDrawBitmap, TArduinoGraphicsColorBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawValue<TArduinoRGBWGraphicsElementDrawBitmap, TArduinoGraphicsRGBWColorBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawValue<TArduinoMonochromeGraphicsElementDrawBitmap, TArduinoGraphicsMonochromeBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawValue<TArduinoMonochromeGraphicsElementDrawTransparencyBitmap, TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);

// The whole Execute: the dialog made and filled, answered OK at once, every pixel written back.
template <class TComponentClass, class TEditor>
void BM_ExecuteWriteBack(benchmark::State& state) {
  TComponentClass component;
  component.GetBitmap()->SetSize(255, 255);
  TNoDesigner designer;
  TEditor editor(&designer, {&component}, "Bitmap");
  SetDialogResponder([](const TDialogRequest&) { return TDialogAnswer{mrOk, {}, 1}; });
  for (auto _ : state) editor.Execute({});
  SetDialogResponder(nullptr);
}
BENCHMARK(BM_ExecuteWriteBack<TArduinoColorGraphicsElementDrawBitmap, TArduinoGraphicsColorBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExecuteWriteBack<TArduinoRGBWGraphicsElementDrawBitmap, TArduinoGraphicsRGBWColorBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExecuteWriteBack<TArduinoMonochromeGraphicsElementDrawBitmap, TArduinoGraphicsMonochromeBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExecuteWriteBack<TArduinoMonochromeGraphicsElementDrawTransparencyBitmap, TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor>)->Unit(benchmark::kMillisecond);

// The in-place colour form's round trip as a user's drag makes it, one step of the Alpha bar: the
// change callback stores the value into the component inside a modification, every open form is
// set from it, the row is told, and the inspector paints the swatch and text again.
struct TRowNoOp : IMemberUIUpdate {
  void MemberChanged() override {}
  void MemberStructureChanged() override {}
  void UpdateMember(bool) override {}
  void InplaceFormResized() override {}
};
struct TInspectorColor : IInplaceHost {
  QColor GetInplaceColor() const override { return Qt::white; }
};
void BM_GrayscaleTrackBarToSwatch(benchmark::State& state) {
  TArduinoColorToGrayscaleAlphaColor component;
  TNoDesigner designer;
  TGrayscaleAlphaColorPropertyEditor editor(&designer, {&component}, "InitialValue");
  QWidget parent;
  auto* form = qobject_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(
      editor.GetInplaceFormController()->OpenForm(&parent, TInspectorColor(), QRect(0, 0, 300, 18), std::make_shared<TRowNoOp>())->GetForm());
  QImage canvas(400, 18, QImage::Format_ARGB32_Premultiplied);
  int alpha = 0;
  for (auto _ : state) {
    alpha = (alpha + 1) & 0xFF;
    form->TrackBarAlpha->setValue(alpha);
    TGPGraphics graphics(&canvas);
    QRect cell(0, 0, 400, 18);
    editor.DrawValue(graphics, 0, 0, cell, 0);
    benchmark::DoNotOptimize(editor.GetDisplayValues());
  }
  if (component.GetInitialValue().GetAlpha() != alpha) state.SkipWithError("the value was not stored");
}
BENCHMARK(BM_GrayscaleTrackBarToSwatch)->Unit(benchmark::kMicrosecond);
}  // namespace
