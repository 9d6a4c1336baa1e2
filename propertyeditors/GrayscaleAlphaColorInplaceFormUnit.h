#pragma once
// Module Velto.Arduino.GrayscaleAlphaColorInplaceFormUnit: the inspector editor of grayscale colours
// with alpha: hexadecimal text after a swatch, and two track bars inside the row.

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"
#include "package/hostapi/Graphics.h"
#include "package/hostapi/Runtime.h"
#include "package/hostapi/Toolkit.h"

#include <cstdint>
#include <memory>

// The row's form: Value (the gray level) and Alpha, 0 to 255 each. The host connects OnColorChange
// to the change callback and OnEditorEnter/OnEditorLeave to its modification of the row.
class TArduinoGrayscaleAlphaColorInplaceForm : public TBasicInplaceForm {
  Q_OBJECT
public:
  TArduinoGrayscaleAlphaColorInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer,
                                         TChangeCallback onChange);

  // Shows a value without reporting it as a change; ignored while the form reports one itself, so
  // that a drag is not disturbed by the value it has just stored.
  void SetColor(uint16_t AValue);
  uint16_t GetColor() const;

  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TTrackBar* TrackBarValue = nullptr;
  TTrackBar* TrackBarAlpha = nullptr;

signals:
  void OnColorChange(QObject* Sender);
  void OnEditorEnter(QObject* Sender);
  void OnEditorLeave(QObject* Sender);

public slots:
  void TrackBarValueChange(QObject* Sender);
  void FormCreate(QObject* Sender);
  void FormMouseDown(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormMouseUp(QObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

protected:
  void BindControls() override;

private:
  bool FInUpdate = false;
};

// Shows the value as "$FF80" after a swatch of the colour, and offers the in-place form when the
// row edits a property of a design. Every change is written to every selected object at once.
class TGrayscaleAlphaColorPropertyEditor : public TBasicIntegerPropertyEditor,
                                           public IPropertyEditorInplace,
                                           public IPropertyEditorDraw {
  Q_OBJECT
public:
  Q_INVOKABLE TGrayscaleAlphaColorPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                                 const QByteArray& propertyName);

  void SetInstanceValues(const QVariant& value) override;
  QString GetDefaultStringValue() override;
  QStringList GetStringValuesInternal() override;
  // Shows the first object's value on every open form.
  void UpdateInplaceForms() override;

  IInplaceEditorFormController* GetInplaceFormController() const override { return FFormController.get(); }
  void DrawValue(TGPGraphics& graphics, int, int, QRect& rect, int) override;
  void AdjustValueRect(QRect& rect) override;

  // "$FF80": the display prefix and at least four upper-case hexadecimal digits.
  static QString DisplayText(const QVariant& value);
  // A value of the colour type, or a whole number from 0 to 0xFFFF; anything else raises EInvalidCast.
  static uint16_t ToColor(const QVariant& value);

private:
  uint16_t FirstColor();
  // The change callback of every form: the changed form's colour goes to the objects.
  void FormChanged(TBasicInplaceForm* sender);

  // Destroying it closes the forms, whose callbacks call this editor.
  std::unique_ptr<TInplaceEditorFormController<TArduinoGrayscaleAlphaColorInplaceForm>> FFormController;
};
