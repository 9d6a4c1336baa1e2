#pragma once

#include "runtime/Classes.h"

// A shield plugged onto a board.
class TArduinoBasicShield : public TCollectionItem {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoBasicShield(QObject* parent = nullptr);
};

class TArduinoEthernetShield : public TArduinoBasicShield {
  Q_OBJECT
  Q_PROPERTY(QString MacAddress READ GetMacAddress WRITE SetMacAddress)
public:
  Q_INVOKABLE explicit TArduinoEthernetShield(QObject* parent = nullptr);
  QString GetDisplayName() const override;
  QString GetMacAddress() const { return FMacAddress; }
  void SetMacAddress(const QString& value) { FMacAddress = value; }

private:
  QString FMacAddress = QStringLiteral("DE:AD:BE:EF:FE:ED");
};

class TArduinoMotorShield : public TArduinoBasicShield {
  Q_OBJECT
  Q_PROPERTY(int PwmFrequency READ GetPwmFrequency WRITE SetPwmFrequency)
public:
  Q_INVOKABLE explicit TArduinoMotorShield(QObject* parent = nullptr);
  QString GetDisplayName() const override;
  int GetPwmFrequency() const { return FPwmFrequency; }
  void SetPwmFrequency(int value) { FPwmFrequency = value; }

private:
  int FPwmFrequency = 1600;
};

// The shields of a board. Boards without a shield header keep an empty collection that the
// inspector does not list.
class TArduinoBasicShields : public TCollection {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoBasicShields(QObject* parent = nullptr);
  virtual bool GetShieldsVisible() const;
};

// Boards whose pins sit on a breadboard header: no shield fits.
class TArduinoNoShields : public TArduinoBasicShields {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoNoShields(QObject* parent = nullptr);
  bool GetShieldsVisible() const override;
};
