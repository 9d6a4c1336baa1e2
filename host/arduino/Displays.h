#pragma once

#include "arduino/Pixels.h"
#include "runtime/Classes.h"

// Graphics displays and the bitmap elements they draw. A display owns its Elements collection,
// whose item class decides which elements it can hold; each element draws its bitmap with the top
// left corner at (X, Y).
class TArduinoDisplayDrawBitmapElement : public TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(int X READ GetX WRITE SetX)
  Q_PROPERTY(int Y READ GetY WRITE SetY)
public:
  int GetX() const { return FX; }
  void SetX(int value) { FX = value; }
  int GetY() const { return FY; }
  void SetY(int value) { FY = value; }

protected:
  explicit TArduinoDisplayDrawBitmapElement(QObject* parent);

private:
  int FX = 0, FY = 0;
};

// Elements of monochrome displays: a plain or a transparency bitmap.
class TArduinoMonochromeDisplayElement : public TArduinoDisplayDrawBitmapElement {
  Q_OBJECT
protected:
  using TArduinoDisplayDrawBitmapElement::TArduinoDisplayDrawBitmapElement;
};

class TArduinoMonochromeDisplayDrawBitmap : public TArduinoMonochromeDisplayElement {
  Q_OBJECT
  Q_PROPERTY(TArduinoMonochromeGraphicsElementDrawBitmapPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoMonochromeDisplayDrawBitmap(QObject* parent = nullptr);
  TArduinoMonochromeGraphicsElementDrawBitmapPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoMonochromeGraphicsElementDrawBitmapPixels* FBitmap;
};

class TArduinoMonochromeDisplayDrawTransparencyBitmap : public TArduinoMonochromeDisplayElement {
  Q_OBJECT
  Q_PROPERTY(TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoMonochromeDisplayDrawTransparencyBitmap(QObject* parent = nullptr);
  TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels* FBitmap;
};

class TArduinoColorDisplayDrawBitmap : public TArduinoDisplayDrawBitmapElement {
  Q_OBJECT
  Q_PROPERTY(TArduinoColorGraphicsElementDrawBitmapPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoColorDisplayDrawBitmap(QObject* parent = nullptr);
  TArduinoColorGraphicsElementDrawBitmapPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoColorGraphicsElementDrawBitmapPixels* FBitmap;
};

class TArduinoRGBWLedMatrixDrawBitmap : public TArduinoDisplayDrawBitmapElement {
  Q_OBJECT
  Q_PROPERTY(TArduinoRGBWGraphicsElementDrawBitmapPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoRGBWLedMatrixDrawBitmap(QObject* parent = nullptr);
  TArduinoRGBWGraphicsElementDrawBitmapPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoRGBWGraphicsElementDrawBitmapPixels* FBitmap;
};

class TArduinoMonochromeDisplayElements : public TCollection {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMonochromeDisplayElements(QObject* parent = nullptr);
};

class TArduinoColorDisplayElements : public TCollection {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoColorDisplayElements(QObject* parent = nullptr);
};

class TArduinoRGBWLedMatrixElements : public TCollection {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoRGBWLedMatrixElements(QObject* parent = nullptr);
};

// Display components: the size of the screen and the elements drawn on it.
class TArduinoBasicDisplay : public TComponent {
  Q_OBJECT
  Q_PROPERTY(int Width READ GetWidth WRITE SetWidth)
  Q_PROPERTY(int Height READ GetHeight WRITE SetHeight)
public:
  int GetWidth() const { return FWidth; }
  void SetWidth(int value) { FWidth = value; }
  int GetHeight() const { return FHeight; }
  void SetHeight(int value) { FHeight = value; }

protected:
  TArduinoBasicDisplay(int width, int height, QObject* parent) : TComponent(parent), FWidth(width), FHeight(height) {}

private:
  int FWidth, FHeight;
};

class TArduinoMonochromeDisplay : public TArduinoBasicDisplay {
  Q_OBJECT
  Q_PROPERTY(TArduinoMonochromeDisplayElements* Elements READ GetElements)
public:
  Q_INVOKABLE explicit TArduinoMonochromeDisplay(QObject* parent = nullptr);
  TArduinoMonochromeDisplayElements* GetElements() const { return FElements; }

private:
  TArduinoMonochromeDisplayElements* FElements;
};

class TArduinoColorDisplay : public TArduinoBasicDisplay {
  Q_OBJECT
  Q_PROPERTY(TArduinoColorDisplayElements* Elements READ GetElements)
public:
  Q_INVOKABLE explicit TArduinoColorDisplay(QObject* parent = nullptr);
  TArduinoColorDisplayElements* GetElements() const { return FElements; }

private:
  TArduinoColorDisplayElements* FElements;
};

class TArduinoRGBWLedMatrix : public TArduinoBasicDisplay {
  Q_OBJECT
  Q_PROPERTY(TArduinoRGBWLedMatrixElements* Elements READ GetElements)
public:
  Q_INVOKABLE explicit TArduinoRGBWLedMatrix(QObject* parent = nullptr);
  TArduinoRGBWLedMatrixElements* GetElements() const { return FElements; }

private:
  TArduinoRGBWLedMatrixElements* FElements;
};
