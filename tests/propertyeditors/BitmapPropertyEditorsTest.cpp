#include "common/DialogScript.h"
#include "arduino/Components.h"
#include "pixeleditors/BasicPixelEditorFormUnit.h"
#include "propertyeditors/BitmapPropertyEditors.h"

#include <QPointer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace Velto::Arduino::Graphics::ColorPropertyBitmapEditors {
void Register();
}
namespace Velto::Graphics::Arduino::MonochromePropertyBitmapEditors {
void Register();
}

namespace {
using TTransparency = TArduinoMonochromeGraphicsTransparencyPixelColor;
constexpr uint64_t kStates[] = {0xFF808080u, 0xFFC0C0C0u, 0xFF000000u, 0xFFFFFFFFu};

// Records the modifications an editor opens and whether its dialog was gone when they ended.
struct TRecordingDesigner : IDesigner {
  QStringList Log;
  QPointer<QWidget> Dialog;
  struct TScope : IModification {
    TRecordingDesigner* Owner;
    explicit TScope(TRecordingDesigner* owner) : Owner(owner) {}
    ~TScope() override { Owner->Log << (Owner->Dialog ? "release with the dialog open" : "release"); }
  };
  std::shared_ptr<IModification> BeginModify(TPersistent*) override {
    Log << "open";
    return std::make_shared<TScope>(this);
  }
};

// One editor kind: a component carrying its pixels, a value to put into them, and what the dialog
// and the preview make of it.
struct TKind {
  const char* name;
  std::function<TComponent*()> make;
  std::function<std::unique_ptr<TArduinoGraphicsBitmapPropertyEditor>(IDesigner*, QList<QObject*>)> editor;
  std::function<void(TComponent*, int x, int y, int value)> set;   // value: an index into the kind's samples
  std::function<uint64_t(int value)> dialog;                        // the dialog value of that sample
  std::function<int(TComponent*, int x, int y)> get;                // which sample the component holds
};

template <class TComp, class TEditor>
auto EditorOf() {
  return [](IDesigner* d, QList<QObject*> instances) { return std::make_unique<TEditor>(d, instances, "Bitmap"); };
}

const std::vector<TKind>& Kinds() {
  static const std::vector<TKind> kinds = {
      {"colour", [] { return new TArduinoColorGraphicsElementDrawBitmap; },
       EditorOf<TArduinoColorGraphicsElementDrawBitmap, TArduinoGraphicsColorBitmapPropertyEditor>(),
       [](TComponent* c, int x, int y, int v) { static_cast<TArduinoColorGraphicsElementDrawBitmap*>(c)->GetBitmap()->SetPixel(x, y, 0x80102030u + uint32_t(v) * 0x280000u); },
       [](int v) -> uint64_t { return 0x80102030u + uint32_t(v) * 0x280000u; },
       [](TComponent* c, int x, int y) { return int(static_cast<TArduinoColorGraphicsElementDrawBitmap*>(c)->GetBitmap()->GetPixel(x, y) - 0x80102030u) / 0x280000; }},
      {"RGBW", [] { return new TArduinoRGBWGraphicsElementDrawBitmap; },
       EditorOf<TArduinoRGBWGraphicsElementDrawBitmap, TArduinoGraphicsRGBWColorBitmapPropertyEditor>(),
       [](TComponent* c, int x, int y, int v) { static_cast<TArduinoRGBWGraphicsElementDrawBitmap*>(c)->GetBitmap()->SetPixel(x, y, 0x7F55102030ll + v * 0x280000ll); },
       [](int v) -> uint64_t { return 0x7F55102030ull + uint64_t(v) * 0x280000u; },
       [](TComponent* c, int x, int y) { return int(static_cast<TArduinoRGBWGraphicsElementDrawBitmap*>(c)->GetBitmap()->GetPixel(x, y) - 0x7F55102030ll) / 0x280000; }},
      {"monochrome", [] { return new TArduinoMonochromeGraphicsElementDrawBitmap; },
       EditorOf<TArduinoMonochromeGraphicsElementDrawBitmap, TArduinoGraphicsMonochromeBitmapPropertyEditor>(),
       [](TComponent* c, int x, int y, int v) { static_cast<TArduinoMonochromeGraphicsElementDrawBitmap*>(c)->GetBitmap()->SetPixel(x, y, v % 2); },
       [](int v) -> uint64_t { return v % 2 ? 0xFFFFFFFFu : 0xFF000000u; },
       [](TComponent* c, int x, int y) { return int(static_cast<TArduinoMonochromeGraphicsElementDrawBitmap*>(c)->GetBitmap()->GetPixel(x, y)); }},
      {"transparency", [] { return new TArduinoMonochromeGraphicsElementDrawTransparencyBitmap; },
       EditorOf<TArduinoMonochromeGraphicsElementDrawTransparencyBitmap, TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor>(),
       [](TComponent* c, int x, int y, int v) { static_cast<TArduinoMonochromeGraphicsElementDrawTransparencyBitmap*>(c)->GetBitmap()->SetPixel(x, y, TTransparency(v % 4)); },
       [](int v) -> uint64_t { return kStates[v % 4]; },
       [](TComponent* c, int x, int y) { return int(static_cast<TArduinoMonochromeGraphicsElementDrawTransparencyBitmap*>(c)->GetBitmap()->GetPixel(x, y)); }},
  };
  return kinds;
}

TArduinoGraphicsElementDrawBitmapBasicPixels* PixelsOf(TComponent* c) {
  return qvariant_cast<TArduinoGraphicsElementDrawBitmapBasicPixels*>(c->property("Bitmap"));
}
}  // namespace

