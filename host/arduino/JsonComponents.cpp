#include "JsonComponents.h"

#include <vector>

namespace {

// Element trees nest as deep as the JSON they were made from. Destroying them the plain way (a
// collection deletes its items, each item its nested collection, and so on) would recurse once per
// level, so the outermost release drains a work list and every inner one only queues its collection.
thread_local std::vector<TCollection*>* GPendingCollections = nullptr;

void ReleaseNestedCollection(TCollection* collection) {
  if (!collection) return;
  collection->setParent(nullptr);
  if (GPendingCollections) {
    GPendingCollections->push_back(collection);
    return;
  }
  std::vector<TCollection*> pending{collection};
  GPendingCollections = &pending;
  while (!pending.empty()) {
    TCollection* next = pending.back();
    pending.pop_back();
    delete next;
  }
  GPendingCollections = nullptr;
}

}  // namespace

TArduinoMakeJSONObjectElement::TArduinoMakeJSONObjectElement(QObject* parent)
    : TArduinoMakeJSONBasicElement(parent), FElements(new TArduinoMakeJSONElements(this)) {}

TArduinoMakeJSONObjectElement::~TArduinoMakeJSONObjectElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoMakeJSONObjectElement::GetElementsCollection() const { return FElements; }

TArduinoMakeJSONArrayElement::TArduinoMakeJSONArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicElement(parent), FElements(new TArduinoMakeJSONArrayElements(this)) {}

TArduinoMakeJSONArrayElement::~TArduinoMakeJSONArrayElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoMakeJSONArrayElement::GetElementsCollection() const { return FElements; }

TArduinoMakeJSONDigitalElement::TArduinoMakeJSONDigitalElement(QObject* parent)
    : TArduinoMakeJSONBasicElement(parent) {}

TArduinoMakeJSONIntegerElement::TArduinoMakeJSONIntegerElement(QObject* parent)
    : TArduinoMakeJSONBasicElement(parent) {}

TArduinoMakeJSONUnsignedElement::TArduinoMakeJSONUnsignedElement(QObject* parent)
    : TArduinoMakeJSONBasicElement(parent) {}

TArduinoMakeJSONTextElement::TArduinoMakeJSONTextElement(QObject* parent) : TArduinoMakeJSONBasicElement(parent) {}

TArduinoMakeJSONAnalogElement::TArduinoMakeJSONAnalogElement(QObject* parent) : TArduinoMakeJSONBasicElement(parent) {}

TArduinoMakeJSONObjectArrayElement::TArduinoMakeJSONObjectArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent), FElements(new TArduinoMakeJSONElements(this)) {}

TArduinoMakeJSONObjectArrayElement::~TArduinoMakeJSONObjectArrayElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoMakeJSONObjectArrayElement::GetElementsCollection() const { return FElements; }

TArduinoMakeJSONArrayArrayElement::TArduinoMakeJSONArrayArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent), FElements(new TArduinoMakeJSONArrayElements(this)) {}

TArduinoMakeJSONArrayArrayElement::~TArduinoMakeJSONArrayArrayElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoMakeJSONArrayArrayElement::GetElementsCollection() const { return FElements; }

TArduinoMakeJSONDigitalArrayElement::TArduinoMakeJSONDigitalArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent) {}

TArduinoMakeJSONTextArrayElement::TArduinoMakeJSONTextArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent) {}

TArduinoMakeJSONIntegerArrayElement::TArduinoMakeJSONIntegerArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent) {}

TArduinoMakeJSONUnsignedArrayElement::TArduinoMakeJSONUnsignedArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent) {}

TArduinoMakeJSONAnalogArrayElement::TArduinoMakeJSONAnalogArrayElement(QObject* parent)
    : TArduinoMakeJSONBasicArrayElement(parent) {}

TArduinoMakeJSONElements::TArduinoMakeJSONElements(QObject* parent)
    : TCollection(&TArduinoMakeJSONBasicElement::staticMetaObject, parent), FTyped(*this) {}

TArduinoMakeJSONArrayElements::TArduinoMakeJSONArrayElements(QObject* parent)
    : TCollection(&TArduinoMakeJSONBasicArrayElement::staticMetaObject, parent), FTyped(*this) {}

TArduinoMakeJSONBasicElement::TArduinoMakeJSONBasicElement(QObject* parent) : TCollectionItem(parent) {}

QString TArduinoMakeJSONBasicElement::GetDisplayName() const { return FName; }

TArduinoMakeJSONBasicArrayElement::TArduinoMakeJSONBasicArrayElement(QObject* parent) : TCollectionItem(parent) {}

TArduinoMakeJSON::TArduinoMakeJSON(QObject* parent)
    : TComponent(parent), FElements(new TArduinoMakeJSONElements(this)) {}

