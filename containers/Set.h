#pragma once

// A set of distinct elements over a hash table; unordered.

#include "Query.h"

#include <algorithm>
#include <QHashFunctions>
#include <functional>
#include <type_traits>
#include <span>
#include <unordered_set>
#include <vector>

// std::hash where the standard library has one, otherwise Qt's qHash (QString, QByteArray, ...).
template <class T>
struct TDefaultHash {
  size_t operator()(const T& value) const {
    if constexpr (std::is_default_constructible_v<std::hash<T>>)
      return std::hash<T>()(value);
    else
      return size_t(qHash(value));
  }
};

template <class T>
class ISet : public IEnumerable<T> {
public:
  virtual int GetCount() const = 0;
  virtual ISet& Add(const T& value) = 0;
  // True when value was not in the set and has been added.
  virtual bool IfAdd(const T& value) = 0;
  virtual bool Contains(const T& value) const = 0;
  // True when value was in the set and has been removed.
  virtual bool IfRemove(const T& value) = 0;
  virtual ISet& RemoveOne(const T& value) = 0;
  // Removes every element of values (the set difference).
  virtual ISet& RemoveAll(const IEnumerable<T>& values) = 0;
  virtual ISet& Clear() = 0;
  virtual ISet& Union(const IEnumerable<T>& values) = 0;
  virtual ISet& Intersect(const IEnumerable<T>& values) = 0;
  virtual bool IsSubsetOf(const IEnumerable<T>& values) const = 0;
  virtual bool IsSupersetOf(const IEnumerable<T>& values) const = 0;
  virtual bool Overlaps(const IEnumerable<T>& values) const = 0;
  virtual ISet& Append(std::span<const T> values) = 0;
  virtual ISet& Append(const IEnumerable<T>& values) = 0;
  virtual ISet& Assign(std::span<const T> values) = 0;
  virtual ISet& Assign(const IEnumerable<T>& values) = 0;
  virtual std::vector<T> ToArray() const = 0;
  virtual std::shared_ptr<TQuery<T>> Query(bool reversed = false) const = 0;
};

template <class T, class THash = TDefaultHash<T>>
class TSet final : public ISet<T> {
  using TTable = std::unordered_set<T, THash>;

public:
  TSet() = default;
  TSet(std::initializer_list<T> values) : FTable(values) {}
  static std::shared_ptr<ISet<T>> Create() { return std::make_shared<TSet>(); }

  typename TTable::const_iterator begin() const { return FTable.begin(); }
  typename TTable::const_iterator end() const { return FTable.end(); }

  int GetCount() const override { return int(FTable.size()); }
  ISet<T>& Add(const T& value) override {
    FTable.insert(value);
    return *this;
  }
  bool IfAdd(const T& value) override { return FTable.insert(value).second; }
  bool Contains(const T& value) const override { return FTable.count(value) != 0; }
  bool IfRemove(const T& value) override { return FTable.erase(value) != 0; }
  ISet<T>& RemoveOne(const T& value) override {
    FTable.erase(value);
    return *this;
  }
  ISet<T>& RemoveAll(const IEnumerable<T>& values) override {
    if (&values == this) {
      FTable.clear();
      return *this;
    }
    for (const T& v : Items(values)) FTable.erase(v);
    return *this;
  }
  ISet<T>& Clear() override {
    FTable.clear();
    return *this;
  }
  ISet<T>& Union(const IEnumerable<T>& values) override { return Append(values); }
  ISet<T>& Intersect(const IEnumerable<T>& values) override {
    if (&values == this) return *this;
    const TTable other = Table(values);
    std::erase_if(FTable, [&other](const T& v) { return other.count(v) == 0; });
    return *this;
  }
  bool IsSubsetOf(const IEnumerable<T>& values) const override {
    if (&values == this) return true;
    const TTable other = Table(values);
    return std::all_of(FTable.begin(), FTable.end(), [&other](const T& v) { return other.count(v) != 0; });
  }
  bool IsSupersetOf(const IEnumerable<T>& values) const override {
    const std::vector<T> items = Items(values);
    return std::all_of(items.begin(), items.end(), [this](const T& v) { return FTable.count(v) != 0; });
  }
  bool Overlaps(const IEnumerable<T>& values) const override {
    if (&values == this) return !FTable.empty();
    const std::vector<T> items = Items(values);
    return std::any_of(items.begin(), items.end(), [this](const T& v) { return FTable.count(v) != 0; });
  }
  ISet<T>& Append(std::span<const T> values) override {
    FTable.insert(values.begin(), values.end());
    return *this;
  }
  ISet<T>& Append(const IEnumerable<T>& values) override {
    if (&values != this) {
      const std::vector<T> items = Items(values);
      FTable.insert(items.begin(), items.end());
    }
    return *this;
  }
  ISet<T>& Assign(std::span<const T> values) override {
    FTable = TTable(values.begin(), values.end());
    return *this;
  }
  ISet<T>& Assign(const IEnumerable<T>& values) override {
    if (&values != this) FTable = Table(values);
    return *this;
  }
  std::vector<T> ToArray() const override { return std::vector<T>(FTable.begin(), FTable.end()); }
  // The set has no order of its own; a query sees a snapshot in the table's order (or reversed).
  std::shared_ptr<TQuery<T>> Query(bool reversed = false) const override {
    return TArraySizeContainerQuery<T>::FromSnapshot(ToArray(), reversed);
  }
  std::shared_ptr<IEnumerator<T>> GetEnumerator() const override {
    auto keep = this->KeepAlive();
    auto state = std::make_shared<std::pair<typename TTable::const_iterator, bool>>(FTable.end(), false);
    const TTable* table = &FTable;
    return std::make_shared<TEnumeratorDelegate<T>>(
        [state, table, keep] {
          if (state->second && state->first == table->end()) return false;
          state->first = state->second ? std::next(state->first) : table->begin();
          state->second = true;
          return state->first != table->end();
        },
        [state] { return *state->first; });
  }

private:
  static std::vector<T> Items(const IEnumerable<T>& values) {
    std::vector<T> items;
    for (auto e = values.GetEnumerator(); e->MoveNext();) items.push_back(e->GetCurrent());
    return items;
  }
  static TTable Table(const IEnumerable<T>& values) {
    if (auto* set = dynamic_cast<const TSet*>(&values)) return set->FTable;
    const std::vector<T> items = Items(values);
    return TTable(items.begin(), items.end());
  }

  TTable FTable;
};