TEST(BitmapPropertyEditors, ExecuteCarriesPixelsInAndOutOnOkOnly) {
  for (const TKind& k : Kinds()) {
    std::unique_ptr<TComponent> first(k.make()), second(k.make());
    PixelsOf(first.get())->SetSize(3, 2);
    PixelsOf(second.get())->SetSize(1, 1);
    for (int i = 0; i < 6; ++i) k.set(first.get(), i % 3, i / 3, i);
    TRecordingDesigner designer;
    auto editor = k.editor(&designer, {first.get(), second.get()});
    EXPECT_TRUE(editor->GetIsVisible());

    // Cancel: the dialog saw the first component's pixels; nothing is written, nothing opened.
    TDialogScript script;
    script.AnswerForm([&](QWidget* w) {
      auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
      EXPECT_EQ(form->GetPixelsSize(), (TSize{3, 2})) << k.name;
      for (int i = 0; i < 6; ++i) EXPECT_EQ(form->GetPixel(i % 3, i / 3), k.dialog(i)) << k.name << " " << i;
      form->SetPixelsSize({1, 1});
      form->InvertButtonClick();  // whatever is undone and redone
      form->Undo1Click();
      form->Redo1Click();
      return mrCancel;
    });
    editor->Execute({});
    EXPECT_TRUE(designer.Log.empty()) << k.name;
    EXPECT_EQ(PixelsOf(first.get())->GetSize(), (TSize{3, 2}));

    // OK after edits: the new size and every pixel, inside one modification released last.
    script.AnswerForm([&](QWidget* w) {
      auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
      designer.Dialog = form;
      form->SetPixelsSize({4, 1});
      for (int x = 0; x < 4; ++x) form->SetPixel(x, 0, k.dialog(3 - x));
      form->InvertButtonClick();  // undone: the image as it stands goes back
      form->MirrorHorizontal1Click();
      form->Undo1Click();
      form->Undo1Click();
      return mrOk;
    });
    editor->Execute({});
    EXPECT_EQ(designer.Log, (QStringList{"open", "open", "release", "release"})) << k.name;
    ASSERT_EQ(PixelsOf(first.get())->GetSize(), (TSize{4, 1})) << k.name;
    for (int x = 0; x < 4; ++x) {
      const int expected = k.name == std::string("monochrome") ? (3 - x) % 2 : 3 - x;
      EXPECT_EQ(k.get(first.get(), x, 0), expected) << k.name << " " << x;
    }
    EXPECT_EQ(PixelsOf(second.get())->GetSize(), (TSize{1, 1})) << "only the first selected is written";
  }
}

TEST(BitmapPropertyEditors, SizesAtTheLimitsAndValuesWithoutCounterpart) {
  TRecordingDesigner designer;
  TDialogScript script;
  for (const QSize size : {QSize(0, 0), QSize(300, 300)}) {
    TArduinoColorGraphicsElementDrawBitmap component;
    PixelsOf(&component)->SetSize(size.width(), size.height());
    TArduinoGraphicsColorBitmapPropertyEditor editor(&designer, {&component}, "Bitmap");
    script.AnswerForm([](QWidget*) { return mrOk; });
    editor.Execute({});
    const int side = size.width() == 0 ? 1 : 255;
    EXPECT_EQ(PixelsOf(&component)->GetSize(), (TSize{side, side}));
  }
  // Monochrome: only exactly opaque black is off. Transparency: a colour of no state leaves the pixel.
  TArduinoMonochromeGraphicsElementDrawBitmap mono;
  PixelsOf(&mono)->SetSize(2, 1);
  TArduinoGraphicsMonochromeBitmapPropertyEditor monoEditor(&designer, {&mono}, "Bitmap");
  script.AnswerForm([](QWidget* w) {
    static_cast<TArduinoBasicPixelEditorForm*>(w)->SetPixel(0, 0, 0x00000000u);
    return mrOk;
  });
  monoEditor.Execute({});
  EXPECT_TRUE(mono.GetBitmap()->GetPixel(0, 0));
  EXPECT_FALSE(mono.GetBitmap()->GetPixel(1, 0));

  TArduinoMonochromeGraphicsElementDrawTransparencyBitmap transparency;
  PixelsOf(&transparency)->SetSize(2, 1);
  transparency.GetBitmap()->SetPixel(0, 0, TTransparency::tpcBlack);
  TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor transparencyEditor(&designer, {&transparency}, "Bitmap");
  script.AnswerForm([](QWidget* w) {
    auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
    form->SetPixel(0, 0, 0xFF123456u);
    form->SetPixel(1, 0, 0x00000001FFFFFFFFull);  // the low 32 bits are white
    return mrOk;
  });
  transparencyEditor.Execute({});
  EXPECT_EQ(transparency.GetBitmap()->GetPixel(0, 0), TTransparency::tpcBlack);
  EXPECT_EQ(transparency.GetBitmap()->GetPixel(1, 0), TTransparency::tpcWhite);

  // A value of another pixel class is an invalid cast; the dialog goes, nothing is written.
  TArduinoGraphicsColorBitmapPropertyEditor wrong(&designer, {&mono}, "Bitmap");
  designer.Log.clear();
  EXPECT_THROW(wrong.Execute({}), EInvalidCast);
  EXPECT_TRUE(designer.Log.empty());
}

