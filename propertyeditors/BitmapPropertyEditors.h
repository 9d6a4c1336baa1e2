#pragma once
// Modules Velto.Arduino.Graphics.ColorPropertyBitmapEditors, Velto.Arduino.Graphics.RGBWColorPropertyBitmapEditors
// and Velto.Graphics.Arduino.MonochromePropertyBitmapEditors: the inspector editors of the bitmaps of
// display components.

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"
#include "package/hostapi/Graphics.h"

#include <memory>

class TArduinoBasicPixelEditorForm;
struct TBitmapKind;

// The one flow of the four bitmap editors: a small preview at the left of the value cell, and the
// pixel dialog on "...", which writes the size and every pixel back on OK. Only the first selected
// component's bitmap is shown, edited and written. Each editor gives its pixel class, its dialog
// and its conversions.
class TArduinoGraphicsBitmapPropertyEditor : public TClassPropertyEditor,
                                             public IPropertyEditorDialog,
                                             public IPropertyEditorDraw {
  Q_OBJECT
public:
  using TClassPropertyEditor::TClassPropertyEditor;

  bool GetIsVisible() override { return true; }
  void Execute(const QVariant& context) override;
  void DrawValue(TGPGraphics& graphics, int, int, QRect& rect, int) override;
  void AdjustValueRect(QRect& rect) override;

protected:
  using TPixels = TArduinoGraphicsElementDrawBitmapBasicPixels;

  virtual TClass PixelsClass() const = 0;
  virtual std::unique_ptr<TArduinoBasicPixelEditorForm> CreateForm() const = 0;
  virtual uint64_t ToDialog(const TPixels& pixels, int x, int y) const = 0;
  // Writes a dialog value into the pixels; a value with no counterpart leaves the pixel alone.
  virtual void FromDialog(TPixels& pixels, int x, int y, uint64_t value) const = 0;
  // The kind of bitmap, whose preview sample shows a dialog value.
  virtual const TBitmapKind& Kind() const = 0;

private:
  // The first instance's value as the editor's pixel class; raises EInvalidCast otherwise.
  TPixels& Pixels();
};

// Colour with alpha: values pass unchanged (32 bits), the preview shows them with their alpha.
class TArduinoGraphicsColorBitmapPropertyEditor : public TArduinoGraphicsBitmapPropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoGraphicsColorBitmapPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName)
      : TArduinoGraphicsBitmapPropertyEditor(designer, instances, propertyName) {}

protected:
  TClass PixelsClass() const override;
  std::unique_ptr<TArduinoBasicPixelEditorForm> CreateForm() const override;
  uint64_t ToDialog(const TPixels& pixels, int x, int y) const override;
  void FromDialog(TPixels& pixels, int x, int y, uint64_t value) const override;
  const TBitmapKind& Kind() const override;
};

// RGBW with alpha: the 64-bit values pass unchanged; the preview shows alpha and colour, not white.
class TArduinoGraphicsRGBWColorBitmapPropertyEditor : public TArduinoGraphicsBitmapPropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoGraphicsRGBWColorBitmapPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName)
      : TArduinoGraphicsBitmapPropertyEditor(designer, instances, propertyName) {}

protected:
  TClass PixelsClass() const override;
  std::unique_ptr<TArduinoBasicPixelEditorForm> CreateForm() const override;
  uint64_t ToDialog(const TPixels& pixels, int x, int y) const override;
  void FromDialog(TPixels& pixels, int x, int y, uint64_t value) const override;
  const TBitmapKind& Kind() const override;
};

// On and off: true is white 0xFFFFFFFF; only exactly 0xFF000000 comes back as false.
class TArduinoGraphicsMonochromeBitmapPropertyEditor : public TArduinoGraphicsBitmapPropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoGraphicsMonochromeBitmapPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName)
      : TArduinoGraphicsBitmapPropertyEditor(designer, instances, propertyName) {}

protected:
  TClass PixelsClass() const override;
  std::unique_ptr<TArduinoBasicPixelEditorForm> CreateForm() const override;
  uint64_t ToDialog(const TPixels& pixels, int x, int y) const override;
  void FromDialog(TPixels& pixels, int x, int y, uint64_t value) const override;
  const TBitmapKind& Kind() const override;
};

// The four states transparent, split, black and white, as the transparency dialog's colours; a
// dialog value that is none of them leaves its pixel alone.
class TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor : public TArduinoGraphicsBitmapPropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TArduinoGraphicsMonochromeTransparencyBitmapPropertyEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& propertyName)
      : TArduinoGraphicsBitmapPropertyEditor(designer, instances, propertyName) {}

protected:
  TClass PixelsClass() const override;
  std::unique_ptr<TArduinoBasicPixelEditorForm> CreateForm() const override;
  uint64_t ToDialog(const TPixels& pixels, int x, int y) const override;
  void FromDialog(TPixels& pixels, int x, int y, uint64_t value) const override;
  const TBitmapKind& Kind() const override;
};
