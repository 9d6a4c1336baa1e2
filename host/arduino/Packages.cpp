#include "arduino/Packages.h"

#include "arduino/Components.h"
#include "arduino/Displays.h"
#include "framework/Registration.h"

namespace Velto::Arduino::Converters {
void RegisterPkg() {
  RegisterComponents(QStringLiteral("Converters"), {&TArduinoColorToGrayscaleAlphaColor::staticMetaObject});
}
}  // namespace Velto::Arduino::Converters

namespace Velto::Arduino::Packet {
void RegisterPkg() { RegisterComponents(QStringLiteral("Communication"), {&TArduinoPacket::staticMetaObject}); }
}  // namespace Velto::Arduino::Packet

namespace Velto::Arduino::Text {
void RegisterPkg() {
  RegisterComponents(QStringLiteral("Text"), {&TArduinoFormattedText::staticMetaObject});
  RegisterComponents(QStringLiteral("Displays"), {&TArduinoGraphicsElementDrawText::staticMetaObject});
}
}  // namespace Velto::Arduino::Text

// The library has no board or display package of its own here; boards and the bitmap elements
// come with the structure package.
namespace Velto::Arduino::Structure {
void RegisterPkg() {
  RegisterComponents(QStringLiteral("Structure"), {&TArduinoCustomCode::staticMetaObject});
  RegisterClasses({&TArduinoEthernetShield::staticMetaObject, &TArduinoMotorShield::staticMetaObject});
  RegisterComponents(QStringLiteral("Boards"), {&TArduinoUno::staticMetaObject, &TArduinoNano::staticMetaObject});
  RegisterComponents(QStringLiteral("Displays"),
                     {&TArduinoColorGraphicsElementDrawBitmap::staticMetaObject,
                      &TArduinoRGBWGraphicsElementDrawBitmap::staticMetaObject,
                      &TArduinoMonochromeGraphicsElementDrawBitmap::staticMetaObject,
                      &TArduinoMonochromeGraphicsElementDrawTransparencyBitmap::staticMetaObject,
                      &TArduinoMonochromeDisplay::staticMetaObject, &TArduinoColorDisplay::staticMetaObject,
                      &TArduinoRGBWLedMatrix::staticMetaObject});
  RegisterClasses({&TArduinoMonochromeDisplayDrawBitmap::staticMetaObject,
                   &TArduinoMonochromeDisplayDrawTransparencyBitmap::staticMetaObject,
                   &TArduinoColorDisplayDrawBitmap::staticMetaObject, &TArduinoRGBWLedMatrixDrawBitmap::staticMetaObject});
}
}  // namespace Velto::Arduino::Structure

namespace Velto::Arduino::Mqtt {
void RegisterPkg() { RegisterComponents(QStringLiteral("Internet"), {&TArduinoMqttClient::staticMetaObject}); }
}  // namespace Velto::Arduino::Mqtt
