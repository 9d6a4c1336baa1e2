#pragma once

#include "arduino/Pixels.h"
#include "arduino/Shields.h"
#include "arduino/Values.h"
#include "runtime/Classes.h"

// The components a user places from the palette. Each is made through its invokable constructor.

// --- Converters ---

class TArduinoColorToGrayscaleAlphaColor : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TArduinoGrayscaleAlphaColor InitialValue READ GetInitialValue WRITE SetInitialValue)
public:
  Q_INVOKABLE explicit TArduinoColorToGrayscaleAlphaColor(QObject* parent = nullptr);
  TArduinoGrayscaleAlphaColor GetInitialValue() const { return FInitialValue; }
  void SetInitialValue(TArduinoGrayscaleAlphaColor value) { FInitialValue = value; }

private:
  TArduinoGrayscaleAlphaColor FInitialValue;
};

// --- Packet ---

class TArduinoPacket : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString HeadMarker READ GetHeadMarker WRITE SetHeadMarker)
  Q_PROPERTY(bool Checksum READ GetChecksum WRITE SetChecksum)
public:
  Q_INVOKABLE explicit TArduinoPacket(QObject* parent = nullptr);
  QString GetHeadMarker() const { return FHeadMarker; }
  void SetHeadMarker(const QString& value) { FHeadMarker = value; }
  bool GetChecksum() const { return FChecksum; }
  void SetChecksum(bool value) { FChecksum = value; }

private:
  QString FHeadMarker = QStringLiteral("VT");
  bool FChecksum = true;
};

// --- Text ---

class TArduinoFormattedText : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Text READ GetText WRITE SetText)
public:
  Q_INVOKABLE explicit TArduinoFormattedText(QObject* parent = nullptr);
  QString GetText() const { return FText; }
  void SetText(const QString& value) { FText = value; }

private:
  QString FText;
};

// Draws a text on a graphics display at (X, Y).
class TArduinoGraphicsElementDrawText : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString Text READ GetText WRITE SetText)
  Q_PROPERTY(TArduinoGraphicsFont Font READ GetFont WRITE SetFont)
  Q_PROPERTY(int X READ GetX WRITE SetX)
  Q_PROPERTY(int Y READ GetY WRITE SetY)
  Q_PROPERTY(int Size READ GetTextSize WRITE SetTextSize)
public:
  Q_INVOKABLE explicit TArduinoGraphicsElementDrawText(QObject* parent = nullptr);
  QString GetText() const { return FText; }
  void SetText(const QString& value) { FText = value; }
  TArduinoGraphicsFont GetFont() const { return FFont; }
  void SetFont(const TArduinoGraphicsFont& value) { FFont = value; }
  int GetX() const { return FX; }
  void SetX(int value) { FX = value; }
  int GetY() const { return FY; }
  void SetY(int value) { FY = value; }
  int GetTextSize() const { return FSize; }
  void SetTextSize(int value) { FSize = value; }

private:
  QString FText;
  TArduinoGraphicsFont FFont;
  int FX = 0, FY = 0, FSize = 1;
};

// --- Structure ---

// Code of the user's own that the generated sketch includes as written.
class TArduinoCustomCode : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TArduinoCode Includes READ GetIncludes WRITE SetIncludes)
  Q_PROPERTY(TArduinoCode Declarations READ GetDeclarations WRITE SetDeclarations)
  Q_PROPERTY(TArduinoCode Setup READ GetSetup WRITE SetSetup)
  Q_PROPERTY(TArduinoCode Loop READ GetLoop WRITE SetLoop)
public:
  Q_INVOKABLE explicit TArduinoCustomCode(QObject* parent = nullptr);
  TArduinoCode GetIncludes() const { return FIncludes; }
  void SetIncludes(const TArduinoCode& value) { FIncludes = value; }
  TArduinoCode GetDeclarations() const { return FDeclarations; }
  void SetDeclarations(const TArduinoCode& value) { FDeclarations = value; }
  TArduinoCode GetSetup() const { return FSetup; }
  void SetSetup(const TArduinoCode& value) { FSetup = value; }
  TArduinoCode GetLoop() const { return FLoop; }
  void SetLoop(const TArduinoCode& value) { FLoop = value; }