TArduinoMakeJSON::~TArduinoMakeJSON() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoMakeJSON::GetElementsCollection() const { return FElements; }

TArduinoMakeJSONArray::TArduinoMakeJSONArray(QObject* parent)
    : TComponent(parent), FElements(new TArduinoMakeJSONArrayElements(this)) {}

TArduinoMakeJSONArray::~TArduinoMakeJSONArray() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoMakeJSONArray::GetElementsCollection() const { return FElements; }

TArduinoSplitJSONObjectElement::TArduinoSplitJSONObjectElement(QObject* parent)
    : TArduinoSplitJSONBasicElement(parent), FElements(new TArduinoSplitJSONElements(this)) {}

TArduinoSplitJSONObjectElement::~TArduinoSplitJSONObjectElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoSplitJSONObjectElement::GetElementsCollection() const { return FElements; }

TArduinoSplitJSONArrayElement::TArduinoSplitJSONArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicElement(parent), FElements(new TArduinoSplitJSONArrayElements(this)) {}

TArduinoSplitJSONArrayElement::~TArduinoSplitJSONArrayElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoSplitJSONArrayElement::GetElementsCollection() const { return FElements; }

TArduinoSplitJSONDigitalElement::TArduinoSplitJSONDigitalElement(QObject* parent)
    : TArduinoSplitJSONBasicElement(parent) {}

TArduinoSplitJSONIntegerElement::TArduinoSplitJSONIntegerElement(QObject* parent)
    : TArduinoSplitJSONBasicElement(parent) {}

TArduinoSplitJSONUnsignedElement::TArduinoSplitJSONUnsignedElement(QObject* parent)
    : TArduinoSplitJSONBasicElement(parent) {}

TArduinoSplitJSONTextElement::TArduinoSplitJSONTextElement(QObject* parent) : TArduinoSplitJSONBasicElement(parent) {}

TArduinoSplitJSONAnalogElement::TArduinoSplitJSONAnalogElement(QObject* parent)
    : TArduinoSplitJSONBasicElement(parent) {}

TArduinoSplitJSONObjectArrayElement::TArduinoSplitJSONObjectArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent), FElements(new TArduinoSplitJSONElements(this)) {}

TArduinoSplitJSONObjectArrayElement::~TArduinoSplitJSONObjectArrayElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoSplitJSONObjectArrayElement::GetElementsCollection() const { return FElements; }

TArduinoSplitJSONArrayArrayElement::TArduinoSplitJSONArrayArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent), FElements(new TArduinoSplitJSONArrayElements(this)) {}

TArduinoSplitJSONArrayArrayElement::~TArduinoSplitJSONArrayArrayElement() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoSplitJSONArrayArrayElement::GetElementsCollection() const { return FElements; }

TArduinoSplitJSONDigitalArrayElement::TArduinoSplitJSONDigitalArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent) {}

TArduinoSplitJSONTextArrayElement::TArduinoSplitJSONTextArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent) {}

TArduinoSplitJSONIntegerArrayElement::TArduinoSplitJSONIntegerArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent) {}

TArduinoSplitJSONUnsignedArrayElement::TArduinoSplitJSONUnsignedArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent) {}

TArduinoSplitJSONAnalogArrayElement::TArduinoSplitJSONAnalogArrayElement(QObject* parent)
    : TArduinoSplitJSONBasicArrayElement(parent) {}

TArduinoSplitJSONElements::TArduinoSplitJSONElements(QObject* parent)
    : TCollection(&TArduinoSplitJSONBasicElement::staticMetaObject, parent), FTyped(*this) {}

TArduinoSplitJSONArrayElements::TArduinoSplitJSONArrayElements(QObject* parent)
    : TCollection(&TArduinoSplitJSONBasicArrayElement::staticMetaObject, parent), FTyped(*this) {}

TArduinoSplitJSONBasicElement::TArduinoSplitJSONBasicElement(QObject* parent) : TCollectionItem(parent) {}

QString TArduinoSplitJSONBasicElement::GetDisplayName() const { return FName; }

TArduinoSplitJSONBasicArrayElement::TArduinoSplitJSONBasicArrayElement(QObject* parent) : TCollectionItem(parent) {}

TArduinoSplitJSON::TArduinoSplitJSON(QObject* parent)
    : TComponent(parent), FElements(new TArduinoSplitJSONElements(this)) {}

TArduinoSplitJSON::~TArduinoSplitJSON() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoSplitJSON::GetElementsCollection() const { return FElements; }

TArduinoSplitJSONArray::TArduinoSplitJSONArray(QObject* parent)
    : TComponent(parent), FElements(new TArduinoSplitJSONArrayElements(this)) {}

TArduinoSplitJSONArray::~TArduinoSplitJSONArray() { ReleaseNestedCollection(FElements); }

TCollection* TArduinoSplitJSONArray::GetElementsCollection() const { return FElements; }
