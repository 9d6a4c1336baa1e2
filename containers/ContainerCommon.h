#pragma once

// Pieces every container shares: the errors they raise and the enumeration protocol.

#include "runtime/Capacity.h"
#include "runtime/Exceptions.h"

#include <QString>
#include <cstdint>
#include <iterator>
#include <memory>
#include <type_traits>

// Kept out of line and cold so that the checked accessors inline to a compare and a load.
[[noreturn]] [[gnu::noinline]] [[gnu::cold]] inline void RaiseIndexOutOfRange(int32_t index) {
  throw ERangeError(QString::asprintf("Index out of range = %u", uint32_t(index)));
}

// An element together with its position, as the indexed enumerators hand it out.
template <class T>
struct TIndexedItem {
  int Index = -1;
  T Item{};
};

template <class T>
class IEnumerator {
public:
  virtual ~IEnumerator() = default;
  virtual bool MoveNext() = 0;
  virtual T GetCurrent() const = 0;
};

// Input iterator over anything with MoveNext/GetCurrent, so range-based for works on enumerators.
// It shares the enumerator (a non-owning pointer is passed as an aliasing shared_ptr).
template <class TEnum>
class TEnumeratorIterator {
public:
  using value_type = std::remove_cvref_t<decltype(std::declval<const TEnum&>().GetCurrent())>;
  using difference_type = std::ptrdiff_t;
  using iterator_category = std::input_iterator_tag;

  TEnumeratorIterator() = default;
  explicit TEnumeratorIterator(std::shared_ptr<TEnum> e) : FEnum(std::move(e)) { Advance(); }
  value_type operator*() const { return FEnum->GetCurrent(); }
  TEnumeratorIterator& operator++() {
    Advance();
    return *this;
  }
  void operator++(int) { Advance(); }
  bool operator==(std::default_sentinel_t) const { return FEnum == nullptr; }

private:
  void Advance() {
    if (FEnum && !FEnum->MoveNext()) FEnum.reset();
  }
  std::shared_ptr<TEnum> FEnum;
};

template <class TEnum>
TEnumeratorIterator<TEnum> BorrowedIterator(TEnum* e) {
  return TEnumeratorIterator<TEnum>(std::shared_ptr<TEnum>(std::shared_ptr<TEnum>(), e));
}

// A range that owns its enumerator. Returned by value, it stays valid in a range-based for even
// when the object it came from was a temporary of the range expression.
template <class T>
class TEnumeratorRange {
public:
  explicit TEnumeratorRange(std::shared_ptr<IEnumerator<T>> e) : FEnum(std::move(e)) {}
  TEnumeratorIterator<IEnumerator<T>> begin() const { return TEnumeratorIterator<IEnumerator<T>>(FEnum); }
  std::default_sentinel_t end() const { return {}; }

private:
  std::shared_ptr<IEnumerator<T>> FEnum;
};

// Every container is one of these: reference-counted, held through std::shared_ptr.
template <class T>
class IEnumerable : public std::enable_shared_from_this<IEnumerable<T>> {
public:
  virtual ~IEnumerable() = default;
  virtual std::shared_ptr<IEnumerator<T>> GetEnumerator() const = 0;

protected:
  // Keeps the container alive for a query or enumerator made from it, when the container is
  // itself held by a shared_ptr; a container on the stack must simply outlive them.
  std::shared_ptr<const void> KeepAlive() const { return this->weak_from_this().lock(); }
};

// Range-based for over any enumerable through its own enumerator.
template <class T>
TEnumeratorIterator<IEnumerator<T>> begin(const IEnumerable<T>& source) {
  return TEnumeratorIterator<IEnumerator<T>>(source.GetEnumerator());
}
template <class T>
std::default_sentinel_t end(const IEnumerable<T>&) {
  return {};
}
