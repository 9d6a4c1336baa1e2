#include "BasicMonochromeBitmapEditorFormUnit.h"

namespace {
constexpr uint64_t kOff = 0xFF000000u, kOn = 0xFFFFFFFFu;

// Palette index 0 is black, 1 white.
constexpr TSampleConversion kConversion{
    PixelFormat1bppIndexed,
    [](const uchar* sample) { return *sample != 0 ? kOn : kOff; },
    [](uint64_t value, uchar* sample) { *sample = value == kOff ? 0 : 255; },
};
}  // namespace

TArduinoBasicMonochromeBitmapEditorForm::TArduinoBasicMonochromeBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(kConversion);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicMonochromeBitmapEditorFormUnit.json"));
}

void TArduinoBasicMonochromeBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(kConversion); }
void TArduinoBasicMonochromeBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(kConversion); }
