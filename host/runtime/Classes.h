#pragma once

#include <QJsonValue>
#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

// The persistent object model the component library and the designer share. Published properties
// are Q_PROPERTYs; a class reference is its QMetaObject, whose invokable default constructor makes
// new instances.
using TClass = const QMetaObject*;

class TPersistent : public QObject {
  Q_OBJECT
public:
  explicit TPersistent(QObject* parent = nullptr);
  // The object that owns this one in the design document (a component, or a collection).
  virtual TPersistent* GetOwner() const;
  // State that published properties cannot express (pixel storage, say), streamed with the
  // document next to the properties. Null means there is none.
  virtual QJsonValue WriteCustomData() const;
  virtual void ReadCustomData(const QJsonValue& data);
};

// Creates an instance of cls (which must be cls or derive from base) through its invokable
// default constructor; raises EInvalidCast when the class is not a base descendant or cannot be made.
QObject* CreateInstance(TClass cls, TClass base);
bool InheritsFrom(TClass cls, TClass base);

// Classes that documents name but no palette lists (collection items, say) make themselves known
// here so that a reader can create them from their name. Every class a collection has created is
// known too.
void RegisterClass(TClass cls);
void RegisterClasses(std::initializer_list<TClass> classes);
TClass FindClass(const QString& name);
// The known classes that derive from base (base included) and can be made, by name.
std::vector<TClass> MakeableClasses(TClass base);

class TComponent : public TPersistent {
  Q_OBJECT
  Q_PROPERTY(QString Name READ GetName WRITE SetName)
public:
  explicit TComponent(QObject* parent = nullptr);
  QString GetName() const { return objectName(); }
  void SetName(const QString& name) { setObjectName(name); }
};

class TCollection;

class TCollectionItem : public TPersistent {
  Q_OBJECT
public:
  explicit TCollectionItem(QObject* parent = nullptr);
  TCollection* GetCollection() const { return FCollection; }
  int GetIndex() const;
  TPersistent* GetOwner() const override;
  virtual QString GetDisplayName() const;

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
};

// An owned, ordered list of items of one base class. Items are destroyed with the collection.
class TCollection : public TPersistent {
  Q_OBJECT
public:
  explicit TCollection(TClass itemClass, QObject* parent = nullptr);
  ~TCollection() override;

  TClass GetItemClass() const { return FItemClass; }
  int GetCount() const { return int(FItems.size()); }
  // Raises ERangeError outside 0 .. count - 1.
  TCollectionItem* GetItem(int index) const;
  // Appends a new item of cls (default: the item class); cls must derive from the item class.
  TCollectionItem* Add(TClass cls = nullptr);
  TCollectionItem* Insert(int index, TClass cls = nullptr);
  void Delete(int index);
  void Clear();
  void Move(int from, int to);

  auto begin() const { return FItems.begin(); }
  auto end() const { return FItems.end(); }

signals:
  void Changed();

private:
  TCollectionItem* Adopt(QObject* obj, int index);

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
};
