#pragma once

// Typed views of the component library's collections: the collection keeps its items, the view
// hands them out as T* (T derives from TCollectionItem).

#include "ArrayList.h"
#include "Comparers.h"
#include "Query.h"

#include "runtime/Classes.h"

#include <QMetaProperty>
#include <algorithm>
#include <vector>

template <class T>
using TTypedCollectionQuery = TObjectContainerQuery<T, TCollection>;

template <class T>
class TTypedBasicPersistentCollection {
public:
  explicit TTypedBasicPersistentCollection(TCollection* collection) : FCollection(collection) {
    VELTO_ASSERT(collection != nullptr);
  }
  // For a collection that keeps a typed view of itself: it is never null, so nothing to check.
  explicit TTypedBasicPersistentCollection(TCollection& collection) : FCollection(&collection) {}

  TCollection* GetCollection() const { return FCollection; }
  int GetCount() const { return FCollection->GetCount(); }
  // Raises ERangeError outside 0 .. count - 1.
  T* GetItem(int index) const { return static_cast<T*>(FCollection->GetItem(index)); }
  T* operator[](int index) const { return GetItem(index); }

  // Copies value's published properties and custom data into the item at index; the collection
  // keeps its own item.
  void SetItem(int index, const T* value) const {
    T* item = GetItem(index);
    VELTO_ASSERT(value != nullptr);
    if (item == value) return;
    const QMetaObject* meta = value->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
      QMetaProperty property = meta->property(i);
      if (!property.isStored() || !property.isWritable() || qstrcmp(property.name(), "objectName") == 0) continue;
      const int target = item->metaObject()->indexOfProperty(property.name());
      if (target >= 0) item->metaObject()->property(target).write(item, property.read(value));
    }
    item->ReadCustomData(value->WriteCustomData());
  }

  int IndexOf(const T* item) const {
    for (int i = 0, n = GetCount(); i < n; ++i)
      if (FCollection->GetItem(i) == item) return i;
    return -1;
  }
  // Deletes item from the collection (destroying it); false when it is not one of its items.
  bool Remove(T* item) const {
    const int index = IndexOf(item);
    if (index < 0) return false;
    FCollection->Delete(index);
    return true;
  }

  // Reorders the items; the comparison sees the items as T*.
  void Sort(const std::shared_ptr<IComparer<T*>>& comparer) const {
    VELTO_ASSERT(comparer != nullptr);
    std::vector<T*> items;
    items.reserve(size_t(GetCount()));
    for (int i = 0, n = GetCount(); i < n; ++i) items.push_back(GetItem(i));
    std::stable_sort(items.begin(), items.end(), [&](T* a, T* b) { return comparer->Compare(a, b) < 0; });
    for (int i = 0; i < int(items.size()); ++i) {
      const int from = IndexOf(items[size_t(i)]);
      if (from != i) FCollection->Move(from, i);
    }
  }
  void Sort(typename TDelegatedComparer<T*>::TComparison comparison) const {
    Sort(TDelegatedComparer<T*>::Create(std::move(comparison)));
  }

  std::shared_ptr<TTypedCollectionQuery<T>> Query(bool reversed = false) const {
    return std::make_shared<TTypedCollectionQuery<T>>(FCollection, reversed);
  }
  std::shared_ptr<IEnumerator<T*>> GetEnumerator(bool reversed = false) const { return Query(reversed)->GetEnumerator(); }

  class TIterator {
  public:
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using iterator_category = std::forward_iterator_tag;
    TIterator() = default;
    TIterator(const TCollection* c, int i) : FCollection(c), FIndex(i) {}
    T* operator*() const { return static_cast<T*>(FCollection->GetItem(FIndex)); }
    TIterator& operator++() {
      ++FIndex;
      return *this;
    }
    TIterator operator++(int) {
      TIterator old = *this;
      ++FIndex;
      return old;
    }
    bool operator==(const TIterator& other) const { return FIndex == other.FIndex; }

  private:
    const TCollection* FCollection = nullptr;
    int FIndex = 0;
  };
  TIterator begin() const { return TIterator(FCollection, 0); }
  TIterator end() const { return TIterator(FCollection, GetCount()); }

protected:
  TCollection* FCollection;
};

// The view that also makes new items.
template <class T>
class TTypedPersistentCollection : public TTypedBasicPersistentCollection<T> {
public:
  using TTypedBasicPersistentCollection<T>::TTypedBasicPersistentCollection;
  // A new item of cls (default: the collection's item class), appended.
  T* Add(TClass cls = nullptr) const { return Checked(this->FCollection->Add(cls)); }
  // A new item of cls at index (clamped to 0 .. count).
  T* Insert(int index, TClass cls = nullptr) const { return Checked(this->FCollection->Insert(index, cls)); }

private:
  // The collection checked the item against its own item class; T may be narrower than that.
  T* Checked(TCollectionItem* item) const {
    if (T* typed = dynamic_cast<T*>(item)) return typed;
    this->FCollection->Delete(item->GetIndex());
    throw EInvalidCast();
  }
};
