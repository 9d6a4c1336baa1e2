#pragma once
// Module Velto.Arduino.BasicMonochromeBitmapEditorFormUnit.

#include "pixeleditors/BasicLoadSaveSizedPixelEditorFormUnit.h"

// The dialog for one-bit bitmaps: a pixel is off when it is exactly opaque black 0xFF000000 and on
// otherwise (written as opaque white). Keys, painting and every operation are the base's.
class TArduinoBasicMonochromeBitmapEditorForm : public TBasicLoadSaveSizedPixelEditorForm {
  Q_OBJECT
public:
  explicit TArduinoBasicMonochromeBitmapEditorForm(QWidget* parent = nullptr);

public slots:
  virtual void LoadButtonClick(QObject* Sender = nullptr);
  virtual void SaveButtonClick(QObject* Sender = nullptr);
};
