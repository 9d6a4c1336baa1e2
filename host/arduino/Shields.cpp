#include "arduino/Shields.h"

TArduinoBasicShield::TArduinoBasicShield(QObject* parent) : TCollectionItem(parent) {}

TArduinoEthernetShield::TArduinoEthernetShield(QObject* parent) : TArduinoBasicShield(parent) {}

QString TArduinoEthernetShield::GetDisplayName() const { return QStringLiteral("Ethernet Shield"); }

TArduinoMotorShield::TArduinoMotorShield(QObject* parent) : TArduinoBasicShield(parent) {}

QString TArduinoMotorShield::GetDisplayName() const { return QStringLiteral("Motor Shield"); }

TArduinoBasicShields::TArduinoBasicShields(QObject* parent)
    : TCollection(&TArduinoBasicShield::staticMetaObject, parent) {}

bool TArduinoBasicShields::GetShieldsVisible() const { return true; }

TArduinoNoShields::TArduinoNoShields(QObject* parent) : TArduinoBasicShields(parent) {}

bool TArduinoNoShields::GetShieldsVisible() const { return false; }
