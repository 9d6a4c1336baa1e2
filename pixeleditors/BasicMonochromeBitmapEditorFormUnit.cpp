#include "BasicMonochromeBitmapEditorFormUnit.h"

using BitmapKinds::Monochrome;

TArduinoBasicMonochromeBitmapEditorForm::TArduinoBasicMonochromeBitmapEditorForm(QWidget* parent)
    : TBasicLoadSaveSizedPixelEditorForm(parent, TOwnLayout{}) {
  SetConversion(Monochrome.Samples);
  LoadLayout(QStringLiteral(":/pixeleditors/layouts/BasicMonochromeBitmapEditorFormUnit.json"));
}

void TArduinoBasicMonochromeBitmapEditorForm::LoadButtonClick(QObject*) { LoadPicture(Monochrome.Samples); }
void TArduinoBasicMonochromeBitmapEditorForm::SaveButtonClick(QObject*) { SavePicture(Monochrome.Samples); }
