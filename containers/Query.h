#pragma once

// Queries: a forward or reversed view of a container offering enumeration and the first element
// that satisfies a predicate.

#include "Enumerators.h"

#include <functional>
#include <vector>

template <class T>
class TQuery : public IEnumerable<T> {
public:
  using TPredicate = std::function<bool(const T&)>;
  using TEnumeratorFactory = std::function<std::shared_ptr<IEnumerator<T>>()>;

  // A query over whatever the factory enumerates, in the factory's order.
  explicit TQuery(TEnumeratorFactory factory, bool reversed = false)
      : FFactory(std::move(factory)), FReversed(reversed) {
    VELTO_ASSERT(bool(FFactory));
  }

  bool IsReversed() const { return FReversed; }
  std::shared_ptr<IEnumerator<T>> GetEnumerator() const override { return FFactory(); }

  // The first element in the query's direction for which the predicate holds; out is reset to an
  // empty element when none does.
  virtual bool First(const TPredicate& predicate, T& out) const {
    VELTO_ASSERT(bool(predicate));
    auto e = GetEnumerator();
    while (e->MoveNext()) {
      T item = e->GetCurrent();
      if (predicate(item)) {
        out = std::move(item);
        return true;
      }
    }
    out = T();
    return false;
  }

  std::vector<T> ToArray() const {
    std::vector<T> result;
    for (auto e = GetEnumerator(); e->MoveNext();) result.push_back(e->GetCurrent());
    return result;
  }

  // For a query held in a variable: for (auto x : *query).
  TEnumeratorIterator<IEnumerator<T>> begin() const { return TEnumeratorIterator<IEnumerator<T>>(GetEnumerator()); }
  std::default_sentinel_t end() const { return {}; }
  // For a query made in the loop itself: for (auto x : list->Query()->Items()). The range holds
  // what it enumerates, so the temporary query may go.
  TEnumeratorRange<T> Items() const { return TEnumeratorRange<T>(GetEnumerator()); }

protected:
  explicit TQuery(bool reversed) : FReversed(reversed) {}

private:
  TEnumeratorFactory FFactory;
  bool FReversed;
};

// A query over a live indexable container (size() and checked operator[]); it also enumerates
// elements with their indexes.
template <class T, class TContainer>
class TContainerQuery final : public TQuery<T> {
public:
  TContainerQuery(const TContainer* container, bool reversed, std::shared_ptr<const void> keepAlive = nullptr)
      : TQuery<T>(reversed), FContainer(container), FKeepAlive(std::move(keepAlive)) {}

  std::shared_ptr<IEnumerator<T>> GetEnumerator() const override {
    return MakeListEnumerator<T, false>(FContainer, this->IsReversed(), FKeepAlive);
  }
  std::shared_ptr<IEnumerator<TIndexedItem<T>>> GetIndexedEnumerator() const {
    return MakeListEnumerator<T, true>(FContainer, this->IsReversed(), FKeepAlive);
  }
  bool First(const typename TQuery<T>::TPredicate& predicate, T& out) const override {
    VELTO_ASSERT(bool(predicate));
    const int n = FContainer->size();
    for (int k = 0; k < n; ++k) {
      const T& item = (*FContainer)[this->IsReversed() ? n - 1 - k : k];
      if (predicate(item)) {
        out = item;
        return true;
      }
    }
    out = T();
    return false;
  }

private:
  const TContainer* FContainer;
  std::shared_ptr<const void> FKeepAlive;
};

// A query over a fixed array and its size; the keep-alive reference owns the array when the query
// was made from a snapshot.
template <class T>
class TArraySizeContainerQuery final : public TQuery<T> {
public:
  TArraySizeContainerQuery(const T* array, int size, bool reversed, std::shared_ptr<const void> keepAlive = nullptr)
      : TQuery<T>(reversed), FArray(array), FSize(size), FKeepAlive(std::move(keepAlive)) {}

  // A query that owns a copy of the elements.
  static std::shared_ptr<TArraySizeContainerQuery> FromSnapshot(std::vector<T> items, bool reversed) {
    auto owned = std::make_shared<const std::vector<T>>(std::move(items));
    return std::make_shared<TArraySizeContainerQuery>(owned->data(), int(owned->size()), reversed, owned);
  }

  std::shared_ptr<IEnumerator<T>> GetEnumerator() const override {
    return MakeArraySizeEnumerator<T, false>(FArray, FSize, this->IsReversed(), FKeepAlive);
  }
  std::shared_ptr<IEnumerator<TIndexedItem<T>>> GetIndexedEnumerator() const {
    return MakeArraySizeEnumerator<T, true>(FArray, FSize, this->IsReversed(), FKeepAlive);
  }
  bool First(const typename TQuery<T>::TPredicate& predicate, T& out) const override {
    VELTO_ASSERT(bool(predicate));
    for (int k = 0; k < FSize; ++k) {
      const T& item = FArray[this->IsReversed() ? FSize - 1 - k : k];
      if (predicate(item)) {
        out = item;
        return true;
      }
    }
    out = T();
    return false;
  }

private:
  const T* FArray;
  int FSize;
  std::shared_ptr<const void> FKeepAlive;
};

// A query over a container of objects whose GetItem hands out a base class pointer (a component
// library collection, an object list); elements are seen as T*.
template <class T, class TContainer>
class TObjectContainerQuery final : public TQuery<T*> {
public:
  using typename TQuery<T*>::TPredicate;

  TObjectContainerQuery(const TContainer* container, bool reversed, std::shared_ptr<const void> keepAlive = nullptr)
      : TQuery<T*>(reversed), FContainer(container), FKeepAlive(std::move(keepAlive)) {}

  std::shared_ptr<IEnumerator<T*>> GetEnumerator() const override {
    auto index = std::make_shared<int>(this->IsReversed() ? FContainer->GetCount() : -1);
    const TContainer* c = FContainer;
    std::shared_ptr<const void> keep = FKeepAlive;
    const bool reversed = this->IsReversed();
    return std::make_shared<TEnumeratorDelegate<T*>>(
        [index, c, reversed, keep] {
          if (reversed) {
            *index = std::min(*index, c->GetCount()) - 1;
            return *index >= 0;
          }
          return ++*index < c->GetCount();
        },
        [index, c] { return static_cast<T*>(c->GetItem(*index)); });
  }

  // The first object in the query's direction for which the predicate holds; out is nullptr when
  // none does.
  bool First(const TPredicate& predicate, T*& out) const override {
    VELTO_ASSERT(bool(predicate));
    const int n = FContainer->GetCount();
    for (int k = 0; k < n; ++k) {
      T* item = static_cast<T*>(FContainer->GetItem(this->IsReversed() ? n - 1 - k : k));
      if (predicate(item)) {
        out = item;
        return true;
      }
    }
    out = nullptr;
    return false;
  }

private:
  const TContainer* FContainer;
  std::shared_ptr<const void> FKeepAlive;
};
