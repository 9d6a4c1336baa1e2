#include "LogDesigner.h"
#include "propertyeditors/GrayscaleAlphaColorInplaceFormUnit.h"

#include <gtest/gtest.h>
#include <QTest>

namespace {
// The inspector row as the forms see it.
struct TRow : IMemberUIUpdate {
  QStringList Log;
  std::function<void()> OnChanged;
  void MemberChanged() override {
    Log << "changed";
    if (OnChanged) OnChanged();
  }
  void MemberStructureChanged() override { Log << "structure"; }
  void UpdateMember(bool forms) override { Log << (forms ? "update with forms" : "update"); }
  void InplaceFormResized() override { Log << "resized"; }
};
struct TInspector : IInplaceHost {
  QColor GetInplaceColor() const override { return QColor(0xF0, 0xE8, 0xD0); }
};

// A colour that cannot be written, and values of other types.
class TTestValues : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TArduinoGrayscaleAlphaColor Fixed READ GetFixed)
  Q_PROPERTY(int Number MEMBER Number)
  Q_PROPERTY(QString Text MEMBER Text)
public:
  TArduinoGrayscaleAlphaColor GetFixed() const { return {0xFF80}; }
  int Number = 0;
  QString Text;
};

using TColorForm = TArduinoGrayscaleAlphaColorInplaceForm;
using TEditor = TGrayscaleAlphaColorPropertyEditor;
uint16_t ValueOf(const TArduinoColorToGrayscaleAlphaColor& c) { return c.GetInitialValue().Value; }

TColorForm* Open(TEditor& editor, QWidget& parent, std::shared_ptr<TRow> row, QRect rect = {0, 0, 300, 18}) {
  return qobject_cast<TColorForm*>(
      editor.GetInplaceFormController()->OpenForm(&parent, TInspector(), rect, row)->GetForm());
}

// The value cell (10, 20, 200, 16) painted on blue; the text starts 2 H further right.
QImage Paint(TEditor& editor) {
  QImage canvas(240, 50, QImage::Format_ARGB32);
  canvas.fill(0xFF0000FFu);
  QRect cell(10, 20, 200, 16);
  TGPGraphics g(&canvas);
  editor.DrawValue(g, 0, 0, cell, 0);
  EXPECT_EQ(cell, QRect(42, 20, 168, 16));
  return canvas;
}
}  // namespace

