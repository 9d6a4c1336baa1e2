#pragma once
// Module Velto.Arduino.BasicSizedPixelEditorFormUnit: the pixel dialog with a size and rotation.

#include "pixeleditors/BasicPixelEditorFormUnit.h"

// Adds width and height spin edits (each side limited to 1..255) and the two quarter turns. While
// the user types a number the image is not resized on every keystroke and Enter and Esc do not end
// the dialog; Enter applies the typed size and gives OK and Cancel their keys back.
class TBasicSizedPixelEditorForm : public TArduinoBasicPixelEditorForm {
  Q_OBJECT
public:
  static constexpr int MaxSide = 255;

  explicit TBasicSizedPixelEditorForm(QWidget* parent = nullptr);
  ~TBasicSizedPixelEditorForm() override;

  void SetPixelsSize(const TSize& ASize) override;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TSpinEdit* WidthSpinEdit = nullptr;
  TSpinEdit* HeightSpinEdit = nullptr;
  TMenuItem* RotateLeft1 = nullptr;
  TMenuItem* RotateRight1 = nullptr;

public slots:
  virtual void SpinEditChange(QObject* Sender = nullptr);
  virtual void RotateLeft1Click(QObject* Sender = nullptr);
  virtual void RotateRight1Click(QObject* Sender = nullptr);
  virtual void WidthSpinEditKeyPress(QObject* Sender, QChar& Key);
  virtual void WidthSpinEditKeyDown(QObject* Sender, quint16& Key, TShiftState Shift);

protected:
  TBasicSizedPixelEditorForm(QWidget* parent, TOwnLayout);
  void BindControls() override;
  void SpinEditExit(QObject* Sender);

private:
  void Rotate(TPixelGrid rotated);
  void AttachChange();
  void DetachChange();
  void EnterTypingMode();
};
