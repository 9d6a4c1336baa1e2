#include "JsonPackage.h"

#include "JsonComponents.h"
#include "framework/Registration.h"

namespace Velto::Arduino::Json {

void RegisterPkg() {
  // Documents name the element classes of stored collections; readers find them by name.
  RegisterClasses({
                   &TArduinoMakeJSONObjectElement::staticMetaObject,
                   &TArduinoMakeJSONArrayElement::staticMetaObject,
                   &TArduinoMakeJSONDigitalElement::staticMetaObject,
                   &TArduinoMakeJSONIntegerElement::staticMetaObject,
                   &TArduinoMakeJSONUnsignedElement::staticMetaObject,
                   &TArduinoMakeJSONTextElement::staticMetaObject,
                   &TArduinoMakeJSONAnalogElement::staticMetaObject,
                   &TArduinoMakeJSONObjectArrayElement::staticMetaObject,
                   &TArduinoMakeJSONArrayArrayElement::staticMetaObject,
                   &TArduinoMakeJSONDigitalArrayElement::staticMetaObject,
                   &TArduinoMakeJSONIntegerArrayElement::staticMetaObject,
                   &TArduinoMakeJSONUnsignedArrayElement::staticMetaObject,
                   &TArduinoMakeJSONTextArrayElement::staticMetaObject,
                   &TArduinoMakeJSONAnalogArrayElement::staticMetaObject,
                   &TArduinoSplitJSONObjectElement::staticMetaObject,
                   &TArduinoSplitJSONArrayElement::staticMetaObject,
                   &TArduinoSplitJSONDigitalElement::staticMetaObject,
                   &TArduinoSplitJSONIntegerElement::staticMetaObject,
                   &TArduinoSplitJSONUnsignedElement::staticMetaObject,
                   &TArduinoSplitJSONTextElement::staticMetaObject,
                   &TArduinoSplitJSONAnalogElement::staticMetaObject,
                   &TArduinoSplitJSONObjectArrayElement::staticMetaObject,
                   &TArduinoSplitJSONArrayArrayElement::staticMetaObject,
                   &TArduinoSplitJSONDigitalArrayElement::staticMetaObject,
                   &TArduinoSplitJSONIntegerArrayElement::staticMetaObject,
                   &TArduinoSplitJSONUnsignedArrayElement::staticMetaObject,
                   &TArduinoSplitJSONTextArrayElement::staticMetaObject,
                   &TArduinoSplitJSONAnalogArrayElement::staticMetaObject});
  RegisterComponents(QStringLiteral("JSON"),
                     {&TArduinoMakeJSON::staticMetaObject, &TArduinoMakeJSONArray::staticMetaObject,
                      &TArduinoSplitJSON::staticMetaObject, &TArduinoSplitJSONArray::staticMetaObject});
}

}  // namespace Velto::Arduino::Json
