#include "Displays.h"

TArduinoDisplayDrawBitmapElement::TArduinoDisplayDrawBitmapElement(QObject* parent) : TCollectionItem(parent) {}

TArduinoMonochromeDisplayDrawBitmap::TArduinoMonochromeDisplayDrawBitmap(QObject* parent)
    : TArduinoMonochromeDisplayElement(parent), FBitmap(new TArduinoMonochromeGraphicsElementDrawBitmapPixels(this)) {}

TArduinoMonochromeDisplayDrawTransparencyBitmap::TArduinoMonochromeDisplayDrawTransparencyBitmap(QObject* parent)
    : TArduinoMonochromeDisplayElement(parent),
      FBitmap(new TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels(this)) {}

TArduinoColorDisplayDrawBitmap::TArduinoColorDisplayDrawBitmap(QObject* parent)
    : TArduinoDisplayDrawBitmapElement(parent), FBitmap(new TArduinoColorGraphicsElementDrawBitmapPixels(this)) {}

TArduinoRGBWLedMatrixDrawBitmap::TArduinoRGBWLedMatrixDrawBitmap(QObject* parent)
    : TArduinoDisplayDrawBitmapElement(parent), FBitmap(new TArduinoRGBWGraphicsElementDrawBitmapPixels(this)) {}

TArduinoMonochromeDisplayElements::TArduinoMonochromeDisplayElements(QObject* parent)
    : TCollection(&TArduinoMonochromeDisplayElement::staticMetaObject, parent) {}

TArduinoColorDisplayElements::TArduinoColorDisplayElements(QObject* parent)
    : TCollection(&TArduinoColorDisplayDrawBitmap::staticMetaObject, parent) {}

TArduinoRGBWLedMatrixElements::TArduinoRGBWLedMatrixElements(QObject* parent)
    : TCollection(&TArduinoRGBWLedMatrixDrawBitmap::staticMetaObject, parent) {}

TArduinoMonochromeDisplay::TArduinoMonochromeDisplay(QObject* parent)
    : TArduinoBasicDisplay(128, 64, parent), FElements(new TArduinoMonochromeDisplayElements(this)) {}

TArduinoColorDisplay::TArduinoColorDisplay(QObject* parent)
    : TArduinoBasicDisplay(320, 240, parent), FElements(new TArduinoColorDisplayElements(this)) {}

TArduinoRGBWLedMatrix::TArduinoRGBWLedMatrix(QObject* parent)
    : TArduinoBasicDisplay(16, 16, parent), FElements(new TArduinoRGBWLedMatrixElements(this)) {}
