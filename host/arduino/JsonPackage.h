#pragma once

namespace Velto::Arduino::Json {
// Puts the JSON components on the designer's palette.
void RegisterPkg();
}  // namespace Velto::Arduino::Json
