#pragma once

#include "runtime/Classes.h"

#include <QHash>
#include <QMultiHash>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

// The components of one design document, in document order. The document owns them.
class TDesignDocument {
public:
  TDesignDocument();
  ~TDesignDocument();
  TDesignDocument(const TDesignDocument&) = delete;
  TDesignDocument& operator=(const TDesignDocument&) = delete;

  int GetCount() const { return int(FComponents.size()); }
  TComponent* GetComponent(int index) const { return FComponents.at(size_t(index)).get(); }
  int IndexOf(const TComponent* component) const;
  TComponent* FindComponent(const QString& name) const;

  void Insert(int index, std::unique_ptr<TComponent> component);
  std::unique_ptr<TComponent> Take(int index);
  // Replaces every component at once (a document just read).
  void Assign(std::vector<std::unique_ptr<TComponent>> components);
  void Clear();

  // "Led1", "Led2", ...: the class name without its leading T and the first free number.
  QString UniqueName(TClass cls) const;

  // The component of this document that holds `object` (itself, or through sub-objects and
  // collection items), or nullptr.
  TComponent* RootOf(const QObject* object) const;

private:
  void Index(TComponent* component);
  void Unindex(TComponent* component);

  std::vector<std::unique_ptr<TComponent>> FComponents;
  // Names are looked up in a hash, kept current as components are renamed.
  QMultiHash<QString, TComponent*> FNames;  // by the name in lower case
  QHash<const QObject*, QString> FIndexed;  // each component's key in FNames
  QObject FWatcher;                         // the receiver of the components' rename signals
};
