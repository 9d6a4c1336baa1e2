#pragma once

// Singly linked list with forward enumeration; cheap at both ends for adding, at the front for
// taking out.

#include "Query.h"

#include <iterator>
#include <vector>

template <class T>
class ILinkedList : public IEnumerable<T> {
public:
  virtual int GetCount() const = 0;
  virtual ILinkedList& Add(const T& value) = 0;
  virtual ILinkedList& AddFront(const T& value) = 0;
  virtual bool ExtractFirst(T& out) = 0;
  virtual bool Contains(const T& value) const = 0;
  virtual ILinkedList& RemoveOne(const T& value) = 0;
  virtual ILinkedList& RemoveAll(const T& value) = 0;
  virtual ILinkedList& Clear() = 0;
  virtual std::vector<T> ToArray() const = 0;
  virtual std::shared_ptr<TQuery<T>> Query(bool reversed = false) const = 0;
};

template <class T>
class TBasicLinkedList : public ILinkedList<T> {
  struct TNode {
    T Value;
    TNode* Next;
  };

public:
  class TIterator {
  public:
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using iterator_category = std::forward_iterator_tag;
    TIterator() = default;
    explicit TIterator(const TNode* node) : FNode(node) {}
    const T& operator*() const { return FNode->Value; }
    TIterator& operator++() {
      FNode = FNode->Next;
      return *this;
    }
    TIterator operator++(int) {
      TIterator old = *this;
      FNode = FNode->Next;
      return old;
    }
    bool operator==(const TIterator&) const = default;

  private:
    const TNode* FNode = nullptr;
  };

  TBasicLinkedList() = default;
  TBasicLinkedList(const TBasicLinkedList&) = delete;
  TBasicLinkedList& operator=(const TBasicLinkedList&) = delete;
  ~TBasicLinkedList() override { DoClear(); }

  TIterator begin() const { return TIterator(FHead); }
  TIterator end() const { return TIterator(); }

  int GetCount() const override { return FCount; }
  ILinkedList<T>& Add(const T& value) override {
    TNode* node = new TNode{value, nullptr};
    (FTail ? FTail->Next : FHead) = node;
    FTail = node;
    ++FCount;
    return *this;
  }
  ILinkedList<T>& AddFront(const T& value) override {
    FHead = new TNode{value, FHead};
    if (!FTail) FTail = FHead;
    ++FCount;
    return *this;
  }
  bool ExtractFirst(T& out) override {
    if (!FHead) {
      out = T();
      return false;
    }
    TNode* node = FHead;
    out = std::move(node->Value);
    Unlink(nullptr, node);
    return true;
  }
  bool Contains(const T& value) const override {
    for (const TNode* n = FHead; n; n = n->Next)
      if (n->Value == value) return true;
    return false;
  }
  ILinkedList<T>& RemoveOne(const T& value) override {
    for (TNode *prev = nullptr, *n = FHead; n; prev = n, n = n->Next)
      if (n->Value == value) {
        Unlink(prev, n);
        break;
      }
    return *this;
  }
  ILinkedList<T>& RemoveAll(const T& value) override {
    const T copy = value;
    TNode* prev = nullptr;
    for (TNode* n = FHead; n;) {
      TNode* next = n->Next;
      if (n->Value == copy)
        Unlink(prev, n);
      else
        prev = n;
      n = next;
    }
    return *this;
  }
  ILinkedList<T>& Clear() override {
    DoClear();
    return *this;
  }
  std::vector<T> ToArray() const override { return std::vector<T>(begin(), end()); }

  std::shared_ptr<IEnumerator<T>> GetEnumerator() const override {
    auto keep = this->KeepAlive();
    auto state = std::make_shared<std::pair<const TNode*, bool>>(nullptr, false);  // current, started
    const TNode* const* head = &FHead;
    return std::make_shared<TEnumeratorDelegate<T>>(
        [state, head, keep] {
          state->first = state->second ? (state->first ? state->first->Next : nullptr) : *head;
          state->second = true;
          return state->first != nullptr;
        },
        [state] { return state->first->Value; });
  }
  // Forward queries walk the links; a reversed one works on a snapshot of the elements.
  std::shared_ptr<TQuery<T>> Query(bool reversed = false) const override {
    if (reversed) return TArraySizeContainerQuery<T>::FromSnapshot(ToArray(), true);
    auto keep = this->KeepAlive();
    return std::make_shared<TQuery<T>>([this, keep] { return GetEnumerator(); });
  }

private:
  void Unlink(TNode* prev, TNode* node) {
    (prev ? prev->Next : FHead) = node->Next;
    if (FTail == node) FTail = prev;
    delete node;
    --FCount;
  }
  void DoClear() {
    while (FHead) {
      TNode* next = FHead->Next;
      delete FHead;
      FHead = next;
    }
    FTail = nullptr;
    FCount = 0;
  }

  TNode* FHead = nullptr;
  TNode* FTail = nullptr;
  int FCount = 0;
};

template <class T>
class TLinkedList final : public TBasicLinkedList<T> {
public:
  static std::shared_ptr<ILinkedList<T>> Create() { return std::make_shared<TLinkedList>(); }
};
