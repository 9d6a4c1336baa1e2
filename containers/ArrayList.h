#pragma once

// The growable array list and the families built directly on it.

#include "Comparers.h"
#include "Query.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <limits>
#include <new>
#include <span>
#include <utility>
#include <vector>

template <class T>
class IArrayList : public IEnumerable<T> {
public:
  using TElement = T;

  virtual int GetCount() const = 0;
  virtual int GetCapacity() const = 0;
  // Raise ERangeError "Index out of range = %u" outside 0 .. count - 1.
  virtual const T& GetItem(int index) const = 0;
  virtual IArrayList& SetItem(int index, const T& value) = 0;

  // Appends value count times; a count of 0 or less changes nothing.
  virtual IArrayList& Add(const T& value, int count = 1) = 0;
  virtual void ProcedureAdd(const T& value) = 0;
  // An index at or past the count appends; a negative index raises ERangeError.
  virtual IArrayList& Insert(int index, const T& value, int count = 1) = 0;
  virtual IArrayList& Insert(int index, std::span<const T> values) = 0;
  virtual IArrayList& Insert(int index, const IEnumerable<T>& values) = 0;
  IArrayList& Insert(int index, std::initializer_list<T> values) { return Insert(index, std::span<const T>(values)); }
  // Out-of-range indexes do nothing; a count past the end is cut at the end.
  virtual IArrayList& Delete(int index) = 0;
  virtual IArrayList& Delete(int index, int count) = 0;
  virtual IArrayList& AddFront(const T& value) = 0;
  // Remove and hand out the first (last) element; false, with out reset, on an empty list.
  virtual bool ExtractFirst(T& out) = 0;
  virtual bool ExtractLast(T& out) = 0;
  // No index check: both indexes must be in range.
  virtual IArrayList& Swap(int index1, int index2) = 0;
  virtual IArrayList& Move(int fromIndex, int toIndex) = 0;
  virtual IArrayList& Reverse() = 0;
  virtual IArrayList& Clear() = 0;

  virtual int IndexOf(const T& value) const = 0;
  bool Contains(const T& value) const { return IndexOf(value) >= 0; }
  // The index of value, appending it first when it is not there.
  virtual int FindOrAdd(const T& value) = 0;
  virtual IArrayList& RemoveOne(const T& value) = 0;
  virtual IArrayList& RemoveAll(const T& value) = 0;

  virtual IArrayList& Append(std::span<const T> values) = 0;
  virtual IArrayList& Append(const IEnumerable<T>& values) = 0;
  IArrayList& Append(std::initializer_list<T> values) { return Append(std::span<const T>(values)); }
  virtual IArrayList& Assign(std::span<const T> values) = 0;
  virtual IArrayList& Assign(const IEnumerable<T>& values) = 0;
  IArrayList& Assign(std::initializer_list<T> values) { return Assign(std::span<const T>(values)); }

  virtual std::vector<T> ToArray() const = 0;
  virtual std::shared_ptr<TQuery<T>> Query(bool reversed = false) const = 0;
  virtual std::shared_ptr<IEnumerator<T>> GetReverseEnumerator() const = 0;
  virtual std::shared_ptr<IEnumerator<TIndexedItem<T>>> GetIndexedEnumerator(bool reversed = false) const = 0;

  // Without truncate the capacity never goes below the count; with truncate a smaller capacity
  // also cuts the count to it.
  virtual IArrayList& SetCapacity(int capacity, bool truncate = false) = 0;

  // The elements in use, contiguous; valid until the next change of the list.
  virtual const T* Data() const = 0;
  int size() const { return GetCount(); }
  const T& operator[](int index) const { return GetItem(index); }
  const T* begin() const { return Data(); }
  const T* end() const { return Data() + GetCount(); }
};

template <class T, class I = IArrayList<T>>
class TBasicArrayList : public I {
public:
  using IList = IArrayList<T>;
  using I::Append;
  using I::Assign;
  using I::Insert;

  TBasicArrayList() = default;
  TBasicArrayList(std::initializer_list<T> values) { DoInsertRange(0, std::span<const T>(values)); }
  TBasicArrayList(const TBasicArrayList&) = delete;
  TBasicArrayList& operator=(const TBasicArrayList&) = delete;
  ~TBasicArrayList() override { Reallocate(0); }

  // Direct, non-virtual access for code that holds the concrete list.
  int size() const noexcept { return FCount; }
  const T& operator[](int index) const {
    if (uint32_t(index) >= uint32_t(FCount)) [[unlikely]]
      RaiseIndexOutOfRange(index);
    return FArray[index];
  }
  const T* begin() const noexcept { return FArray; }
  const T* end() const noexcept { return FArray + FCount; }
  const T* data() const noexcept { return FArray; }

