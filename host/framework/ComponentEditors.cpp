#include "ComponentEditors.h"

#include "Registration.h"
#include "runtime/Exceptions.h"

TComponentEditorMenuItem::TComponentEditorMenuItem(QString caption, TProc action)
    : FCaption(std::move(caption)), FAction(std::move(action)) {}

void TComponentEditorMenuItem::Execute() const {
  if (FAction) FAction();
}

IComponentEditorMenuItems& TComponentEditorMenuItems::Add(const IComponentEditorMenuItem& item, int count) {
  for (int i = 0; i < count; ++i) FItems.push_back(item);
  return *this;
}

IComponentEditorMenuItem TComponentEditorMenuItems::GetItem(int index) const {
  if (index < 0 || index >= GetCount())
    throw ERangeError(QStringLiteral("Index out of range = %1").arg(uint32_t(index)));
  return FItems[size_t(index)];
}

TComponentEditor::TComponentEditor(TComponent* component, IDesigner* designer)
    : FComponent(component), FDesigner(designer) {}

std::shared_ptr<IModification> TComponentEditor::BeginModify() {
  return FDesigner ? FDesigner->BeginModify(FComponent) : nullptr;
}

void TComponentEditor::Execute() {
  TComponentEditorMenuItems items;
  PopulateMenuItems(items);
  if (items.GetCount() > 0) items.GetItem(0)->Execute();
}

void TComponentEditor::PopulateMenuItems(IComponentEditorMenuItems&) {}

std::unique_ptr<TComponentEditor> TComponentEditor::CreateFor(TComponent* component, IDesigner* designer) {
  TClass cls = TDesignRegistry::Instance().FindComponentEditor(component->metaObject());
  if (!cls) return nullptr;
  QObject* obj = cls->newInstance(Q_ARG(TComponent*, component), Q_ARG(IDesigner*, designer));
  auto* editor = qobject_cast<TComponentEditor*>(obj);
  if (!editor) {
    delete obj;
    throw EInvalidCast();
  }
  return std::unique_ptr<TComponentEditor>(editor);
}

void IDesigner::ShowCollectionEditor(TCollection*, const QString& caption) {
  throw Exception(QStringLiteral("This designer has no editor for the collection %1").arg(caption));
}
