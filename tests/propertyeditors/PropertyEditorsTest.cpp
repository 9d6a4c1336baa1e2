#include "LogDesigner.h"
#include "common/DialogScript.h"
#include "pixeleditors/BasicPixelEditorFormUnit.h"
#include "propertyeditors/BitmapPropertyEditors.h"
#include "propertyeditors/BoardsPropertyEditors.h"
#include "propertyeditors/FontPropertyEditors.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {
using TTransparency = TArduinoMonochromeGraphicsTransparencyPixelColor;
constexpr uint64_t kStates[] = {0xFF808080u, 0xFFC0C0C0u, 0xFF000000u, 0xFFFFFFFFu};

// One editor kind: a component carrying its pixels, a value to put into them (an index into the
// kind's samples), and the dialog value of that sample.
struct TKind {
  const char* name;
  std::function<TComponent*()> make;
  std::function<std::unique_ptr<TArduinoGraphicsBitmapPropertyEditor>(IDesigner*, QList<QObject*>)> editor;
  std::function<void(TComponent*, int x, int y, int value)> set;
  std::function<uint64_t(int value)> dialog;
  std::function<bool(TComponent*, int x, int y, int value)> holds;
};

// Without `dialog`, the dialog holds the stored value as it is.
template <class TComp, class TEditor, class TStored>
TKind KindOf(const char* name, std::function<TStored(int)> stored, std::function<uint64_t(int)> dialog = {}) {
  if (!dialog) dialog = [stored](int v) { return uint64_t(stored(v)); };
  return {name, [] { return new TComp; },
          [](IDesigner* d, QList<QObject*> instances) { return std::make_unique<TEditor>(d, instances, "Bitmap"); },
          [stored](TComponent* c, int x, int y, int v) { static_cast<TComp*>(c)->GetBitmap()->SetPixel(x, y, stored(v)); },
          dialog,
          [stored](TComponent* c, int x, int y, int v) { return static_cast<TComp*>(c)->GetBitmap()->GetPixel(x, y) == stored(v); }};
}

const std::vector<TKind>& Kinds() {
  static const std::vector<TKind> kinds = {
      KindOf<TArduinoColorGraphicsElementDrawBitmap, TArduinoGraphicsColorBitmapPropertyEditor, uint32_t>(
          "colour", [](int v) { return 0x80102030u + uint32_t(v) * 0x280000u; }),
      KindOf<TArduinoRGBWGraphicsElementDrawBitmap, TArduinoGraphicsRGBWColorBitmapPropertyEditor, int64_t>(
          "RGBW", [](int v) { return 0x7F55102030ll + v * 0x280000ll; }),
      KindOf<TArduinoMonochromeGraphicsElementDrawBitmap, TArduinoGraphicsMonochromeBitmapPropertyEditor, bool>(
          "monochrome", [](int v) { return v % 2 == 1; }, [](int v) -> uint64_t { return v % 2 ? 0xFFFFFFFFu : 0xFF000000u; }),
      KindOf<TArduinoMonochromeGraphicsElementDrawTransparencyBitmap,
             TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor, TTransparency>(
          "transparency", [](int v) { return TTransparency(v % 4); }, [](int v) { return kStates[v % 4]; }),
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
    TLogDesigner designer;
    auto editor = k.editor(&designer, {first.get(), second.get()});

    // Cancel: the dialog saw the first component's pixels; nothing is written, nothing opened.
    TDialogScript script;
    script.AnswerForm([&](QWidget* w) {
      auto* form = static_cast<TArduinoBasicPixelEditorForm*>(w);
      EXPECT_EQ(form->GetPixelsSize(), (TSize{3, 2})) << k.name;
      for (int i = 0; i < 6; ++i) EXPECT_EQ(form->GetPixel(i % 3, i / 3), k.dialog(i)) << k.name << " " << i;
      form->SetPixelsSize({1, 1});
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
      return mrOk;
    });
    editor->Execute({});
    EXPECT_EQ(designer.Log, (QStringList{"open", "open", "release", "release"})) << k.name;
    ASSERT_EQ(PixelsOf(first.get())->GetSize(), (TSize{4, 1})) << k.name;
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(k.holds(first.get(), x, 0, 3 - x)) << k.name << " " << x;
    EXPECT_EQ(PixelsOf(second.get())->GetSize(), (TSize{1, 1})) << "only the first selected is written";
  }
}

