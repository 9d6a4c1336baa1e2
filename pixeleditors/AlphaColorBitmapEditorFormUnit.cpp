#include "AlphaColorBitmapEditorFormUnit.h"

using BitmapKinds::Color;

TAlphaColorBitmapEditorForm::TAlphaColorBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(Color.Samples);
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

void TAlphaColorBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(Color.Samples); }
void TAlphaColorBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(Color.Samples); }
