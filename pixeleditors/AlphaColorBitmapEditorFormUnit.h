#pragma once
// Module Velto.Arduino.AlphaColorBitmapEditorFormUnit.

#include "pixeleditors/BasicLoadSaveSizedPixelEditorFormUnit.h"

// The dialog for colour bitmaps with alpha: a pixel is an ARGB word 0xAARRGGBB in the low 32 bits.
// Letters edit one channel of the current cell (R, G, B, A up, lower case down), + * and - all three
// colour channels, 0 makes it opaque black.
class TAlphaColorBitmapEditorForm : public TBasicLoadSaveSizedPixelEditorForm {
  Q_OBJECT
public:
  explicit TAlphaColorBitmapEditorForm(QWidget* parent = nullptr);

  void UpdateInfo(int ACol, int ARow) override;

public slots:
  virtual void LoadButtonClick(QObject* Sender = nullptr);
  virtual void SaveButtonClick(QObject* Sender = nullptr);
  void GridKeyPress(QObject* Sender, QChar& Key) override;
};
