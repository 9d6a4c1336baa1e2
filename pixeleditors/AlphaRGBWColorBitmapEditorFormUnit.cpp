#include "AlphaRGBWColorBitmapEditorFormUnit.h"

using BitmapKinds::RGBW;

TAlphaRGBWColorBitmapEditorForm::TAlphaRGBWColorBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(RGBW.Samples);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/AlphaRGBWColorBitmapEditorFormUnit.json"));
}

uint64_t TAlphaRGBWColorBitmapEditorForm::GetClearColor() { return RGBW.ClearColor; }

void TAlphaRGBWColorBitmapEditorForm::UpdateInfo(int ACol, int ARow) {
  StatusBar->SetSimpleText(
      QStringLiteral("%1:%2 - %3").arg(ACol).arg(ARow).arg(RGBWAlphaColorToString(GetPixel(ACol, ARow))));
}

QString TAlphaRGBWColorBitmapEditorForm::DescribeValue(uint64_t value) { return RGBWAlphaColorToString(value); }

void TAlphaRGBWColorBitmapEditorForm::GridDrawCell(QObject*, int ACol, int ARow, const QRect& Rect,
                                                   TGridDrawState State) {
  const uint64_t value = GetPixel(ACol, ARow);
  const uint8_t white = GetRGBWWhite(value);
  DrawCell(Rect, State, [&](TGPGraphics& g, const QRect& r) {
    FillColorCell(g, r, BitmapKinds::ArgbOfRGBW(value));
    // The white level as a gray wedge from the top edge to the centre.
    g.FillTriangle(SolidBrush(GPMakeColor(255, white, white, white)), QPoint(r.x(), r.y()),
                   QPoint(r.x() + r.width(), r.y()), QPoint(r.x() + r.width() / 2, r.y() + r.height() / 2));
  });
}

void TAlphaRGBWColorBitmapEditorForm::GridKeyPress(QObject*, QChar& Key) {
  const TGridRect sel = Grid->Selection();
  const int x = sel.Left, y = sel.Top;
  if (Key == QLatin1Char('0')) {
    SetPixel(x, y, RGBW.ClearColor);
  } else if (const auto step = ChannelStepOf(Key, true)) {
    const uint64_t v = GetPixel(x, y);
    const TAlphaColor c = TAlphaColor(v);
    SetPixel(x, y,
             MakeRGBWAlphaColor(StepChannel(GetRGBWAlpha(v), step->Alpha), StepChannel(GetRGBWWhite(v), step->White),
                                StepChannel(GetRed(c), step->Red), StepChannel(GetGreen(c), step->Green),
                                StepChannel(GetBlue(c), step->Blue)));
  }
  UpdateInfo(x, y);
}

void TAlphaRGBWColorBitmapEditorForm::InvertButtonClick(QObject*) {
  // White is light like the colour channels, so it inverts with them; alpha stays.
  ChangeAll([](TPixelGrid& pixels) {
    pixels.Transform([](uint64_t v) { return (v & (uint64_t(0xFF) << 32)) | (~v & 0xFFFFFFFFu); });
  });
}

void TAlphaRGBWColorBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(RGBW.Samples); }
void TAlphaRGBWColorBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(RGBW.Samples); }