  int GetCount() const override { return FCount; }
  int GetCapacity() const override { return FCapacity; }
  const T& GetItem(int index) const override { return (*this)[index]; }
  IList& SetItem(int index, const T& value) override {
    if (uint32_t(index) >= uint32_t(FCount)) [[unlikely]]
      RaiseIndexOutOfRange(index);
    FArray[index] = value;
    return *this;
  }

  IList& Add(const T& value, int count = 1) override {
    DoAdd(value, count);
    return *this;
  }
  void ProcedureAdd(const T& value) override { DoAdd(value, 1); }
  IList& Insert(int index, const T& value, int count = 1) override {
    DoInsert(index, value, count);
    return *this;
  }
  IList& Insert(int index, std::span<const T> values) override {
    DoInsertRange(index, values);
    return *this;
  }
  IList& Insert(int index, const IEnumerable<T>& values) override {
    DoInsertEnumerable(index, values);
    return *this;
  }
  IList& Delete(int index) override {
    DoDelete(index, 1);
    return *this;
  }
  IList& Delete(int index, int count) override {
    DoDelete(index, count);
    return *this;
  }
  IList& AddFront(const T& value) override {
    DoInsert(0, value, 1);
    return *this;
  }
  bool ExtractFirst(T& out) override { return DoExtract(0, out); }
  bool ExtractLast(T& out) override { return DoExtract(FCount - 1, out); }
  IList& Swap(int index1, int index2) override {
    using std::swap;
    swap(FArray[index1], FArray[index2]);
    return *this;
  }
  IList& Move(int fromIndex, int toIndex) override {
    CheckIndex(fromIndex);
    CheckIndex(toIndex);
    if (fromIndex < toIndex)
      std::rotate(FArray + fromIndex, FArray + fromIndex + 1, FArray + toIndex + 1);
    else if (toIndex < fromIndex)
      std::rotate(FArray + toIndex, FArray + fromIndex, FArray + fromIndex + 1);
    return *this;
  }
  IList& Reverse() override {
    std::reverse(FArray, FArray + FCount);
    return *this;
  }
  IList& Clear() override {
    DoClear();
    return *this;
  }

  int IndexOf(const T& value) const override {
    for (int i = 0; i < FCount; ++i)
      if (FArray[i] == value) return i;
    return -1;
  }
  int FindOrAdd(const T& value) override {
    const int index = IndexOf(value);
    if (index >= 0) return index;
    DoAdd(value, 1);
    return FCount - 1;
  }
  IList& RemoveOne(const T& value) override {
    DoDelete(IndexOf(value), 1);
    return *this;
  }
  IList& RemoveAll(const T& value) override {
    DoRemoveAll(value);
    return *this;
  }

  IList& Append(std::span<const T> values) override {
    DoInsertRange(FCount, values);
    return *this;
  }
  IList& Append(const IEnumerable<T>& values) override {
    DoInsertEnumerable(FCount, values);
    return *this;
  }
  IList& Assign(std::span<const T> values) override {
    DoAssign(values);
    return *this;
  }
  IList& Assign(const IEnumerable<T>& values) override {
    if (&values != this) DoAssign(std::span<const T>(Collect(values)));
    return *this;
  }

  std::vector<T> ToArray() const override { return std::vector<T>(FArray, FArray + FCount); }
  std::shared_ptr<TQuery<T>> Query(bool reversed = false) const override {
    return std::make_shared<TContainerQuery<T, TBasicArrayList>>(this, reversed, this->KeepAlive());
  }
  std::shared_ptr<IEnumerator<T>> GetEnumerator() const override {
    return MakeListEnumerator<T, false>(this, false, this->KeepAlive());
  }
  std::shared_ptr<IEnumerator<T>> GetReverseEnumerator() const override {
    return MakeListEnumerator<T, false>(this, true, this->KeepAlive());
  }
  std::shared_ptr<IEnumerator<TIndexedItem<T>>> GetIndexedEnumerator(bool reversed = false) const override {
    return MakeListEnumerator<T, true>(this, reversed, this->KeepAlive());
  }

  IList& SetCapacity(int capacity, bool truncate = false) override {
    DoSetCapacity(capacity, truncate);
    return *this;
  }
  const T* Data() const override { return FArray; }

protected:
  // Called just before elements leave the list for good (not when they are extracted), so a
  // descendant can release what they hold.
  virtual void Removing(int /*index*/, int /*count*/) {}

