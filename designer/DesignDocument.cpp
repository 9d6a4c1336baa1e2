#include "DesignDocument.h"

#include <QMetaObject>

TDesignDocument::TDesignDocument() = default;
TDesignDocument::~TDesignDocument() { Clear(); }

int TDesignDocument::IndexOf(const TComponent* component) const {
  for (size_t i = 0; i < FComponents.size(); ++i)
    if (FComponents[i].get() == component) return int(i);
  return -1;
}

TComponent* TDesignDocument::FindComponent(const QString& name) const { return FNames.value(name.toLower(), nullptr); }

void TDesignDocument::Index(TComponent* component) {
  const QString key = component->GetName().toLower();
  FIndexed.insert(component, key);
  FNames.insert(key, component);
  QObject::connect(component, &QObject::objectNameChanged, &FWatcher, [this, component] {
    FNames.remove(FIndexed.value(component), component);
    const QString renamed = component->GetName().toLower();
    FIndexed.insert(component, renamed);
    FNames.insert(renamed, component);
  });
}

void TDesignDocument::Unindex(TComponent* component) {
  QObject::disconnect(component, nullptr, &FWatcher, nullptr);
  FNames.remove(FIndexed.take(component), component);
}

void TDesignDocument::Insert(int index, std::unique_ptr<TComponent> component) {
  index = std::clamp(index, 0, GetCount());
  Index(component.get());
  FComponents.insert(FComponents.begin() + index, std::move(component));
}

std::unique_ptr<TComponent> TDesignDocument::Take(int index) {
  auto component = std::move(FComponents.at(size_t(index)));
  FComponents.erase(FComponents.begin() + index);
  Unindex(component.get());
  return component;
}

void TDesignDocument::Assign(std::vector<std::unique_ptr<TComponent>> components) {
  Clear();
  FComponents = std::move(components);
  for (const auto& component : FComponents) Index(component.get());
}

void TDesignDocument::Clear() {
  for (const auto& component : FComponents) Unindex(component.get());
  FComponents.clear();
}

QString TDesignDocument::UniqueName(TClass cls) const {
  QString base = QString::fromLatin1(cls->className());
  if (base.size() > 1 && base.startsWith(QLatin1Char('T'))) base.remove(0, 1);
  for (int n = 1;; ++n) {
    const QString name = base + QString::number(n);
    if (!FindComponent(name)) return name;
  }
}

TComponent* TDesignDocument::RootOf(const QObject* object) const {
  for (const QObject* o = object; o; o = o->parent())
    if (FIndexed.contains(o)) return static_cast<TComponent*>(const_cast<QObject*>(o));
  return nullptr;
}
