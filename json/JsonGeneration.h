#pragma once

// Element generation from a parsed JSON sample, written once for both families of element classes.
// A traits struct names one family's collections and element classes; see TMakeJsonTraits and
// TSplitJsonTraits in JsonDesign.h.

#include "package/hostapi/ArduinoLibrary.h"
#include "package/hostapi/DesignFramework.h"

#include <QHash>
#include <memory>
#include <vector>

namespace Velto::Arduino::JSON::Design {

enum class TJsonKind { None, Object, Array, Boolean, Signed, Unsigned, String, Float };

template <class T, class U>
inline bool IsA(U* value) {
  return dynamic_cast<const T*>(value) != nullptr;
}

// The kind of an object member; anything else (null) is of no kind.
inline TJsonKind MemberKind(const TJsonElement* value) {
  if (IsA<TObjectJsonElement>(value)) return TJsonKind::Object;
  if (IsA<TArrayJsonElement>(value)) return TJsonKind::Array;
  if (IsA<TBooleanJsonElement>(value)) return TJsonKind::Boolean;
  if (IsA<TIntegerJsonElement>(value)) return TJsonKind::Signed;
  if (IsA<TUnsignedIntegerJsonElement>(value)) return TJsonKind::Unsigned;
  if (IsA<TStringJsonElement>(value)) return TJsonKind::String;
  if (IsA<TDoubleJsonElement>(value)) return TJsonKind::Float;
  return TJsonKind::None;
}

// The kind of an array item: the same tests, strings tried before integers.
inline TJsonKind ItemKind(const TJsonElement* value) {
  if (IsA<TObjectJsonElement>(value)) return TJsonKind::Object;
  if (IsA<TArrayJsonElement>(value)) return TJsonKind::Array;
  if (IsA<TBooleanJsonElement>(value)) return TJsonKind::Boolean;
  if (IsA<TStringJsonElement>(value)) return TJsonKind::String;
  if (IsA<TIntegerJsonElement>(value)) return TJsonKind::Signed;
  if (IsA<TUnsignedIntegerJsonElement>(value)) return TJsonKind::Unsigned;
  if (IsA<TDoubleJsonElement>(value)) return TJsonKind::Float;
  return TJsonKind::None;
}

// Merges a JSON object or array into a collection of one family: matching elements are reused,
// the rest appended; nothing is removed, reordered or renamed. Floating-point members always
// append. The walk keeps its own stack, so the sample may nest as deep as the parser admits.
template <class Traits>
class TJsonElementsGenerator {
public:
  using TElements = typename Traits::TElements;
  using TArrayElements = typename Traits::TArrayElements;
  using TNamed = typename TElements::TItem;
  using TItem = typename TArrayElements::TItem;

  // Below this many elements a member is looked up by a plain first-match query; from there on a
  // name index that keeps the same first-match answer is cheaper than the quadratic scan.
  static constexpr int IndexThreshold = 32;

  static void ProcessObject(const TObjectJsonElement& object, TElements& target) {
    TJsonElementsGenerator generator;
    generator.PushObject(object, target);
    generator.Run();
  }
  static void ProcessArray(const TArrayJsonElement& array, TArrayElements& target) {
    TJsonElementsGenerator generator;
    generator.PushArray(array, target);
    generator.Run();
  }

  static bool AcceptsMember(TJsonKind kind, TNamed* element) {
    switch (kind) {
      case TJsonKind::Object: return IsA<typename Traits::TObjectElement>(element);
      case TJsonKind::Array: return IsA<typename Traits::TArrayElement>(element);
      case TJsonKind::Boolean: return IsA<typename Traits::TDigitalElement>(element);
      case TJsonKind::Signed: return IsA<typename Traits::TIntegerElement>(element);
      case TJsonKind::Unsigned:
        return IsA<typename Traits::TIntegerElement>(element) || IsA<typename Traits::TUnsignedElement>(element);
      case TJsonKind::String: return IsA<typename Traits::TTextElement>(element);
      case TJsonKind::Float:
      case TJsonKind::None: break;
    }
    return false;
  }

  static bool AcceptsItem(TJsonKind kind, TItem* element) {
    switch (kind) {
      case TJsonKind::Object: return IsA<typename Traits::TObjectArrayElement>(element);
      case TJsonKind::Array: return IsA<typename Traits::TArrayArrayElement>(element);
      case TJsonKind::Boolean: return IsA<typename Traits::TDigitalArrayElement>(element);
      case TJsonKind::String: return IsA<typename Traits::TTextArrayElement>(element);
      case TJsonKind::Signed: return IsA<typename Traits::TIntegerArrayElement>(element);
      case TJsonKind::Unsigned:
        return IsA<typename Traits::TIntegerArrayElement>(element) ||
               IsA<typename Traits::TUnsignedArrayElement>(element);
      case TJsonKind::Float: return IsA<typename Traits::TAnalogArrayElement>(element);
      case TJsonKind::None: break;
    }
    return false;
  }

private:
  static TClass MemberClass(TJsonKind kind) {
    switch (kind) {
      case TJsonKind::Object: return &Traits::TObjectElement::staticMetaObject;
      case TJsonKind::Array: return &Traits::TArrayElement::staticMetaObject;
      case TJsonKind::Boolean: return &Traits::TDigitalElement::staticMetaObject;
      case TJsonKind::Signed: return &Traits::TIntegerElement::staticMetaObject;
      case TJsonKind::Unsigned: return &Traits::TUnsignedElement::staticMetaObject;
      case TJsonKind::String: return &Traits::TTextElement::staticMetaObject;
      case TJsonKind::Float: return &Traits::TAnalogElement::staticMetaObject;
      case TJsonKind::None: break;
    }
    return nullptr;
  }