  void CheckIndex(int index) const {
    if (uint32_t(index) >= uint32_t(FCount)) [[unlikely]]
      RaiseIndexOutOfRange(index);
  }

  void DoAdd(const T& value, int count) {
    if (count == 1) [[likely]] {
      if (FCapacity <= FCount) [[unlikely]] {
        T copy = value;  // value may live in the storage about to move
        Grow(FCount + 1);
        FArray[FCount++] = std::move(copy);
        return;
      }
      FArray[FCount++] = value;
      return;
    }
    if (count <= 0) return;
    T copy = value;
    const int32_t newCount = CountAfter(count);
    if (FCapacity < newCount) Grow(newCount);
    std::fill(FArray + FCount, FArray + newCount, copy);
    FCount = newCount;
  }

  void DoInsert(int index, const T& value, int count) {
    if (count <= 0) return;
    if (index < 0) RaiseIndexOutOfRange(index);
    if (index >= FCount) return DoAdd(value, count);
    T copy = value;
    OpenGap(index, count);
    std::fill(FArray + index, FArray + index + count, copy);
  }

  void DoInsertRange(int index, std::span<const T> values) {
    if (values.empty()) return;
    if (index < 0) RaiseIndexOutOfRange(index);
    if (Overlaps(values)) {
      // Inserting a part of this list into itself: copy it out before the storage moves.
      const std::vector<T> copy(values.begin(), values.end());
      return DoInsertRange(index, std::span<const T>(copy));
    }
    index = std::min(index, FCount);
    OpenGap(index, int(values.size()));
    std::copy(values.begin(), values.end(), FArray + index);
  }

  void DoInsertEnumerable(int index, const IEnumerable<T>& values) {
    if (auto* list = dynamic_cast<const IArrayList<T>*>(&values))
      DoInsertRange(index, std::span<const T>(list->Data(), size_t(list->GetCount())));
    else
      DoInsertRange(index, std::span<const T>(Collect(values)));
  }

  void DoDelete(int index, int count) {
    if (index < 0 || index >= FCount || count <= 0) return;
    count = std::min(count, FCount - index);
    Removing(index, count);
    CloseGap(index, count);
  }

  bool DoExtract(int index, T& out) {
    if (FCount == 0) {
      out = T();
      return false;
    }
    out = std::move(FArray[index]);
    CloseGap(index, 1);
    return true;
  }

  void DoRemoveAll(const T& value) {
    const T copy = value;
    int kept = 0;
    for (int i = 0; i < FCount; ++i) {
      if (FArray[i] == copy) {
        Removing(i, 1);
      } else {
        if (kept != i) FArray[kept] = std::move(FArray[i]);
        ++kept;
      }
    }
    ResetSlots(kept, FCount);
    FCount = kept;
  }

  void DoClear() {
    if (FCount > 0) Removing(0, FCount);
    FCount = 0;
    Reallocate(0);
  }

  void DoAssign(std::span<const T> values) {
    if (Overlaps(values)) {
      const std::vector<T> copy(values.begin(), values.end());
      return DoAssign(std::span<const T>(copy));
    }
    if (FCount > 0) Removing(0, FCount);
    ResetSlots(0, FCount);
    FCount = 0;
    DoInsertRange(0, values);
  }

  void DoSetCapacity(int capacity, bool truncate) {
    capacity = std::max(capacity, 0);
    if (capacity < FCount) {
      if (!truncate) {
        capacity = FCount;
      } else {
        Removing(capacity, FCount - capacity);
        ResetSlots(capacity, FCount);
        FCount = capacity;
      }
    }
    if (capacity != FCapacity) Reallocate(capacity);
  }

  bool Overlaps(std::span<const T> values) const {
    const std::less<const T*> before;
    return before(values.data(), FArray + FCapacity) && before(FArray, values.data() + values.size());
  }

  static std::vector<T> Collect(const IEnumerable<T>& values) {
    std::vector<T> items;
    for (auto e = values.GetEnumerator(); e->MoveNext();) items.push_back(e->GetCurrent());
    return items;
  }

  T* FArray = nullptr;  // FCapacity slots; 0 .. FCount - 1 are the list
  int32_t FCapacity = 0;
  int32_t FCount = 0;

private:
  // Trivial elements live in malloc'ed memory so that growth can realloc in place.
  static constexpr bool KRaw = std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T> &&
                               alignof(T) <= alignof(std::max_align_t);

  int32_t CountAfter(int added) const {
    if (added > std::numeric_limits<int32_t>::max() - FCount) throw std::bad_alloc();
    return FCount + added;
  }

