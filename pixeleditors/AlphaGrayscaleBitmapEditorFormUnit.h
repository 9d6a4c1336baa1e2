#pragma once
// Module Velto.Arduino.AlphaGrayscaleBitmapEditorFormUnit.

#include "pixeleditors/BasicLoadSaveSizedPixelEditorFormUnit.h"

// The dialog for grayscale bitmaps with alpha: a pixel is an ARGB word with the gray level in each
// colour channel. + * and - change the gray level, A and a the alpha, and so do Ctrl with the keypad's
// * + and -; 0 makes the cell opaque black. Pictures are loaded as gray levels.
class TAlphaGrayscaleBitmapEditorForm : public TBasicLoadSaveSizedPixelEditorForm {
  Q_OBJECT
public:
  explicit TAlphaGrayscaleBitmapEditorForm(QWidget* parent = nullptr);

  void UpdateInfo(int ACol, int ARow) override;

public slots:
  virtual void LoadButtonClick(QObject* Sender = nullptr);
  virtual void SaveButtonClick(QObject* Sender = nullptr);
  void GridKeyPress(QObject* Sender, QChar& Key) override;
  virtual void GridKeyDown(QObject* Sender, quint16& Key, TShiftState Shift);
};
