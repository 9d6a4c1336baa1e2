#pragma once

// Comparisons for sorting: negative, zero or positive as the first element sorts before, with or
// after the second.

#include "ContainerCommon.h"

#include <functional>

template <class T>
class IComparer {
public:
  virtual ~IComparer() = default;
  virtual int Compare(const T& left, const T& right) const = 0;
};

// The natural order of the element type (operator<).
template <class T>
class TComparer : public IComparer<T> {
public:
  int Compare(const T& left, const T& right) const override { return left < right ? -1 : (right < left ? 1 : 0); }
  static std::shared_ptr<IComparer<T>> Default() { return std::make_shared<TComparer<T>>(); }
};

template <class T>
class TDelegatedComparer final : public IComparer<T> {
public:
  using TComparison = std::function<int(const T&, const T&)>;
  explicit TDelegatedComparer(TComparison comparison) : FComparison(std::move(comparison)) {
    VELTO_ASSERT(bool(FComparison));
  }
  int Compare(const T& left, const T& right) const override { return FComparison(left, right); }
  static std::shared_ptr<IComparer<T>> Create(TComparison comparison) {
    return std::make_shared<TDelegatedComparer<T>>(std::move(comparison));
  }

private:
  TComparison FComparison;
};