private:
  TArduinoCode FIncludes, FDeclarations, FSetup, FLoop;
};

// A board owns its shields collection; its class decides which collection that is.
class TArduinoBasicBoard : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TArduinoBasicShields* Shields READ GetShields)
public:
  TArduinoBasicShields* GetShields() const { return FShields; }

protected:
  TArduinoBasicBoard(TArduinoBasicShields* shields, QObject* parent);

private:
  TArduinoBasicShields* FShields;
};

class TArduinoUno : public TArduinoBasicBoard {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoUno(QObject* parent = nullptr);
};

class TArduinoNano : public TArduinoBasicBoard {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoNano(QObject* parent = nullptr);
};

// Draws a bitmap on a graphics display with its top left corner at (X, Y).
class TArduinoGraphicsElementDrawBasicBitmap : public TComponent {
  Q_OBJECT
  Q_PROPERTY(int X READ GetX WRITE SetX)
  Q_PROPERTY(int Y READ GetY WRITE SetY)
public:
  int GetX() const { return FX; }
  void SetX(int value) { FX = value; }
  int GetY() const { return FY; }
  void SetY(int value) { FY = value; }

protected:
  explicit TArduinoGraphicsElementDrawBasicBitmap(QObject* parent);

private:
  int FX = 0, FY = 0;
};

class TArduinoColorGraphicsElementDrawBitmap : public TArduinoGraphicsElementDrawBasicBitmap {
  Q_OBJECT
  Q_PROPERTY(TArduinoColorGraphicsElementDrawBitmapPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoColorGraphicsElementDrawBitmap(QObject* parent = nullptr);
  TArduinoColorGraphicsElementDrawBitmapPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoColorGraphicsElementDrawBitmapPixels* FBitmap;
};

class TArduinoRGBWGraphicsElementDrawBitmap : public TArduinoGraphicsElementDrawBasicBitmap {
  Q_OBJECT
  Q_PROPERTY(TArduinoRGBWGraphicsElementDrawBitmapPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoRGBWGraphicsElementDrawBitmap(QObject* parent = nullptr);
  TArduinoRGBWGraphicsElementDrawBitmapPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoRGBWGraphicsElementDrawBitmapPixels* FBitmap;
};

class TArduinoMonochromeGraphicsElementDrawBitmap : public TArduinoGraphicsElementDrawBasicBitmap {
  Q_OBJECT
  Q_PROPERTY(TArduinoMonochromeGraphicsElementDrawBitmapPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoMonochromeGraphicsElementDrawBitmap(QObject* parent = nullptr);
  TArduinoMonochromeGraphicsElementDrawBitmapPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoMonochromeGraphicsElementDrawBitmapPixels* FBitmap;
};

class TArduinoMonochromeGraphicsElementDrawTransparencyBitmap : public TArduinoGraphicsElementDrawBasicBitmap {
  Q_OBJECT
  Q_PROPERTY(TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels* Bitmap READ GetBitmap)
public:
  Q_INVOKABLE explicit TArduinoMonochromeGraphicsElementDrawTransparencyBitmap(QObject* parent = nullptr);
  TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels* GetBitmap() const { return FBitmap; }

private:
  TArduinoMonochromeGraphicsElementDrawBitmapTransparencyPixels* FBitmap;
};

// --- Mqtt ---

class TArduinoMqttClient : public TComponent {
  Q_OBJECT
  Q_PROPERTY(QString ClientID READ GetClientID WRITE SetClientID)
  Q_PROPERTY(int KeepAliveInterval READ GetKeepAliveInterval WRITE SetKeepAliveInterval)
public:
  Q_INVOKABLE explicit TArduinoMqttClient(QObject* parent = nullptr);
  QString GetClientID() const { return FClientID; }
  void SetClientID(const QString& value) { FClientID = value; }
  int GetKeepAliveInterval() const { return FKeepAliveInterval; }
  void SetKeepAliveInterval(int value) { FKeepAliveInterval = value; }

private:
  QString FClientID;
  int FKeepAliveInterval = 15;
};
