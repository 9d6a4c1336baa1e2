#include "JsonPackage.h"

#include "JsonComponents.h"
#include "framework/Registration.h"

namespace Velto::Arduino::Json {

void RegisterPkg() {
  RegisterComponents(QStringLiteral("JSON"),
                     {&TArduinoMakeJSON::staticMetaObject, &TArduinoMakeJSONArray::staticMetaObject,
                      &TArduinoSplitJSON::staticMetaObject, &TArduinoSplitJSONArray::staticMetaObject});
}

}  // namespace Velto::Arduino::Json
