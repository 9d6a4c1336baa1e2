#pragma once

// Enumerators with MoveNext/GetCurrent: forward, reverse and indexed, over a live list (read through
// size() and operator[] each step, so they see the list as it is) or over a fixed array and size.

#include "ContainerCommon.h"

#include <functional>

// Base of every enumerator; adds range-based for over the enumerator itself.
template <class T>
class TBasicEnumerator : public IEnumerator<T> {
public:
  TEnumeratorIterator<TBasicEnumerator> begin() { return BorrowedIterator(this); }
  std::default_sentinel_t end() const { return {}; }
};

namespace ContainersDetail {

// The position rules shared by the list and array-size enumerators: forward runs 0 .. size - 1,
// reverse runs size - 1 .. 0. The keep-alive reference holds the container while enumerating.
template <class T, class TSource, bool Reverse, bool Indexed>
class TPositionEnumerator final
    : public TBasicEnumerator<std::conditional_t<Indexed, TIndexedItem<T>, T>> {
public:
  using TCurrent = std::conditional_t<Indexed, TIndexedItem<T>, T>;

  TPositionEnumerator(TSource source, std::shared_ptr<const void> keepAlive = nullptr)
      : FSource(std::move(source)), FKeepAlive(std::move(keepAlive)), FIndex(Reverse ? FSource.size() : -1) {}

  bool MoveNext() override {
    if constexpr (Reverse) {
      // A list that shrank while enumerating continues from its new end.
      FIndex = std::min(FIndex, FSource.size()) - 1;
      return FIndex >= 0;
    } else {
      return ++FIndex < FSource.size();
    }
  }
  TCurrent GetCurrent() const override {
    if constexpr (Indexed)
      return TCurrent{FIndex, FSource[FIndex]};
    else
      return FSource[FIndex];
  }

private:
  TSource FSource;
  std::shared_ptr<const void> FKeepAlive;
  int FIndex;
};

// A live list seen through its size() and checked operator[].
template <class TList>
struct TListSource {
  const TList* List;
  int size() const { return List->size(); }
  decltype(auto) operator[](int i) const { return (*List)[i]; }
};

// A fixed array and its element count.
template <class T>
struct TArraySizeSource {
  const T* Array;
  int Size;
  int size() const { return Size; }
  const T& operator[](int i) const { return Array[i]; }
};

}  // namespace ContainersDetail

template <class T, class TList>
using TBasicListEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TListSource<TList>, false, false>;
template <class T, class TList>
using TBasicListIndexedEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TListSource<TList>, false, true>;
template <class T, class TList>
using TBasicReverseListEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TListSource<TList>, true, false>;
template <class T, class TList>
using TBasicReverseListIndexedEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TListSource<TList>, true, true>;

template <class T>
using TBasicArraySizeEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TArraySizeSource<T>, false, false>;
template <class T>
using TBasicArraySizeIndexedEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TArraySizeSource<T>, false, true>;
template <class T>
using TBasicReverseArraySizeEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TArraySizeSource<T>, true, false>;
template <class T>
using TBasicReverseArraySizeIndexedEnumerator = ContainersDetail::TPositionEnumerator<T, ContainersDetail::TArraySizeSource<T>, true, true>;

// Makes a list enumerator of the requested direction and kind over a live list.
template <class T, bool Indexed, class TList>
std::shared_ptr<IEnumerator<std::conditional_t<Indexed, TIndexedItem<T>, T>>> MakeListEnumerator(
    const TList* list, bool reversed, std::shared_ptr<const void> keepAlive) {
  using TSource = ContainersDetail::TListSource<TList>;
  if (reversed)
    return std::make_shared<ContainersDetail::TPositionEnumerator<T, TSource, true, Indexed>>(TSource{list}, std::move(keepAlive));
  return std::make_shared<ContainersDetail::TPositionEnumerator<T, TSource, false, Indexed>>(TSource{list}, std::move(keepAlive));
}

template <class T, bool Indexed>
std::shared_ptr<IEnumerator<std::conditional_t<Indexed, TIndexedItem<T>, T>>> MakeArraySizeEnumerator(
    const T* array, int size, bool reversed, std::shared_ptr<const void> keepAlive) {
  using TSource = ContainersDetail::TArraySizeSource<T>;
  if (reversed)
    return std::make_shared<ContainersDetail::TPositionEnumerator<T, TSource, true, Indexed>>(TSource{array, size}, std::move(keepAlive));
  return std::make_shared<ContainersDetail::TPositionEnumerator<T, TSource, false, Indexed>>(TSource{array, size}, std::move(keepAlive));
}

// An enumerator whose steps are given as functions: moveNext advances and tells whether there is
// a current element, current reads it.
template <class T>
class TEnumeratorDelegate final : public TBasicEnumerator<T> {
public:
  TEnumeratorDelegate(std::function<bool()> moveNext, std::function<T()> current)
      : FMoveNext(std::move(moveNext)), FCurrent(std::move(current)) {
    VELTO_ASSERT(bool(FMoveNext));
    VELTO_ASSERT(bool(FCurrent));
  }
  bool MoveNext() override { return FMoveNext(); }
  T GetCurrent() const override { return FCurrent(); }

private:
  std::function<bool()> FMoveNext;
  std::function<T()> FCurrent;
};
