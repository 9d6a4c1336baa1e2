#pragma once

#include "runtime/Classes.h"
#include "TypedPersistentCollection.h"

#include <QString>
#include <memory>

// The JSON components of the Arduino library and their element collections. Make components compose
// a JSON object or array from typed elements, Split components take one apart into them; object and
// array elements own a nested collection, so an element tree mirrors the JSON it describes.

class TArduinoMakeJSONElements;
class TArduinoMakeJSONArrayElements;

class TArduinoSplitJSONElements;
class TArduinoSplitJSONArrayElements;

// Base of every Make side named element: one member of a JSON object.
class TArduinoMakeJSONBasicElement : public TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(QString Name READ GetName WRITE SetName)
public:
  explicit TArduinoMakeJSONBasicElement(QObject* parent = nullptr);
  const QString& GetName() const { return FName; }
  void SetName(const QString& name) { FName = name; }
  QString GetDisplayName() const override;

private:
  QString FName;
};

// Base of every Make side array-item element: one item of a JSON array, known by its position.
class TArduinoMakeJSONBasicArrayElement : public TCollectionItem {
  Q_OBJECT
public:
  explicit TArduinoMakeJSONBasicArrayElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONObjectElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoMakeJSONObjectElement(QObject* parent = nullptr);
  ~TArduinoMakeJSONObjectElement() override;
  TArduinoMakeJSONElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoMakeJSONElements* FElements;
};

class TArduinoMakeJSONArrayElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoMakeJSONArrayElement(QObject* parent = nullptr);
  ~TArduinoMakeJSONArrayElement() override;
  TArduinoMakeJSONArrayElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoMakeJSONArrayElements* FElements;
};

class TArduinoMakeJSONDigitalElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONDigitalElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONIntegerElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONIntegerElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONUnsignedElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONUnsignedElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONTextElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONTextElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONAnalogElement : public TArduinoMakeJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONAnalogElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONObjectArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoMakeJSONObjectArrayElement(QObject* parent = nullptr);
  ~TArduinoMakeJSONObjectArrayElement() override;
  TArduinoMakeJSONElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoMakeJSONElements* FElements;
};

class TArduinoMakeJSONArrayArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoMakeJSONArrayArrayElement(QObject* parent = nullptr);
  ~TArduinoMakeJSONArrayArrayElement() override;
  TArduinoMakeJSONArrayElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoMakeJSONArrayElements* FElements;
};

class TArduinoMakeJSONDigitalArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONDigitalArrayElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONTextArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONTextArrayElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONIntegerArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONIntegerArrayElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONUnsignedArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONUnsignedArrayElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONAnalogArrayElement : public TArduinoMakeJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoMakeJSONAnalogArrayElement(QObject* parent = nullptr);
};

class TArduinoMakeJSONElements : public TCollection {
  Q_OBJECT
public:
  using TItem = TArduinoMakeJSONBasicElement;
  Q_INVOKABLE explicit TArduinoMakeJSONElements(QObject* parent = nullptr);
  TItem* GetItem(int index) const { return FTyped.GetItem(index); }
  // Appends a new element of cls, which must derive from TItem.
  TItem* Add(TClass cls) { return FTyped.Add(cls); }
  auto Query(bool reversed = false) const { return FTyped.Query(reversed); }

private:
  TTypedPersistentCollection<TItem> FTyped;
};

class TArduinoMakeJSONArrayElements : public TCollection {
  Q_OBJECT
public:
  using TItem = TArduinoMakeJSONBasicArrayElement;
  Q_INVOKABLE explicit TArduinoMakeJSONArrayElements(QObject* parent = nullptr);
  TItem* GetItem(int index) const { return FTyped.GetItem(index); }
  // Appends a new element of cls, which must derive from TItem.
  TItem* Add(TClass cls) { return FTyped.Add(cls); }
  auto Query(bool reversed = false) const { return FTyped.Query(reversed); }

private:
  TTypedPersistentCollection<TItem> FTyped;
};

class TArduinoMakeJSON : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoMakeJSON(QObject* parent = nullptr);
  ~TArduinoMakeJSON() override;
  TArduinoMakeJSONElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoMakeJSONElements* FElements;
};

class TArduinoMakeJSONArray : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoMakeJSONArray(QObject* parent = nullptr);
  ~TArduinoMakeJSONArray() override;
  TArduinoMakeJSONArrayElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoMakeJSONArrayElements* FElements;
};

