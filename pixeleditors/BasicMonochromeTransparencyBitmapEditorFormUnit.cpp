#include "BasicMonochromeTransparencyBitmapEditorFormUnit.h"

#include <algorithm>

using namespace BitmapKinds;

TBasicMonochromeTransparencyBitmapEditorForm::TBasicMonochromeTransparencyBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(Transparency.Samples);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicMonochromeTransparencyBitmapEditorFormUnit.json"));
}

uint64_t TBasicMonochromeTransparencyBitmapEditorForm::GetClearColor() { return Transparency.ClearColor; }

void TBasicMonochromeTransparencyBitmapEditorForm::GridDrawCell(QObject*, int ACol, int ARow, const QRect& Rect,
                                                                TGridDrawState State) {
  const TAlphaColor c = TAlphaColor(GetPixel(ACol, ARow));
  DrawCell(Rect, State, [&](TGPGraphics& g, const QRect& r) {
    if (c == Transparent) g.FillRectangle(*FHatchBrush, r);
    else g.FillRectangle(SolidBrush(c == Split ? Black : c), r);
    if (c == Split)
      g.FillTriangle(SolidBrush(White), QPoint(r.x() + r.width(), r.y()), QPoint(r.x() + r.width(), r.y() + r.height()),
                     QPoint(r.x(), r.y() + r.height()));
  });
}

void TBasicMonochromeTransparencyBitmapEditorForm::GridKeyPress(QObject*, QChar& Key) {
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  const char16_t ch = Key.unicode();
  const int ordinal = StateOrdinal(GetPixel(x, y));  // -1: not one of the states, left alone
  if (ch >= '0' && ch <= '3') SetPixel(x, y, States[ch - '0']);
  else if (ordinal >= 0 && ch == ' ') SetPixel(x, y, States[(ordinal + 1) % 4]);
  else if (ordinal >= 0 && (ch == '+' || ch == '*')) SetPixel(x, y, States[std::min(ordinal + 1, 3)]);
  else if (ordinal >= 0 && ch == '-') SetPixel(x, y, States[std::max(ordinal - 1, 0)]);
  UpdateInfo(x, y);
}

void TBasicMonochromeTransparencyBitmapEditorForm::InvertButtonClick(QObject*) {
  ChangeAll([](TPixelGrid& pixels) {
    pixels.Transform([](uint64_t v) -> uint64_t {
      const uint32_t c = uint32_t(v);
      if (c == Transparent || c == Split) return c;
      return MakeARGBColor(GetAlpha(c), c ^ 0x00FFFFFFu);
    });
  });
}

void TBasicMonochromeTransparencyBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(Transparency.Samples); }
void TBasicMonochromeTransparencyBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(Transparency.Samples); }
