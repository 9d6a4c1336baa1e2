#pragma once

// Provisional typed view over a component library collection; the containers work replaces the
// internals but keeps this surface: GetCount, GetItem, Add(class), Query()->First(predicate, out).

#include "runtime/Classes.h"
#include "runtime/Exceptions.h"

#include <functional>
#include <memory>

template <class T>
class TTypedCollectionQuery {
public:
  using TPredicate = std::function<bool(T*)>;
  explicit TTypedCollectionQuery(TCollection* c, bool reversed = false) : FCollection(c), FReversed(reversed) {}
  // The first item, in the query's direction, for which the predicate holds.
  bool First(const TPredicate& predicate, T*& out) const {
    VELTO_ASSERT(bool(predicate));
    const int n = FCollection->GetCount();
    for (int k = 0; k < n; ++k) {
      T* item = static_cast<T*>(FCollection->GetItem(FReversed ? n - 1 - k : k));
      if (predicate(item)) {
        out = item;
        return true;
      }
    }
    out = nullptr;
    return false;
  }

private:
  TCollection* FCollection;
  bool FReversed;
};

template <class T>
class TTypedPersistentCollection {
public:
  explicit TTypedPersistentCollection(TCollection* c) : FCollection(c) {}
  int GetCount() const { return FCollection->GetCount(); }
  T* GetItem(int index) const { return static_cast<T*>(FCollection->GetItem(index)); }
  T* Add(TClass cls) { return static_cast<T*>(FCollection->Add(cls)); }
  std::shared_ptr<TTypedCollectionQuery<T>> Query(bool reversed = false) const {
    return std::make_shared<TTypedCollectionQuery<T>>(FCollection, reversed);
  }
  TCollection* GetCollection() const { return FCollection; }

private:
  TCollection* FCollection;
};