// Monochrome: only exactly opaque black is off. Transparency: a colour of no state leaves the pixel.
TEST(BitmapPropertyEditors, ValuesWithoutCounterpartAndAnotherPixelClass) {
  TLogDesigner designer;
  TDialogScript script;
  auto answer = [&](std::vector<std::pair<QPoint, uint64_t>> pixels) {
    script.AnswerForm([pixels](QWidget* w) {
      for (const auto& [p, v] : pixels) static_cast<TArduinoBasicPixelEditorForm*>(w)->SetPixel(p.x(), p.y(), v);
      return mrOk;
    });
  };
  TArduinoMonochromeGraphicsElementDrawBitmap mono;
  mono.GetBitmap()->SetSize(2, 1);
  answer({{{0, 0}, 0x00000000u}});
  TArduinoGraphicsMonochromeBitmapPropertyEditor(&designer, {&mono}, "Bitmap").Execute({});
  EXPECT_TRUE(mono.GetBitmap()->GetPixel(0, 0));
  EXPECT_FALSE(mono.GetBitmap()->GetPixel(1, 0));

  TArduinoMonochromeGraphicsElementDrawTransparencyBitmap transparency;
  transparency.GetBitmap()->SetSize(2, 1);
  transparency.GetBitmap()->SetPixel(0, 0, TTransparency::tpcBlack);
  answer({{{0, 0}, 0xFF123456u}, {{1, 0}, 0x00000001FFFFFFFFull}});  // the low 32 bits are white
  TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor(&designer, {&transparency}, "Bitmap").Execute({});
  EXPECT_EQ(transparency.GetBitmap()->GetPixel(0, 0), TTransparency::tpcBlack);
  EXPECT_EQ(transparency.GetBitmap()->GetPixel(1, 0), TTransparency::tpcWhite);

  // A bitmap beyond the dialog's limit comes back cut to it.
  TArduinoColorGraphicsElementDrawBitmap big;
  big.GetBitmap()->SetSize(300, 300);
  answer({});
  TArduinoGraphicsColorBitmapPropertyEditor(&designer, {&big}, "Bitmap").Execute({});
  EXPECT_EQ(big.GetBitmap()->GetSize(), (TSize{255, 255}));

  // A value of another pixel class is an invalid cast; the dialog goes, nothing is written.
  designer.Log.clear();
  EXPECT_THROW(TArduinoGraphicsColorBitmapPropertyEditor(&designer, {&mono}, "Bitmap").Execute({}), EInvalidCast);
  EXPECT_TRUE(designer.Log.empty());
}

// The value cell (10, 20, 200, 16) on blue: a box of 2 H - 4 by H - 2 inside a grey frame, the two
// pixels filling its halves, the text moved 2 H to the right.
TEST(BitmapPropertyEditors, PreviewBoxAndTextArea) {
  QImage canvas(240, 60, QImage::Format_ARGB32);
  auto paint = [&](TArduinoGraphicsBitmapPropertyEditor& editor) {
    canvas.fill(0xFF0000FFu);
    QRect cell(10, 20, 200, 16);
    TGPGraphics g(&canvas);
    editor.DrawValue(g, 0, 0, cell, 0);
    EXPECT_EQ(cell, QRect(42, 20, 168, 16));
  };
  const QRect box(11, 21, 28, 14);
  for (const TKind& k : Kinds()) {
    SCOPED_TRACE(k.name);
    std::unique_ptr<TComponent> component(k.make());
    PixelsOf(component.get())->SetSize(2, 1);
    k.set(component.get(), 0, 0, 1);
    k.set(component.get(), 1, 0, 2);
    paint(*k.editor(nullptr, {component.get()}));
    EXPECT_EQ(canvas.pixel(box.topLeft()), 0xFFD3D3D3u);
    EXPECT_EQ(canvas.pixel(box.right() + 1, box.bottom() + 1), 0xFFD3D3D3u);
    EXPECT_EQ(canvas.pixel(box.right() + 2, box.center().y()), 0xFF0000FFu);
    const QRgb left = canvas.pixel(box.left() + 5, box.center().y()), right = canvas.pixel(box.right() - 5, box.center().y());
    EXPECT_NE(left, right);
    if (k.name == std::string("monochrome")) { EXPECT_EQ(left, 0xFFFFFFFFu); }
    if (k.name == std::string("transparency")) { EXPECT_EQ(right, 0xFF000000u); }
  }
  // RGBW: two pixels that differ only in white look the same.
  TArduinoRGBWGraphicsElementDrawBitmap rgbw;
  rgbw.GetBitmap()->SetSize(2, 1);
  rgbw.GetBitmap()->SetPixel(0, 0, MakeRGBWAlphaColor(255, 0, 10, 20, 30));
  rgbw.GetBitmap()->SetPixel(1, 0, MakeRGBWAlphaColor(255, 200, 10, 20, 30));
  TArduinoGraphicsRGBWColorBitmapPropertyEditor editor(nullptr, {&rgbw}, "Bitmap");
  paint(editor);
  EXPECT_EQ(canvas.pixel(box.left() + 5, box.center().y()), 0xFF0A141Eu);
  EXPECT_EQ(canvas.pixel(box.right() - 5, box.center().y()), 0xFF0A141Eu);
}

// A library installed while the editor lives is offered at once, and gone once removed.
TEST(FontPropertyEditor, OffersTheLibraryListAsItIsAtEachCall) {
  TArduinoGraphicsElementDrawText text;
  TArduinoGraphicsFontPropertyEditor editor(nullptr, {&text}, "Font");
  const TCategorizedStringList before = editor.GetStringListValues();
  ASSERT_EQ(before, GetArduinoFontsList());
  const TStringCategory added{QStringLiteral("Pixel"), {QStringLiteral("Block8"), QStringLiteral("Block16")}};
  RegisterArduinoFonts(added);
  EXPECT_EQ(editor.GetStringListValues(), before + TCategorizedStringList{added});
  UnregisterArduinoFonts(added);
  EXPECT_EQ(editor.GetStringListValues(), before);
}

TEST(ShieldsCollectionPropertyEditor, TheFirstSelectedBoardsCollectionDecides) {
  TArduinoUno uno;
  TArduinoNano nano;
  const std::pair<QList<QObject*>, bool> cases[] = {
      {{&uno}, true}, {{&nano}, false}, {{&nano, &uno}, false}, {{&uno, &nano}, true}};
  for (const auto& [selection, visible] : cases)
    EXPECT_EQ(TShieldsCollectionPropertyEditor(nullptr, selection, "Shields").GetIsVisible(), visible)
        << selection.front()->metaObject()->className() << " of " << selection.size();
}