// Base of every Split side named element: one member of a JSON object.
class TArduinoSplitJSONBasicElement : public TCollectionItem {
  Q_OBJECT
  Q_PROPERTY(QString Name READ GetName WRITE SetName)
public:
  explicit TArduinoSplitJSONBasicElement(QObject* parent = nullptr);
  const QString& GetName() const { return FName; }
  void SetName(const QString& name) { FName = name; }
  QString GetDisplayName() const override;

private:
  QString FName;
};

// Base of every Split side array-item element: one item of a JSON array, known by its position.
class TArduinoSplitJSONBasicArrayElement : public TCollectionItem {
  Q_OBJECT
public:
  explicit TArduinoSplitJSONBasicArrayElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONObjectElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoSplitJSONObjectElement(QObject* parent = nullptr);
  ~TArduinoSplitJSONObjectElement() override;
  TArduinoSplitJSONElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoSplitJSONElements* FElements;
};

class TArduinoSplitJSONArrayElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoSplitJSONArrayElement(QObject* parent = nullptr);
  ~TArduinoSplitJSONArrayElement() override;
  TArduinoSplitJSONArrayElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoSplitJSONArrayElements* FElements;
};

class TArduinoSplitJSONDigitalElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONDigitalElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONIntegerElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONIntegerElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONUnsignedElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONUnsignedElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONTextElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONTextElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONAnalogElement : public TArduinoSplitJSONBasicElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONAnalogElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONObjectArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoSplitJSONObjectArrayElement(QObject* parent = nullptr);
  ~TArduinoSplitJSONObjectArrayElement() override;
  TArduinoSplitJSONElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoSplitJSONElements* FElements;
};

class TArduinoSplitJSONArrayArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoSplitJSONArrayArrayElement(QObject* parent = nullptr);
  ~TArduinoSplitJSONArrayArrayElement() override;
  TArduinoSplitJSONArrayElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoSplitJSONArrayElements* FElements;
};

class TArduinoSplitJSONDigitalArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONDigitalArrayElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONTextArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONTextArrayElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONIntegerArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONIntegerArrayElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONUnsignedArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONUnsignedArrayElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONAnalogArrayElement : public TArduinoSplitJSONBasicArrayElement {
  Q_OBJECT
public:
  Q_INVOKABLE explicit TArduinoSplitJSONAnalogArrayElement(QObject* parent = nullptr);
};

class TArduinoSplitJSONElements : public TCollection {
  Q_OBJECT
public:
  using TItem = TArduinoSplitJSONBasicElement;
  Q_INVOKABLE explicit TArduinoSplitJSONElements(QObject* parent = nullptr);
  TItem* GetItem(int index) const { return FTyped.GetItem(index); }
  // Appends a new element of cls, which must derive from TItem.
  TItem* Add(TClass cls) { return FTyped.Add(cls); }
  auto Query(bool reversed = false) const { return FTyped.Query(reversed); }

private:
  TTypedPersistentCollection<TItem> FTyped;
};

class TArduinoSplitJSONArrayElements : public TCollection {
  Q_OBJECT
public:
  using TItem = TArduinoSplitJSONBasicArrayElement;
  Q_INVOKABLE explicit TArduinoSplitJSONArrayElements(QObject* parent = nullptr);
  TItem* GetItem(int index) const { return FTyped.GetItem(index); }
  // Appends a new element of cls, which must derive from TItem.
  TItem* Add(TClass cls) { return FTyped.Add(cls); }
  auto Query(bool reversed = false) const { return FTyped.Query(reversed); }

private:
  TTypedPersistentCollection<TItem> FTyped;
};

class TArduinoSplitJSON : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoSplitJSON(QObject* parent = nullptr);
  ~TArduinoSplitJSON() override;
  TArduinoSplitJSONElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoSplitJSONElements* FElements;
};

class TArduinoSplitJSONArray : public TComponent {
  Q_OBJECT
  Q_PROPERTY(TCollection* Elements READ GetElementsCollection)
public:
  Q_INVOKABLE explicit TArduinoSplitJSONArray(QObject* parent = nullptr);
  ~TArduinoSplitJSONArray() override;
  TArduinoSplitJSONArrayElements* GetElements() const { return FElements; }

private:
  TCollection* GetElementsCollection() const;
  TArduinoSplitJSONArrayElements* FElements;
};
