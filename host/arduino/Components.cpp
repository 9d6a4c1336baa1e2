#include "arduino/Components.h"

TArduinoColorToGrayscaleAlphaColor::TArduinoColorToGrayscaleAlphaColor(QObject* parent) : TComponent(parent) {}

TArduinoPacket::TArduinoPacket(QObject* parent) : TComponent(parent) {}

TArduinoFormattedText::TArduinoFormattedText(QObject* parent) : TComponent(parent) {}

TArduinoGraphicsElementDrawText::TArduinoGraphicsElementDrawText(QObject* parent) : TComponent(parent) {}

TArduinoCustomCode::TArduinoCustomCode(QObject* parent) : TComponent(parent) {}

TArduinoBasicBoard::TArduinoBasicBoard(TArduinoBasicShields* shields, QObject* parent)
    : TComponent(parent), FShields(shields) {
  FShields->setParent(this);
}

TArduinoUno::TArduinoUno(QObject* parent) : TArduinoBasicBoard(new TArduinoBasicShields, parent) {}

TArduinoNano::TArduinoNano(QObject* parent) : TArduinoBasicBoard(new TArduinoNoShields, parent) {}

TArduinoGraphicsElementDrawBasicBitmap::TArduinoGraphicsElementDrawBasicBitmap(QObject* parent)
    : TComponent(parent) {}

TArduinoColorGraphicsElementDrawBitmap::TArduinoColorGraphicsElementDrawBitmap(QObject* parent)
    : TArduinoGraphicsElementDrawBasicBitmap(parent), FBitmap(new TArduinoColorGraphicsElementDrawBitmapPixels(this)) {}

TArduinoRGBWGraphicsElementDrawBitmap::TArduinoRGBWGraphicsElementDrawBitmap(QObject* parent)
    : TArduinoGraphicsElementDrawBasicBitmap(parent), FBitmap(new TArduinoRGBWGraphicsElementDrawBitmapPixels(this)) {}

TArduinoMonochromeGraphicsElementDrawBitmap::TArduinoMonochromeGraphicsElementDrawBitmap(QObject* parent)
    : TArduinoGraphicsElementDrawBasicBitmap(parent),
      FBitmap(new TArduinoMonochromeGraphicsElementDrawBitmapPixels(this)) {}

TArduinoMonochromeGraphicsElementDrawTransparencyBitmap::TArduinoMonochromeGraphicsElementDrawTransparencyBitmap(
    QObject* parent)
    : TArduinoGraphicsElementDrawBasicBitmap(parent),
      FBitmap(new TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels(this)) {}

TArduinoMqttClient::TArduinoMqttClient(QObject* parent) : TComponent(parent) {}
