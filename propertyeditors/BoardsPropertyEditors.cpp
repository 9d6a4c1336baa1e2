#include "BoardsPropertyEditors.h"

bool TShieldsCollectionPropertyEditor::GetIsVisible() {
  const QVariantList values = GetInstanceValues();
  QObject* instance = values.isEmpty() ? nullptr : GetRealTypeInstance(values.front());
  if (!instance) return false;  // nothing to list
  auto* shields = qobject_cast<TArduinoBasicShields*>(instance);
  if (!shields) throw EInvalidCast();
  return shields->GetShieldsVisible();
}

namespace Velto::Inplace::Arduino::Boards::PropertyEditors {
void Register() {
  RegisterPropertyEditor(QMetaType::fromType<TArduinoBasicShields*>(), nullptr, QString(),
                         &TShieldsCollectionPropertyEditor::staticMetaObject);
}
}  // namespace Velto::Inplace::Arduino::Boards::PropertyEditors
