#include "AlphaGrayscaleBitmapEditorFormUnit.h"

#include <cmath>

namespace {
constexpr TSampleConversion kConversion{
    PixelFormat32bppARGB,
    [](const uchar* sample) -> uint64_t {
      const TAlphaColor c = ReadArgbSample(sample);
      return GPMakeGrayScaleColor(GetAlpha(c), TAlphaGrayscaleBitmapEditorForm::GrayOf(GetRed(c), GetGreen(c), GetBlue(c)));
    },
    [](uint64_t value, uchar* sample) { WriteArgbSample(TAlphaColor(value), sample); },
};
}  // namespace

TAlphaGrayscaleBitmapEditorForm::TAlphaGrayscaleBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(kConversion);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/AlphaGrayscaleBitmapEditorFormUnit.json"));
}

uint8_t TAlphaGrayscaleBitmapEditorForm::GrayOf(uint8_t red, uint8_t green, uint8_t blue) {
  // Extended precision, red term first, halves to even: near a half, double arithmetic rounds some
  // colours the other way (0, 36, 12 gives 22 instead of 23).
  const long double gray = 0.2989L * red + 0.587L * green + 0.114L * blue;
  return uint8_t(std::nearbyintl(gray));
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

void TAlphaGrayscaleBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(kConversion); }
void TAlphaGrayscaleBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(kConversion); }
