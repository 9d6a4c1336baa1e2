#include "PropertyEditors.h"

#include "framework/Registration.h"
#include "runtime/Exceptions.h"
#include "runtime/SysUtils.h"

#include <vector>

namespace {
// Holds the modifications of several instances; releasing it releases them all.
class TModifications final : public IModification {
public:
  std::vector<std::shared_ptr<IModification>> Scopes;
};

QMetaProperty PropertyOf(const QList<QObject*>& instances, const QByteArray& name) {
  if (instances.isEmpty()) throw Exception(QStringLiteral("No object carries the property %1").arg(QLatin1String(name)));
  const QMetaObject* meta = instances.front()->metaObject();
  const int index = meta->indexOfProperty(name.constData());
  if (index < 0) throw Exception(QStringLiteral("%1 has no property %2").arg(QLatin1String(meta->className()), QLatin1String(name)));
  return meta->property(index);
}

TClass BaseEditorFor(const QMetaProperty& property) {
  if (TClass cls = PropertyClass(property.metaType())) {
    return cls->inherits(&TCollection::staticMetaObject) ? &TPersistentCollectionPropertyEditor::staticMetaObject
                                                          : &TClassPropertyEditor::staticMetaObject;
  }
  switch (property.metaType().id()) {
    case QMetaType::QString: return &TStringPropertyEditor::staticMetaObject;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort: return &TBasicIntegerPropertyEditor::staticMetaObject;
    default: return &TSinglePropertyEditor::staticMetaObject;
  }
}
}  // namespace

TSinglePropertyEditor::TSinglePropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                             const QByteArray& propertyName)
    : FDesigner(designer), FInstances(instances), FProperty(PropertyOf(instances, propertyName)) {}

QString TSinglePropertyEditor::GetName() const { return QString::fromLatin1(FProperty.name()); }

QObject* TSinglePropertyEditor::GetFirstMemberUnsafe() const { return FInstances.front(); }

TMemberKind TSinglePropertyEditor::GetMemberKind(const QObject*) const {
  if (!FProperty.isWritable()) return mkReadOnly;
  return FDesigner ? mkDesignProperty : mkDetached;
}

bool TSinglePropertyEditor::GetIsVisible() { return FProperty.isReadable(); }

void TSinglePropertyEditor::InitCreate() {}

QVariantList TSinglePropertyEditor::GetInstanceValues() {
  QVariantList values;
  values.reserve(FInstances.size());
  for (QObject* instance : FInstances) values << instance->property(FProperty.name());
  return values;
}

void TSinglePropertyEditor::SetInstanceValues(const QVariant& value) {
  const std::shared_ptr<IModification> modification = BeginModify();
  for (QObject* instance : FInstances)
    if (!instance->setProperty(FProperty.name(), value))
      throw Exception(QStringLiteral("%1 cannot be set on %2").arg(GetName(), instance->objectName()));
}

QString TSinglePropertyEditor::GetDefaultStringValue() { return ValueText(FInstances.front()->property(FProperty.name())); }

std::shared_ptr<IModification> TSinglePropertyEditor::BeginModify() {
  auto modifications = std::make_shared<TModifications>();
  if (!FDesigner) return modifications;
  for (QObject* instance : FInstances)
    if (auto* persistent = qobject_cast<TPersistent*>(instance)) modifications->Scopes.push_back(FDesigner->BeginModify(persistent));
  return modifications;
}

QStringList TSinglePropertyEditor::GetStringValuesInternal() {
  QStringList texts;
  for (const QVariant& value : GetInstanceValues()) texts << ValueText(value);
  return texts;
}

QString TSinglePropertyEditor::GetDisplayValues() {
  const QStringList texts = GetStringValuesInternal();
  for (const QString& text : texts)
    if (text != texts.front()) return {};
  return texts.front();
}

void TSinglePropertyEditor::SetStringValue(const QString& text) {
  QVariant value(text);
  if (!value.convert(FProperty.metaType()))
    throw Exception(QStringLiteral("'%1' is not a valid value of %2").arg(text, GetName()));
  SetInstanceValues(value);
}

void TSinglePropertyEditor::UpdateInplaceForms() {}

QString TSinglePropertyEditor::ValueText(const QVariant& value) const { return value.toString(); }

std::unique_ptr<TSinglePropertyEditor> TSinglePropertyEditor::CreateFor(IDesigner* designer,
                                                                        const QList<QObject*>& instances,
                                                                        const QByteArray& propertyName) {
  const QMetaProperty property = PropertyOf(instances, propertyName);
  TClass cls = TDesignRegistry::Instance().FindPropertyEditor(property.metaType(), instances.front()->metaObject(),
                                                               QLatin1String(propertyName));
  if (!cls) cls = BaseEditorFor(property);
  QObject* made = cls->newInstance(Q_ARG(IDesigner*, designer), Q_ARG(QList<QObject*>, instances),
                                   Q_ARG(QByteArray, propertyName));
  auto* editor = qobject_cast<TSinglePropertyEditor*>(made);
  if (!editor) {
    delete made;
    throw Exception(QStringLiteral("%1 is no property editor that can be made").arg(QLatin1String(cls->className())));
  }
  std::unique_ptr<TSinglePropertyEditor> result(editor);
  result->InitCreate();
  return result;
}

TClassPropertyEditor::TClassPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                           const QByteArray& propertyName)
    : TSinglePropertyEditor(designer, instances, propertyName) {}

void TClassPropertyEditor::SetStringValue(const QString&) {
  throw Exception(QStringLiteral("%1 is edited through its own properties").arg(GetName()));
}

QString TClassPropertyEditor::ValueText(const QVariant& value) const {
  QObject* object = value.value<QObject*>();
  return object ? QStringLiteral("(%1)").arg(QLatin1String(object->metaObject()->className())) : QString();
}

TStringPropertyEditor::TStringPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                             const QByteArray& propertyName)
    : TSinglePropertyEditor(designer, instances, propertyName) {}

TBasicIntegerPropertyEditor::TBasicIntegerPropertyEditor(IDesigner* designer, const QList<QObject*>& instances,
                                                         const QByteArray& propertyName)
    : TSinglePropertyEditor(designer, instances, propertyName) {}

void TBasicIntegerPropertyEditor::SetStringValue(const QString& text) {
  // Hexadecimal too: an editor may show its value as "$FF80", and what it shows must go back in.
  const std::optional<qlonglong> number = TryStrToInt64(text);
  QVariant value(number.value_or(0));
  if (!number || !value.convert(GetProperty().metaType()) || value.toLongLong() != *number)
    throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(text));
  SetInstanceValues(value);
}

TPersistentCollectionPropertyEditor::TPersistentCollectionPropertyEditor(IDesigner* designer,
                                                                         const QList<QObject*>& instances,
                                                                         const QByteArray& propertyName)
    : TClassPropertyEditor(designer, instances, propertyName) {}

QString TPersistentCollectionPropertyEditor::ValueText(const QVariant& value) const {
  auto* collection = qobject_cast<TCollection*>(value.value<QObject*>());
  return collection ? QStringLiteral("(%1 items)").arg(collection->GetCount()) : QString();
}

void TPersistentCollectionPropertyEditor::Execute(const QVariant&) {
  auto* collection = qobject_cast<TCollection*>(GetInstanceValues().front().value<QObject*>());
  if (!collection) throw Exception(QStringLiteral("%1 holds no collection").arg(GetName()));
  if (!GetDesigner()) throw Exception(QStringLiteral("%1 is not in a designer").arg(GetName()));
  GetDesigner()->ShowCollectionEditor(collection, GetName());
}