TEST(BitmapPropertyEditors, PreviewBoxAndTextArea) {
  QImage canvas(240, 60, QImage::Format_ARGB32);
  for (const TKind& k : Kinds()) {
    std::unique_ptr<TComponent> component(k.make());
    PixelsOf(component.get())->SetSize(2, 1);
    k.set(component.get(), 0, 0, 1);
    k.set(component.get(), 1, 0, 2);
    auto editor = k.editor(nullptr, {component.get()});
    canvas.fill(0xFF0000FFu);
    QRect cell(10, 20, 200, 16);
    {
      TGPGraphics g(&canvas);
      editor->DrawValue(g, 0, 0, cell, 0);
    }
    EXPECT_EQ(cell, QRect(42, 20, 168, 16)) << "the text starts at X + 2 H";
    const QRect box(11, 21, 28, 14);
    EXPECT_EQ(canvas.pixel(box.topLeft()), 0xFFD3D3D3u) << k.name;
    EXPECT_EQ(canvas.pixel(box.right() + 1, box.bottom() + 1), 0xFFD3D3D3u) << k.name;
    EXPECT_EQ(canvas.pixel(box.right() + 2, box.center().y()), 0xFF0000FFu) << k.name;
    // The two pixels fill the box's halves.
    const QRgb left = canvas.pixel(box.left() + 5, box.center().y()), right = canvas.pixel(box.right() - 5, box.center().y());
    EXPECT_NE(left, right) << k.name;
    if (k.name == std::string("monochrome")) {
      EXPECT_EQ(left, 0xFFFFFFFFu);
    }
    if (k.name == std::string("transparency")) {
      EXPECT_EQ(right, 0xFF000000u);
    }
  }
  // RGBW: two pixels that differ only in white look the same.
  TArduinoRGBWGraphicsElementDrawBitmap rgbw;
  rgbw.GetBitmap()->SetSize(2, 1);
  rgbw.GetBitmap()->SetPixel(0, 0, MakeRGBWAlphaColor(255, 0, 10, 20, 30));
  rgbw.GetBitmap()->SetPixel(1, 0, MakeRGBWAlphaColor(255, 200, 10, 20, 30));
  TArduinoGraphicsRGBWColorBitmapPropertyEditor editor(nullptr, {&rgbw}, "Bitmap");
  QRect cell(0, 0, 100, 20);
  {
    TGPGraphics g(&canvas);
    editor.DrawValue(g, 0, 0, cell, 0);
  }
  EXPECT_EQ(canvas.pixel(5, 10), canvas.pixel(30, 10));
  EXPECT_EQ(canvas.pixel(5, 10), 0xFF0A141Eu);
}

TEST(BitmapPropertyEditors, RegisteredEditorsAreMadeForTheirTypes) {
  Velto::Arduino::Graphics::ColorPropertyBitmapEditors::Register();
  Velto::Graphics::Arduino::MonochromePropertyBitmapEditors::Register();
  TArduinoColorGraphicsElementDrawBitmap colour;
  TArduinoMonochromeGraphicsElementDrawTransparencyBitmap transparency;
  EXPECT_TRUE(qobject_cast<TArduinoGraphicsColorBitmapPropertyEditor*>(
      TSinglePropertyEditor::CreateFor(nullptr, {&colour}, "Bitmap").get()));
  EXPECT_TRUE(qobject_cast<TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor*>(
      TSinglePropertyEditor::CreateFor(nullptr, {&transparency}, "Bitmap").get()));
  // Properties without a registration get the base editor of their kind.
  auto x = TSinglePropertyEditor::CreateFor(nullptr, {&colour}, "X");
  EXPECT_TRUE(qobject_cast<TBasicIntegerPropertyEditor*>(x.get()));
  x->SetStringValue(" 12 ");
  EXPECT_EQ(colour.GetX(), 12);
  EXPECT_THROW(x->SetStringValue("12a"), Exception);
  EXPECT_EQ(x->GetDisplayValues(), "12");
}
