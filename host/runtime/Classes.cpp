#include "Classes.h"

#include "Exceptions.h"

#include <QHash>
#include <QMetaObject>

TPersistent::TPersistent(QObject* parent) : QObject(parent) {}

TPersistent* TPersistent::GetOwner() const { return qobject_cast<TPersistent*>(parent()); }

QJsonValue TPersistent::WriteCustomData() const { return QJsonValue(); }

void TPersistent::ReadCustomData(const QJsonValue&) {}

bool InheritsFrom(TClass cls, TClass base) {
  for (TClass c = cls; c; c = c->superClass())
    if (c == base) return true;
  return false;
}

namespace {
QHash<QString, TClass>& ClassTable() {
  static QHash<QString, TClass> table;
  return table;
}
}  // namespace

void RegisterClass(TClass cls) {
  if (cls) ClassTable().insert(QString::fromLatin1(cls->className()), cls);
}

void RegisterClasses(std::initializer_list<TClass> classes) {
  for (TClass cls : classes) RegisterClass(cls);
}

TClass FindClass(const QString& name) { return ClassTable().value(name, nullptr); }

std::vector<TClass> MakeableClasses(TClass base) {
  std::vector<TClass> classes;
  QStringList names = ClassTable().keys();
  names.sort();
  for (const QString& name : names) {
    TClass cls = ClassTable().value(name);
    if (InheritsFrom(cls, base) && cls->constructorCount() > 0) classes.push_back(cls);
  }
  return classes;
}

QObject* CreateInstance(TClass cls, TClass base) {
  if (!cls || (base && !InheritsFrom(cls, base))) throw EInvalidCast();
  QObject* obj = cls->newInstance();
  if (!obj) throw EInvalidCast();
  return obj;
}

TComponent::TComponent(QObject* parent) : TPersistent(parent) {}

TCollectionItem::TCollectionItem(QObject* parent) : TPersistent(parent) {}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  for (int i = 0; i < FCollection->GetCount(); ++i)
    if (FCollection->GetItem(i) == this) return i;
  return -1;
}

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

QString TCollectionItem::GetDisplayName() const { return QString::fromLatin1(metaObject()->className()); }

TCollection::TCollection(TClass itemClass, QObject* parent) : TPersistent(parent), FItemClass(itemClass) {}

namespace {
// Items of collections being destroyed. Items may own collections of their own, nested as deep as
// a document goes (element trees generated from a sample), and deleting them from their
// collection's destructor would recurse once per level. The outermost destructor deletes from
// this list, in order; the inner ones, reached from it, only append to it.
thread_local std::vector<TCollectionItem*>* GDoomedItems = nullptr;

void DeleteItems(std::vector<TCollectionItem*> items) {
  if (GDoomedItems) {
    GDoomedItems->insert(GDoomedItems->end(), items.begin(), items.end());
    return;
  }
  GDoomedItems = &items;
  for (size_t i = 0; i < items.size(); ++i) delete items[i];
  GDoomedItems = nullptr;
}
}  // namespace

TCollection::~TCollection() {
  std::vector<TCollectionItem*> items = std::move(FItems);
  FItems.clear();
  for (auto* item : items) {
    item->FCollection = nullptr;
    // Out of the object tree, or QObject would delete it with the collection, recursively.
    item->setParent(nullptr);
  }
  DeleteItems(std::move(items));
}

TCollectionItem* TCollection::GetItem(int index) const {
  if (index < 0 || index >= GetCount())
    throw ERangeError(QStringLiteral("Index out of range = %1").arg(uint32_t(index)));
  return FItems[size_t(index)];
}

TCollectionItem* TCollection::Adopt(QObject* obj, int index) {
  auto* item = qobject_cast<TCollectionItem*>(obj);
  if (!item) {
    delete obj;
    throw EInvalidCast();
  }
  item->setParent(this);
  item->FCollection = this;
  index = std::clamp(index, 0, GetCount());
  FItems.insert(FItems.begin() + index, item);
  emit Changed();
  return item;
}

TCollectionItem* TCollection::Add(TClass cls) { return Insert(GetCount(), cls); }

TCollectionItem* TCollection::Insert(int index, TClass cls) {
  if (!cls) cls = FItemClass;
  TCollectionItem* item = Adopt(CreateInstance(cls, FItemClass), index);
  RegisterClass(cls);
  return item;
}

void TCollection::Delete(int index) {
  TCollectionItem* item = GetItem(index);
  FItems.erase(FItems.begin() + index);
  item->FCollection = nullptr;
  delete item;
  emit Changed();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  auto items = std::move(FItems);
  FItems.clear();
  for (auto* item : items) {
    item->FCollection = nullptr;
    delete item;
  }
  emit Changed();
}

void TCollection::Move(int from, int to) {
  TCollectionItem* item = GetItem(from);
  to = std::clamp(to, 0, GetCount() - 1);
  FItems.erase(FItems.begin() + from);
  FItems.insert(FItems.begin() + to, item);
  emit Changed();
}