  static TClass ItemClass(TJsonKind kind) {
    switch (kind) {
      case TJsonKind::Object: return &Traits::TObjectArrayElement::staticMetaObject;
      case TJsonKind::Array: return &Traits::TArrayArrayElement::staticMetaObject;
      case TJsonKind::Boolean: return &Traits::TDigitalArrayElement::staticMetaObject;
      case TJsonKind::String: return &Traits::TTextArrayElement::staticMetaObject;
      case TJsonKind::Signed: return &Traits::TIntegerArrayElement::staticMetaObject;
      case TJsonKind::Unsigned: return &Traits::TUnsignedArrayElement::staticMetaObject;
      case TJsonKind::Float: return &Traits::TAnalogArrayElement::staticMetaObject;
      case TJsonKind::None: break;
    }
    return nullptr;
  }

  // The elements of one collection by name, each list in collection order. It mirrors the
  // collection from its first use on: only this frame appends to the collection meanwhile.
  using TNameIndex = QHash<QString, std::vector<TNamed*>>;

  struct TFrame {
    const TObjectJsonElement* object = nullptr;  // either this with `elements`
    TElements* elements = nullptr;
    const TArrayJsonElement* array = nullptr;  // or this with `items`
    TArrayElements* items = nullptr;
    int next = 0;
    int count = 0;
    std::unique_ptr<TNameIndex> names;
  };

  void PushObject(const TObjectJsonElement& object, TElements& target) {
    TFrame frame;
    frame.object = &object;
    frame.elements = &target;
    frame.count = object.GetCount();
    FStack.push_back(std::move(frame));
  }

  void PushArray(const TArrayJsonElement& array, TArrayElements& target) {
    TFrame frame;
    frame.array = &array;
    frame.items = &target;
    frame.count = array.GetCount();  // read once: the item count of the sample
    FStack.push_back(std::move(frame));
  }

  void Run() {
    while (!FStack.empty()) {
      TFrame& frame = FStack.back();
      if (frame.next >= frame.count) {
        FStack.pop_back();
        continue;
      }
      const int index = frame.next++;
      if (frame.object)
        Member(frame, frame.object->GetKey(index), frame.object->GetValue(index));
      else
        Item(frame, index, frame.array->GetItem(index));
    }
  }

  TNamed* FindMember(TFrame& frame, const QString& key, TJsonKind kind) {
    TElements& elements = *frame.elements;
    if (!frame.names && elements.GetCount() < IndexThreshold) {
      TNamed* found = nullptr;
      elements.Query()->First([&](TNamed* e) { return e->GetName() == key && AcceptsMember(kind, e); }, found);
      return found;
    }
    if (!frame.names) {
      frame.names = std::make_unique<TNameIndex>();
      for (int i = 0, n = elements.GetCount(); i < n; ++i) {
        TNamed* element = elements.GetItem(i);
        (*frame.names)[element->GetName()].push_back(element);
      }
    }
    const auto it = frame.names->constFind(key);
    if (it == frame.names->cend()) return nullptr;
    for (TNamed* element : *it)
      if (AcceptsMember(kind, element)) return element;
    return nullptr;
  }

  void Member(TFrame& frame, const QString& key, const TJsonElement* value) {
    const TJsonKind kind = MemberKind(value);
    if (kind == TJsonKind::None) return;
    TNamed* element = kind == TJsonKind::Float ? nullptr : FindMember(frame, key, kind);
    if (!element) {
      element = frame.elements->Add(MemberClass(kind));
      element->SetName(key);
      if (frame.names) (*frame.names)[key].push_back(element);
    }
    // Pushing may move the frame; nothing of it is used afterwards.
    if (kind == TJsonKind::Object)
      PushObject(static_cast<const TObjectJsonElement&>(*value),
                 *static_cast<typename Traits::TObjectElement*>(element)->GetElements());
    else if (kind == TJsonKind::Array)
      PushArray(static_cast<const TArrayJsonElement&>(*value),
                *static_cast<typename Traits::TArrayElement*>(element)->GetElements());
  }

  void Item(TFrame& frame, int index, const TJsonElement* value) {
    const TJsonKind kind = ItemKind(value);
    if (kind == TJsonKind::None) return;  // the position is used up all the same
    TArrayElements& items = *frame.items;
    TItem* element = nullptr;
    if (index < items.GetCount()) {
      TItem* atIndex = items.GetItem(index);
      if (AcceptsItem(kind, atIndex)) element = atIndex;
    }
    if (!element) element = items.Add(ItemClass(kind));
    if (kind == TJsonKind::Object)
      PushObject(static_cast<const TObjectJsonElement&>(*value),
                 *static_cast<typename Traits::TObjectArrayElement*>(element)->GetElements());
    else if (kind == TJsonKind::Array)
      PushArray(static_cast<const TArrayJsonElement&>(*value),
                *static_cast<typename Traits::TArrayArrayElement*>(element)->GetElements());
  }

  std::vector<TFrame> FStack;
};

}  // namespace Velto::Arduino::JSON::Design
