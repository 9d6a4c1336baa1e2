#pragma once

// Array lists that hook every element they take in and report every change.

#include "ArrayList.h"

#include <functional>

template <class T>
class INotifyArrayList : public IArrayList<T> {
public:
  using IArrayList<T>::Add;
  // Appends value unless it is already there.
  virtual INotifyArrayList& AddUnique(const T& value) = 0;
  // The index of value, appended first when it is not there.
  virtual int AddUniqueIndex(const T& value) = 0;
  // True when value was not there and has been appended.
  virtual bool IfAddUnique(const T& value) = 0;
  // True when an element equal to value was found and removed.
  virtual bool FindAndRemoveOne(const T& value) = 0;
  virtual IArrayList<T>& Sort(const std::shared_ptr<IComparer<T>>& comparer) = 0;
  IArrayList<T>& Sort() { return Sort(TComparer<T>::Default()); }
  IArrayList<T>& Sort(typename TDelegatedComparer<T>::TComparison comparison) {
    return Sort(TDelegatedComparer<T>::Create(std::move(comparison)));
  }
};

// Every operation that changes the list calls ChangeNotify once afterwards (an operation that
// changes nothing does not), and every element that enters the list passes HookElement first.
template <class T>
class TBasicNotifyArrayList : public TBasicArrayList<T, INotifyArrayList<T>> {
  using TBase = TBasicArrayList<T, INotifyArrayList<T>>;
  using IList = IArrayList<T>;

public:
  using TBase::Append;
  using TBase::Assign;
  using TBase::Insert;
  using INotifyArrayList<T>::Sort;

  IList& SetItem(int index, const T& value) override {
    TBase::SetItem(index, value);
    HookElement(this->FArray[index]);
    ChangeNotify();
    return *this;
  }
  IList& Add(const T& value, int count = 1) override {
    return Track(-1, [&] { TBase::Add(value, count); });
  }
  void ProcedureAdd(const T& value) override { Add(value, 1); }
  IList& Insert(int index, const T& value, int count = 1) override {
    return Track(index, [&] { TBase::Insert(index, value, count); });
  }
  IList& Insert(int index, std::span<const T> values) override {
    return Track(index, [&] { TBase::Insert(index, values); });
  }
  IList& Insert(int index, const IEnumerable<T>& values) override {
    return Track(index, [&] { TBase::Insert(index, values); });
  }
  IList& Delete(int index) override {
    return Track(-1, [&] { TBase::Delete(index); });
  }
  IList& Delete(int index, int count) override {
    return Track(-1, [&] { TBase::Delete(index, count); });
  }
  IList& AddFront(const T& value) override {
    return Track(0, [&] { TBase::AddFront(value); });
  }
  bool ExtractFirst(T& out) override {
    if (!TBase::ExtractFirst(out)) return false;
    ChangeNotify();
    return true;
  }
  bool ExtractLast(T& out) override {
    if (!TBase::ExtractLast(out)) return false;
    ChangeNotify();
    return true;
  }
  IList& Swap(int index1, int index2) override {
    TBase::Swap(index1, index2);
    ChangeNotify();
    return *this;
  }
  IList& Move(int fromIndex, int toIndex) override {
    TBase::Move(fromIndex, toIndex);
    if (fromIndex != toIndex) ChangeNotify();
    return *this;
  }
  IList& Reverse() override {
    TBase::Reverse();
    if (this->FCount > 1) ChangeNotify();
    return *this;
  }
  IList& Clear() override {
    return Track(-1, [&] { TBase::Clear(); });
  }
  int FindOrAdd(const T& value) override {
    int index = -1;
    Track(-1, [&] { index = TBase::FindOrAdd(value); });
    return index;
  }
  IList& RemoveOne(const T& value) override {
    return Track(-1, [&] { TBase::RemoveOne(value); });
  }
  IList& RemoveAll(const T& value) override {
    return Track(-1, [&] { TBase::RemoveAll(value); });
  }
  IList& Append(std::span<const T> values) override {
    return Track(-1, [&] { TBase::Append(values); });
  }
  IList& Append(const IEnumerable<T>& values) override {
    return Track(-1, [&] { TBase::Append(values); });
  }
  IList& Assign(std::span<const T> values) override {
    if (this->FCount == 0 && values.empty()) return *this;
    TBase::Assign(values);
    HookRange(0, this->FCount);
    ChangeNotify();
    return *this;
  }
  IList& Assign(const IEnumerable<T>& values) override {
    if (&values == this) return *this;
    return Assign(std::span<const T>(this->Collect(values)));
  }
  IList& SetCapacity(int capacity, bool truncate = false) override {
    return Track(-1, [&] { TBase::SetCapacity(capacity, truncate); });
  }

  INotifyArrayList<T>& AddUnique(const T& value) override {
    IfAddUnique(value);
    return *this;
  }
  int AddUniqueIndex(const T& value) override { return FindOrAdd(value); }
  bool IfAddUnique(const T& value) override {
    if (this->IndexOf(value) >= 0) return false;
    Add(value, 1);
    return true;
  }
  bool FindAndRemoveOne(const T& value) override {
    const int index = this->IndexOf(value);
    if (index < 0) return false;
    Delete(index);
    return true;
  }
  IList& Sort(const std::shared_ptr<IComparer<T>>& comparer) override {
    VELTO_ASSERT(comparer != nullptr);
    IComparer<T>* c = comparer.get();
    std::stable_sort(this->FArray, this->FArray + this->FCount,
                     [c](const T& a, const T& b) { return c->Compare(a, b) < 0; });
    if (this->FCount > 1) ChangeNotify();
    return *this;
  }

protected:
  virtual void HookElement(T& /*element*/) {}
  virtual void ChangeNotify() {}

private:
  // Runs an operation that adds or removes elements: hooks what it added (the elements land at
  // index when it is inside the list, otherwise at the end) and notifies when the count moved.
  template <class F>
  IList& Track(int index, F&& operation) {
    const int before = this->FCount;
    operation();
    const int added = this->FCount - before;
    if (added > 0) HookRange(index >= 0 && index < before ? index : before, added);
    if (added != 0) ChangeNotify();
    return *this;
  }
  void HookRange(int from, int count) {
    for (int i = from; i < from + count; ++i) HookElement(this->FArray[i]);
  }
};

template <class T>
class TNotifyArrayList final : public TBasicNotifyArrayList<T> {
public:
  using TOnChange = std::function<void()>;
  static std::shared_ptr<INotifyArrayList<T>> Create(TOnChange onChange = nullptr) {
    auto list = std::make_shared<TNotifyArrayList>();
    list->SetOnChange(std::move(onChange));
    return list;
  }
  void SetOnChange(TOnChange onChange) { FOnChange = std::move(onChange); }

protected:
  void ChangeNotify() override {
    if (FOnChange) FOnChange();
  }

private:
  TOnChange FOnChange;
};