  [[gnu::noinline]] void Grow(int32_t needed) { Reallocate(CommonIncreaseCapacity(FCapacity, needed)); }

  // Sets the storage to exactly capacity slots, keeping the first min(count, capacity) elements.
  void Reallocate(int32_t capacity) {
    if constexpr (KRaw) {
      if (capacity == 0) {
        std::free(FArray);
        FArray = nullptr;
      } else {
        void* p = std::realloc(FArray, size_t(capacity) * sizeof(T));
        if (!p) throw std::bad_alloc();
        FArray = static_cast<T*>(p);
      }
    } else {
      T* fresh = capacity ? new T[size_t(capacity)] : nullptr;
      std::move(FArray, FArray + std::min(FCount, capacity), fresh);
      delete[] FArray;
      FArray = fresh;
    }
    FCapacity = capacity;
  }

  // Spare slots hold empty elements, so strings and shared pointers are released at once.
  void ResetSlots(int from, int to) {
    if constexpr (!KRaw) std::fill(FArray + from, FArray + to, T());
  }

  void OpenGap(int index, int count) {
    const int32_t newCount = CountAfter(count);
    if (FCapacity < newCount) Grow(newCount);
    std::move_backward(FArray + index, FArray + FCount, FArray + newCount);
    FCount = newCount;
  }

  void CloseGap(int index, int count) {
    std::move(FArray + index + count, FArray + FCount, FArray + index);
    ResetSlots(FCount - count, FCount);
    FCount -= count;
  }
};

template <class T>
class TArrayList final : public TBasicArrayList<T> {
public:
  using TBasicArrayList<T>::TBasicArrayList;
  static std::shared_ptr<IArrayList<T>> Create() { return std::make_shared<TArrayList>(); }
};

// A list of object pointers it does not own.
template <class T>
class TObjectArrayList final : public TBasicArrayList<T*> {
public:
  using TBasicArrayList<T*>::TBasicArrayList;
  static std::shared_ptr<IArrayList<T*>> Create() { return std::make_shared<TObjectArrayList>(); }
  std::shared_ptr<TObjectContainerQuery<T, TObjectArrayList>> ObjectQuery(bool reversed = false) const {
    return std::make_shared<TObjectContainerQuery<T, TObjectArrayList>>(this, reversed, this->KeepAlive());
  }
};

// A list of objects that, while it owns them, deletes each object it removes (extracting hands the
// object out instead) and whatever it still holds when it goes.
template <class T>
class TObjectOwnerArrayList final : public TBasicArrayList<T*> {
  using TBase = TBasicArrayList<T*>;

public:
  explicit TObjectOwnerArrayList(bool ownsObjects = true) : FOwnsObjects(ownsObjects) {}
  ~TObjectOwnerArrayList() override { this->DoClear(); }
  static std::shared_ptr<IArrayList<T*>> Create(bool ownsObjects = true) {
    return std::make_shared<TObjectOwnerArrayList>(ownsObjects);
  }

  bool GetOwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool owns) { FOwnsObjects = owns; }

  IArrayList<T*>& SetItem(int index, T* const& value) override {
    T* old = this->GetItem(index);
    TBase::SetItem(index, value);
    if (FOwnsObjects && old != value) delete old;
    return *this;
  }
  // An object listed more than once is still deleted once.
  IArrayList<T*>& RemoveAll(T* const& value) override {
    T* const object = value;
    const bool found = this->IndexOf(object) >= 0;
    const bool owns = std::exchange(FOwnsObjects, false);
    TBase::RemoveAll(object);
    FOwnsObjects = owns;
    if (owns && found) delete object;
    return *this;
  }
  std::shared_ptr<TObjectContainerQuery<T, TObjectOwnerArrayList>> ObjectQuery(bool reversed = false) const {
    return std::make_shared<TObjectContainerQuery<T, TObjectOwnerArrayList>>(this, reversed, this->KeepAlive());
  }

protected:
  void Removing(int index, int count) override {
    if (!FOwnsObjects) return;
    for (int i = index; i < index + count; ++i) {
      delete this->FArray[i];
      this->FArray[i] = nullptr;
    }
  }

private:
  bool FOwnsObjects;
};

// A list of interface references; the list holds a reference to each element.
template <class I>
class TInterfaceArrayList final : public TBasicArrayList<std::shared_ptr<I>> {
public:
  using TBasicArrayList<std::shared_ptr<I>>::TBasicArrayList;
  static std::shared_ptr<IArrayList<std::shared_ptr<I>>> Create() { return std::make_shared<TInterfaceArrayList>(); }
};
