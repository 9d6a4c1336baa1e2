#pragma once
// Module Velto.Arduino.AlphaRGBWColorBitmapEditorFormUnit.

#include "pixeleditors/BasicLoadSaveSizedPixelEditorFormUnit.h"

// The dialog for RGBW bitmaps with alpha: blue, green, red, white and alpha in bits 0, 8, 16, 24 and 32
// of the 64-bit pixel. Cells show the colour as the base does, plus a gray wedge for the white level.
// Image files carry no white: it is dropped on save and zero after a load. Invert inverts red, green,
// blue and white and keeps alpha.
class TAlphaRGBWColorBitmapEditorForm : public TBasicLoadSaveSizedPixelEditorForm {
  Q_OBJECT
public:
  explicit TAlphaRGBWColorBitmapEditorForm(QWidget* parent = nullptr);

  uint64_t GetClearColor() override;
  void UpdateInfo(int ACol, int ARow) override;
  // The ink as the cells describe it: alpha and white live above the 32 bits of a colour.
  QString DescribeValue(uint64_t value) override;

public slots:
  virtual void LoadButtonClick(QObject* Sender = nullptr);
  virtual void SaveButtonClick(QObject* Sender = nullptr);
  void GridDrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State) override;
  void GridKeyPress(QObject* Sender, QChar& Key) override;
  void InvertButtonClick(QObject* Sender = nullptr) override;
};
