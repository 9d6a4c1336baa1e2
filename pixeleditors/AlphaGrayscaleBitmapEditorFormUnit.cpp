#include "AlphaGrayscaleBitmapEditorFormUnit.h"

using BitmapKinds::Grayscale;

TAlphaGrayscaleBitmapEditorForm::TAlphaGrayscaleBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(Grayscale.Samples);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/AlphaGrayscaleBitmapEditorFormUnit.json"));
}

void TAlphaGrayscaleBitmapEditorForm::UpdateInfo(int ACol, int ARow) {
  const TAlphaColor c = TAlphaColor(GetPixel(ACol, ARow));
  StatusBar->SetSimpleText(
      QStringLiteral("%1:%2 Alpha: %3 Value: %4").arg(ACol).arg(ARow).arg(GetAlpha(c)).arg(GetRed(c)));
}

void TAlphaGrayscaleBitmapEditorForm::GridKeyPress(QObject*, QChar& Key) {
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  const char16_t ch = Key.unicode();
  if (ch == '0') {
    SetPixel(x, y, 0xFF000000u);
  } else {
    const TAlphaColor c = TAlphaColor(GetPixel(x, y));
    uint8_t alpha = GetAlpha(c), gray = GetRed(c);
    if (ch == 'A') alpha = StepChannel(alpha, 1);
    else if (ch == 'a') alpha = StepChannel(alpha, -1);
    else if (ch == '+' || ch == '*') gray = StepChannel(gray, 1);
    else if (ch == '-') gray = StepChannel(gray, -1);
    // At a bound nothing is stored.
    if (alpha != GetAlpha(c) || gray != GetRed(c)) SetPixel(x, y, GPMakeGrayScaleColor(alpha, gray));
  }
  UpdateInfo(x, y);
}

void TAlphaGrayscaleBitmapEditorForm::GridKeyDown(QObject*, quint16& Key, TShiftState Shift) {
  if (!(Shift & ssCtrl)) return;
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  const int delta = Key == VK_MULTIPLY || Key == VK_ADD ? 1 : Key == VK_SUBTRACT ? -1 : 0;
  if (delta != 0) {
    const TAlphaColor c = TAlphaColor(GetPixel(x, y));
    const uint8_t alpha = StepChannel(GetAlpha(c), delta);
    if (alpha != GetAlpha(c)) SetPixel(x, y, GPMakeGrayScaleColor(alpha, GetRed(c)));
  }
  UpdateInfo(x, y);
}

void TAlphaGrayscaleBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(Grayscale.Samples); }
void TAlphaGrayscaleBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(Grayscale.Samples); }
