#include "PropertyReflection.h"

#include "framework/Registration.h"

namespace Reflection {

std::vector<QMetaProperty> PublishedProperties(const QMetaObject* cls) {
  std::vector<QMetaProperty> properties;
  for (int i = QObject::staticMetaObject.propertyCount(); i < cls->propertyCount(); ++i)
    properties.push_back(cls->property(i));
  return properties;
}

TPersistent* SubObject(const QObject* object, const QMetaProperty& property) {
  if (!PropertyClass(property.metaType())) return nullptr;
  auto* sub = qobject_cast<TPersistent*>(property.read(object).value<QObject*>());
  // Only objects the property owns are streamed in place; anything else is a reference.
  return sub && sub->parent() == object ? sub : nullptr;
}

TPropertyKind KindOf(const QObject* object, const QMetaProperty& property) {
  if (PropertyClass(property.metaType())) {
    TPersistent* sub = SubObject(object, property);
    if (!sub) return TPropertyKind::Ignored;
    return qobject_cast<TCollection*>(sub) ? TPropertyKind::Collection : TPropertyKind::Object;
  }
  if (!property.isWritable() || !property.isStored()) return TPropertyKind::Ignored;
  return TPropertyKind::Value;
}

QString ItemCaption(int index, const QString& displayName) {
  return QStringLiteral("%1 - %2").arg(index).arg(displayName);
}

}  // namespace Reflection
