#include "FontPropertyEditors.h"

namespace Velto::Arduino::Graphics::FontPropertyEditors {
void StartUp() {
  RegisterPropertyEditor(QMetaType::fromType<TArduinoGraphicsFont>(), nullptr, QString(),
                         &TArduinoGraphicsFontPropertyEditor::staticMetaObject);
}
}  // namespace Velto::Arduino::Graphics::FontPropertyEditors
