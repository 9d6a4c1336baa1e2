#include "DesignDocument.h"

#include <QMetaObject>

TDesignDocument::TDesignDocument() = default;
TDesignDocument::~TDesignDocument() = default;

int TDesignDocument::IndexOf(const TComponent* component) const {
  for (size_t i = 0; i < FComponents.size(); ++i)
    if (FComponents[i].get() == component) return int(i);
  return -1;
}

TComponent* TDesignDocument::FindComponent(const QString& name) const {
  for (const auto& c : FComponents)
    if (c->GetName().compare(name, Qt::CaseInsensitive) == 0) return c.get();
  return nullptr;
}

void TDesignDocument::Insert(int index, std::unique_ptr<TComponent> component) {
  index = std::clamp(index, 0, GetCount());
  FComponents.insert(FComponents.begin() + index, std::move(component));
}

std::unique_ptr<TComponent> TDesignDocument::Take(int index) {
  auto component = std::move(FComponents.at(size_t(index)));
  FComponents.erase(FComponents.begin() + index);
  return component;
}

void TDesignDocument::Assign(std::vector<std::unique_ptr<TComponent>> components) {
  FComponents = std::move(components);
}

void TDesignDocument::Clear() { FComponents.clear(); }

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
    for (const auto& c : FComponents)
      if (c.get() == o) return c.get();
  return nullptr;
}
