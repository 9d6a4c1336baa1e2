#include "AlphaColorBitmapEditorFormUnit.h"

namespace {
// Samples are the ARGB words themselves; the upper half of a pixel is always zero here.
constexpr TSampleConversion kConversion{
    PixelFormat32bppARGB,
    [](const uchar* sample) { return uint64_t(ReadArgbSample(sample)); },
    [](uint64_t value, uchar* sample) { WriteArgbSample(TAlphaColor(value), sample); },
};
}  // namespace

TAlphaColorBitmapEditorForm::TAlphaColorBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(kConversion);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/AlphaColorBitmapEditorFormUnit.json"));
}

void TAlphaColorBitmapEditorForm::UpdateInfo(int ACol, int ARow) {
  StatusBar->SetSimpleText(
      QStringLiteral("%1:%2 - %3").arg(ACol).arg(ARow).arg(RGBAColorToString(TAlphaColor(GetPixel(ACol, ARow)))));
}

void TAlphaColorBitmapEditorForm::GridKeyPress(QObject*, QChar& Key) {
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  if (Key == QLatin1Char('0')) {
    SetPixel(x, y, 0xFF000000u);
  } else if (const auto step = ChannelStepOf(Key, false)) {
    const TAlphaColor c = TAlphaColor(GetPixel(x, y));
    SetPixel(x, y,
             GPMakeColor(StepChannel(GetAlpha(c), step->Alpha), StepChannel(GetRed(c), step->Red),
                         StepChannel(GetGreen(c), step->Green), StepChannel(GetBlue(c), step->Blue)));
  }
  UpdateInfo(x, y);
}

void TAlphaColorBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(kConversion); }
void TAlphaColorBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(kConversion); }
