#include "arduino/Packages.h"

namespace Velto::Arduino::Json {
void RegisterPkg() {
  // The JSON components register here.
}
}  // namespace Velto::Arduino::Json
