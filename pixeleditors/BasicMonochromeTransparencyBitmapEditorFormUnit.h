#pragma once
// Module Velto.Arduino.BasicMonochromeTransparencyBitmapEditorFormUnit.

#include "pixeleditors/BasicLoadSaveSizedPixelEditorFormUnit.h"

// The dialog for monochrome bitmaps with four states: transparent (0xFF808080, the clear colour), split
// (0xFFC0C0C0, drawn black with a white lower right half), black and white. Keys step through the
// states in that order. Invert exchanges black and white and leaves transparent and split alone, so
// that every pixel stays one of the four states.
class TBasicMonochromeTransparencyBitmapEditorForm : public TBasicLoadSaveSizedPixelEditorForm {
  Q_OBJECT
public:
  explicit TBasicMonochromeTransparencyBitmapEditorForm(QWidget* parent = nullptr);

  uint64_t GetClearColor() override;

public slots:
  virtual void LoadButtonClick(QObject* Sender = nullptr);
  virtual void SaveButtonClick(QObject* Sender = nullptr);
  void GridDrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State) override;
  void GridKeyPress(QObject* Sender, QChar& Key) override;
  void InvertButtonClick(QObject* Sender = nullptr) override;
};