// A form opened in a row shows the first object's value without changing anything; moving its
// track bars stores into every selected object, and the other open forms follow.
TEST(GrayscaleAlphaColorEditor, FormsShowTheValueAndTheirTrackBarsStoreIntoEverySelectedObject) {
  TArduinoColorToGrayscaleAlphaColor first, second;
  first.SetInitialValue({0xFF80});
  second.SetInitialValue({0x1234});
  TLogDesigner designer;
  TEditor editor(&designer, {&first, &second}, "InitialValue");
  QWidget parent;
  parent.resize(400, 100);
  parent.show();  // on screen, so the anchored track bars follow the form's width
  auto rowA = std::make_shared<TRow>(), rowB = std::make_shared<TRow>();
  TColorForm* a = Open(editor, parent, rowA, QRect(5, 7, 260, 18));
  EXPECT_EQ(a->TrackBarValue->value(), 0x80);
  EXPECT_EQ(a->TrackBarAlpha->value(), 0xFF);
  EXPECT_EQ(editor.GetDefaultStringValue(), "$FF80");
  // Placed at the row and as wide as it; its height is the form's own.
  EXPECT_EQ(a->geometry().topLeft(), QPoint(5, 7));
  EXPECT_EQ(a->width(), 260);
  EXPECT_TRUE(a->parentWidget() == &parent && a->isVisible());
  EXPECT_EQ(a->palette().color(QPalette::Window), TInspector().GetInplaceColor());
  EXPECT_EQ(a->TrackBarAlpha->geometry().right(), a->width() - 1) << "anchored to the right edge";
  TColorForm* b = Open(editor, parent, rowB);
  EXPECT_TRUE(designer.Log.isEmpty() && rowA->Log.isEmpty() && rowB->Log.isEmpty()) << "showing a value is no change";

  QTest::keyClick(a->TrackBarValue, Qt::Key_End);
  EXPECT_EQ(ValueOf(first), 0xFFFF);
  EXPECT_EQ(ValueOf(second), 0xFFFF);
  EXPECT_EQ(designer.Log, (QStringList{"open", "open", "release", "release"}));
  EXPECT_EQ(rowA->Log, (QStringList{"changed", "update with forms"}));
  EXPECT_TRUE(rowB->Log.isEmpty());
  EXPECT_EQ(b->GetColor(), 0xFFFF) << "the other open form shows the stored value";

  // While the form reports its change, a SetColor on it changes nothing.
  int hooks = 0;
  rowA->OnChanged = [&] {
    ++hooks;
    a->SetColor(0x4321);
  };
  QTest::keyClick(a->TrackBarAlpha, Qt::Key_Home);
  rowA->OnChanged = nullptr;
  EXPECT_EQ(hooks, 1);
  EXPECT_EQ(a->GetColor(), 0x00FF);
  EXPECT_EQ(ValueOf(second), 0x00FF);

  // A value shown by code is no change of the user's.
  designer.Log.clear();
  a->SetColor(0x8040);
  EXPECT_TRUE(a->GetColor() == 0x8040 && ValueOf(first) == 0x00FF && designer.Log.isEmpty());

  // Text typed into the row as it is shown reaches every form; a bad text changes nothing.
  editor.SetStringValue("$C0C1");
  EXPECT_TRUE(ValueOf(second) == 0xC0C1 && a->GetColor() == 0xC0C1 && b->GetColor() == 0xC0C1);
  EXPECT_THROW(editor.SetStringValue("$10000"), Exception);
  EXPECT_EQ(b->GetColor(), 0xC0C1);

  // A button down on a track bar opens the row's modification; up ends it and refreshes the row.
  designer.Log.clear();
  rowB->Log.clear();
  QTest::mousePress(b->TrackBarAlpha, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(b->InEditor());
  EXPECT_EQ(designer.Log.mid(0, 2), (QStringList{"open", "open"}));
  QTest::mouseRelease(b->TrackBarAlpha, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_FALSE(b->InEditor());
  EXPECT_EQ(rowB->Log.mid(rowB->Log.size() - 2), (QStringList{"changed", "update with forms"}));
}

TEST(GrayscaleAlphaColorEditor, SwatchShowsPatternColourAndFrame) {
  const struct {
    uint16_t Value;
    bool Transparent;
    QRgb Right, Frame;
  } cases[] = {{0x0080, true, 0xFF808080u, 0xFF808080u},
               {0xFFC1, false, 0xFFC1C1C1u, 0xFF000000u},
               {0xFFC0, false, 0xFFC0C0C0u, 0xFFC0C0C0u}};
  QImage pattern(240, 50, QImage::Format_ARGB32);
  TGPGraphics(&pattern).FillRectangle(HatchBrush(), pattern.rect());
  for (const auto& c : cases) {
    TArduinoColorToGrayscaleAlphaColor component;
    component.SetInitialValue({c.Value});
    TEditor editor(nullptr, {&component}, "InitialValue");
    const QImage canvas = Paint(editor);
    // Swatch 11..39 x 21..33, its frame's right and bottom edges one pixel further out: the left
    // half shows the pattern when the colour is transparent, the right half the colour opaque.
    QImage solid(13, 12, QImage::Format_ARGB32);
    solid.fill(c.Right);
    EXPECT_EQ(canvas.copy(12, 22, 13, 12), c.Transparent ? pattern.copy(12, 22, 13, 12) : solid) << c.Value;
    EXPECT_EQ(canvas.copy(27, 22, 13, 12), solid) << c.Value;
    for (const QPoint p : {QPoint(11, 25), QPoint(40, 25), QPoint(20, 21), QPoint(20, 34)})
      EXPECT_EQ(canvas.pixel(p), c.Frame) << c.Value << " " << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(10, 25), QPoint(41, 25), QPoint(20, 20), QPoint(20, 35)})
      EXPECT_EQ(canvas.pixel(p), 0xFF0000FFu) << c.Value << " " << p.x() << "," << p.y();
  }
}

TEST(GrayscaleAlphaColorEditor, SelectionsReadOnlyMembersAndOtherValueTypes) {
  TArduinoColorToGrayscaleAlphaColor a, b;
  a.SetInitialValue({0xFF80});
  b.SetInitialValue({0x0000});
  TLogDesigner designer;
  TEditor several(&designer, {&a, &b}, "InitialValue");
  EXPECT_EQ(several.GetStringValues(), (QStringList{"$FF80", "$0000"}));
  EXPECT_EQ(Paint(several).pixel(35, 27), 0xFF808080u) << "the first object's colour";

  // Outside a design, or a member that cannot be written: no form, but text and swatch.
  TTestValues values;
  TEditor detached(nullptr, {&a}, "InitialValue"), fixed(&designer, {&values}, "Fixed");
  for (TEditor* editor : {&detached, &fixed}) {
    EXPECT_FALSE(editor->GetInplaceFormController());
    EXPECT_EQ(editor->GetDefaultStringValue(), "$FF80");
    EXPECT_EQ(Paint(*editor).pixel(35, 27), 0xFF808080u);
  }

  // Whole numbers from 0 to 0xFFFF convert; others, and text, are an invalid cast.
  TEditor number(nullptr, {&values}, "Number"), text(nullptr, {&values}, "Text");
  values.Number = 0xFFFF;
  EXPECT_EQ(number.GetDefaultStringValue(), "$FFFF");
  values.Number = 0x10000;
  EXPECT_THROW(number.GetDefaultStringValue(), EInvalidCast);
  EXPECT_THROW(text.GetStringValues(), EInvalidCast);
}

#include "GrayscaleAlphaColorEditorTest.moc"
