#include "PropertyGridModel.h"

#include "DesignSession.h"
#include "DocumentStreamer.h"
#include "framework/Registration.h"

#include <QFont>

struct TInspectorModel::TRow {
  TRow* Parent = nullptr;
  int Index = 0;
  QPointer<TPersistent> Object;  // whose property the row shows; for an item row, the item
  QMetaProperty Property;        // invalid for an item row
  TPropertyKind Kind = TPropertyKind::Value;
  QString Name;
  QPointer<TPersistent> Sub;  // the owned object or collection the row opens to
  int Count = 0;              // a collection's items when the row was built
  bool Registered = false;
  bool Built = false;
  mutable int Default = -1;  // IsDefault, worked out when first asked after a change
  std::unique_ptr<TSinglePropertyEditor> Editor;
  std::vector<std::unique_ptr<TRow>> Children;

  bool IsItem() const { return !Property.isValid(); }
  bool Opens() const { return Kind == TPropertyKind::Object || Kind == TPropertyKind::Collection || IsItem(); }
};

namespace {
QMetaProperty SameProperty(const QObject* object, const QMetaProperty& property) {
  const QMetaObject* meta = object->metaObject();
  return meta->property(meta->indexOfProperty(property.name()));
}

QString ClassName(const QObject* object) { return QString::fromLatin1(object->metaObject()->className()); }
}  // namespace

TInspectorModel::TInspectorModel(TDesignSession* session, QObject* parent)
    : QAbstractItemModel(parent), FSession(session), FRoot(std::make_unique<TRow>()) {}

TInspectorModel::~TInspectorModel() = default;

void TInspectorModel::SetSelection(const QList<TPersistent*>& selection) {
  beginResetModel();
  FSelection.clear();
  for (TPersistent* object : selection)
    if (object) FSelection << object;
  FRoot = std::make_unique<TRow>();
  if (!FSelection.isEmpty()) {
    FRoot->Object = FSelection.front();
    Build(FRoot.get());
  }
  endResetModel();
}

QList<TPersistent*> TInspectorModel::Selection() const {
  QList<TPersistent*> objects;
  for (const QPointer<TPersistent>& object : FSelection)
    if (object) objects << object;
  return objects;
}

std::unique_ptr<TInspectorModel::TRow> TInspectorModel::MakePropertyRow(TRow* parent, TPersistent* object,
                                                                         const QMetaProperty& property) {
  auto row = std::make_unique<TRow>();
  row->Parent = parent;
  row->Object = object;
  row->Property = property;
  row->Name = QString::fromLatin1(property.name());
  row->Kind = Reflection::KindOf(object, property);
  if (row->Kind == TPropertyKind::Object || row->Kind == TPropertyKind::Collection)
    row->Sub = Reflection::SubObject(object, property);
  if (auto* collection = qobject_cast<TCollection*>(row->Sub.data())) row->Count = collection->GetCount();
  // Looked up once, for the class of the object that carries the property, as CreateFor does.
  row->Registered = TDesignRegistry::Instance().FindPropertyEditor(property.metaType(), object->metaObject(),
                                                                   row->Name) != nullptr;
  if (row->Registered || row->Kind == TPropertyKind::Collection) {
    try {
      row->Editor = TSinglePropertyEditor::CreateFor(FSession, Instances(row.get()), property.name());
    } catch (const std::exception&) {
      row->Editor.reset();  // the row is shown as text
      row->Registered = false;
    }
  }
  return row;
}

void TInspectorModel::Build(TRow* parent) {
  parent->Built = true;
  parent->Children.clear();
  TPersistent* owner = parent == FRoot.get() || parent->IsItem() ? parent->Object.data() : parent->Sub.data();
  if (!owner) return;
  if (auto* collection = qobject_cast<TCollection*>(owner); collection && !parent->IsItem()) {
    parent->Count = collection->GetCount();
    for (int i = 0; i < collection->GetCount(); ++i) {
      auto row = std::make_unique<TRow>();
      row->Parent = parent;
      row->Index = i;
      row->Object = collection->GetItem(i);
      row->Sub = row->Object;
      row->Name = Reflection::ItemCaption(i, collection->GetItem(i)->GetDisplayName());
      parent->Children.push_back(std::move(row));
    }
    return;
  }
  for (const QMetaProperty& property : Reflection::PublishedProperties(owner->metaObject())) {
    parent->Children.push_back(MakePropertyRow(parent, owner, property));
    parent->Children.back()->Index = int(parent->Children.size()) - 1;
  }
}

QList<QObject*> TInspectorModel::Instances(const TRow* row) const {
  QList<QObject*> instances{row->Object.data()};
  // A name belongs to one component: several cannot take the same one.
  if (row->Parent != FRoot.get() || qstrcmp(row->Property.name(), "Name") == 0) return instances;
  // The other selected objects that carry the property too, after the first.
  for (const QPointer<TPersistent>& other : FSelection)
    if (other && other != row->Object && other->metaObject()->indexOfProperty(row->Property.name()) >= 0)
      instances << other.data();
  return instances;
}

// ----------------------------------------------------------------------------------------- the rows

TInspectorModel::TRow* TInspectorModel::RowOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TRow*>(index.internalPointer()) : FRoot.get();
}

QModelIndex TInspectorModel::IndexOf(const TRow* row, int column) const {
  return row == FRoot.get() || !row ? QModelIndex() : createIndex(row->Index, column, const_cast<TRow*>(row));
}

QModelIndex TInspectorModel::index(int row, int column, const QModelIndex& parent) const {
  const TRow* owner = RowOf(parent);
  if (row < 0 || column < 0 || column > ValueColumn || row >= int(owner->Children.size())) return {};
  return createIndex(row, column, owner->Children[size_t(row)].get());
}

QModelIndex TInspectorModel::parent(const QModelIndex& child) const {
  const TRow* row = RowOf(child);
  return row == FRoot.get() ? QModelIndex() : IndexOf(row->Parent, NameColumn);
}

int TInspectorModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > NameColumn) return 0;
  return int(RowOf(parent)->Children.size());
}

int TInspectorModel::columnCount(const QModelIndex&) const { return 2; }

bool TInspectorModel::hasChildren(const QModelIndex& parent) const {
  const TRow* row = RowOf(parent);
  if (row == FRoot.get()) return !row->Children.empty();
  if (parent.column() > NameColumn || !row->Opens()) return false;
  if (row->Built) return !row->Children.empty();
  if (row->Kind == TPropertyKind::Collection) return row->Count > 0;
  // An owned object or an item with no published properties of its own (pixels) opens to nothing.
  return row->Sub && !Reflection::PublishedProperties(row->Sub->metaObject()).empty();
}

bool TInspectorModel::canFetchMore(const QModelIndex& parent) const {
  const TRow* row = RowOf(parent);
  return parent.isValid() && parent.column() == NameColumn && row->Opens() && !row->Built;
}

void TInspectorModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  TRow* row = RowOf(parent);
  auto scratch = std::make_unique<TRow>();
  scratch->Object = row->Object;
  scratch->Property = row->Property;
  scratch->Kind = row->Kind;
  scratch->Sub = row->Sub;
  Build(scratch.get());
  row->Built = true;
  if (scratch->Children.empty()) return;
  beginInsertRows(parent, 0, int(scratch->Children.size()) - 1);
  row->Children = std::move(scratch->Children);
  for (auto& child : row->Children) child->Parent = row;
  endInsertRows();
}

QVariant TInspectorModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return index.column() == NameColumn ? Name(index) : Text(index);
    case Qt::FontRole: {
      if (IsDefault(index)) return {};
      QFont font;
      font.setBold(true);
      return font;
    }
    case Qt::ToolTipRole: {
      const TRow* row = RowOf(index);
      if (row->IsItem()) return row->Object ? ClassName(row->Object) : QString();  // an item gone, the rows not yet made anew
      return QString::fromLatin1(row->Property.metaType().name());
    }
    case DefaultRole:
      return IsDefault(index);
    default:
      return {};
  }
}

bool TInspectorModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || index.column() != ValueColumn || !IsEditable(index)) return false;
  try {
    Apply(index, value.toString());
    return true;
  } catch (const std::exception& e) {
    emit Failed(QString::fromUtf8(e.what()));
    return false;
  }
}

Qt::ItemFlags TInspectorModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == ValueColumn && IsEditable(index)) flags |= Qt::ItemIsEditable;
  return flags;
}

QVariant TInspectorModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == NameColumn ? QStringLiteral("Property") : QStringLiteral("Value");
}

// ----------------------------------------------------------------------------------- what a row is

QString TInspectorModel::Name(const QModelIndex& index) const { return RowOf(index)->Name; }

QString TInspectorModel::Path(const QModelIndex& index) const {
  QStringList names;
  for (const TRow* row = RowOf(index); row != FRoot.get(); row = row->Parent)
    names.prepend(row->IsItem() ? QString::number(row->Index) : row->Name);
  return names.join(QLatin1Char('.'));
}

QModelIndex TInspectorModel::Find(const QString& path) {
  QModelIndex found;
  for (const QString& name : path.split(QLatin1Char('.'))) {
    if (canFetchMore(found)) fetchMore(found);
    const TRow* owner = RowOf(found);
    const TRow* next = nullptr;
    for (const auto& child : owner->Children)
      if (child->IsItem() ? QString::number(child->Index) == name : child->Name == name) next = child.get();
    if (!next) return {};
    found = IndexOf(next, NameColumn);
  }
  return found;
}

QString TInspectorModel::Text(const QModelIndex& index) const {
  const TRow* row = RowOf(index);
  if (!row->Object) return {};
  if (row->IsItem() || row->Kind == TPropertyKind::Object)
    return row->Sub ? QStringLiteral("(%1)").arg(ClassName(row->Sub)) : QString();
  if (auto* collection = qobject_cast<TCollection*>(row->Sub.data()))
    return QStringLiteral("(%1 items)").arg(collection->GetCount());
  try {
    if (row->Registered) return row->Editor->GetDisplayValues();
    // With several objects selected, a value they do not share shows empty.
    QString text;
    const QList<QObject*> instances = Instances(row);
    for (QObject* instance : instances) {
      const QString each = DocumentStreamer::PropertyText(instance, SameProperty(instance, row->Property));
      if (instance != instances.front() && each != text) return {};
      text = each;
    }
    return text;
  } catch (const std::exception& e) {
    return QString::fromUtf8(e.what());
  }
}

TSinglePropertyEditor* TInspectorModel::Editor(const QModelIndex& index) const { return RowOf(index)->Editor.get(); }

bool TInspectorModel::HasRegisteredEditor(const QModelIndex& index) const { return RowOf(index)->Registered; }

TPropertyKind TInspectorModel::Kind(const QModelIndex& index) const { return RowOf(index)->Kind; }

bool TInspectorModel::IsVisible(const QModelIndex& index) const {
  const TRow* row = RowOf(index);
  try {
    return !row->Editor || row->Editor->GetIsVisible();
  } catch (const std::exception&) {
    return true;
  }
}

bool TInspectorModel::IsEditable(const QModelIndex& index) const {
  const TRow* row = RowOf(index);
  // A registered editor reads text for its type, whatever the streamer makes of the type.
  return !row->IsItem() && row->Property.isWritable() &&
         (row->Kind == TPropertyKind::Value || (row->Registered && row->Kind != TPropertyKind::Collection));
}

// ------------------------------------------------------------------------------------- the defaults

QObject* TInspectorModel::Fresh(const QMetaObject* cls) const {
  std::shared_ptr<QObject>& fresh = FFresh[cls];
  if (!fresh) {
    try {
      fresh.reset(CreateInstance(cls, &TPersistent::staticMetaObject));
    } catch (const std::exception&) {
      return nullptr;
    }
  }
  return fresh.get();
}

QObject* TInspectorModel::DefaultOf(const TRow* row) const {
  const TRow* owner = row->Parent;
  if (!row->Object) return nullptr;
  if (owner == FRoot.get() || owner->IsItem()) return Fresh(row->Object->metaObject());
  // A member of an owned object: the same member of the owner's default.
  QObject* ownerDefault = DefaultOf(owner);
  TPersistent* sub = ownerDefault ? Reflection::SubObject(ownerDefault, owner->Property) : nullptr;
  return sub && sub->metaObject() == row->Object->metaObject() ? sub : Fresh(row->Object->metaObject());
}

namespace {
bool SameState(const TPersistent* object, const TPersistent* other) {
  if (!object || !other) return object == other;
  if (auto* collection = qobject_cast<const TCollection*>(object)) {
    auto* another = qobject_cast<const TCollection*>(other);
    if (!another || another->GetCount() != collection->GetCount()) return false;
    for (int i = 0; i < collection->GetCount(); ++i)
      if (!SameState(collection->GetItem(i), another->GetItem(i))) return false;
    return true;
  }
  return DocumentStreamer::WriteObject(object) == DocumentStreamer::WriteObject(other);
}
}  // namespace

bool TInspectorModel::IsDefault(const QModelIndex& index) const {
  const TRow* row = RowOf(index);
  if (row->IsItem() || !row->Object || row->Kind == TPropertyKind::Ignored) return true;
  if (row->Default >= 0) return row->Default;
  bool same = true;
  try {
    for (QObject* instance : Instances(row)) {
      QObject* fresh = instance == row->Object ? DefaultOf(row) : Fresh(instance->metaObject());
      if (!fresh) continue;
      const QMetaProperty property = SameProperty(instance, row->Property);
      if (row->Kind == TPropertyKind::Value)
        same = DocumentStreamer::PropertyText(instance, property) == DocumentStreamer::PropertyText(fresh, property);
      else
        same = SameState(Reflection::SubObject(instance, property), Reflection::SubObject(fresh, property));
      if (!same) break;
    }
  } catch (const std::exception&) {
    same = true;  // nothing to compare with: shown plain
  }
  row->Default = same;
  return same;
}

bool TInspectorModel::CanReset(const QModelIndex& index) const {
  const TRow* row = RowOf(index);
  if (row->IsItem() || !row->Object || IsDefault(index)) return false;
  // A component's name is its identity in the document, not a setting.
  return !(qobject_cast<TComponent*>(row->Object) && row->Name == QStringLiteral("Name"));
}

// ------------------------------------------------------------------------------------------ changes

void TInspectorModel::Apply(const QModelIndex& index, const QString& text) {
  const TRow* row = RowOf(index);
  if (!row->Object || !IsEditable(index)) return;
  // A registered editor converts the text itself, in one modification of every object.
  if (row->Registered) {
    row->Editor->SetStringValue(text);
    return;
  }
  // Scopes held together: what every object gets is one step.
  const QList<QObject*> instances = Instances(row);
  std::vector<std::shared_ptr<IModification>> scopes;
  for (QObject* instance : instances) scopes.push_back(FSession->BeginModify(static_cast<TPersistent*>(instance)));
  for (QObject* instance : instances)
    FSession->SetProperty(static_cast<TPersistent*>(instance), SameProperty(instance, row->Property), text);
}

void TInspectorModel::ResetToDefault(const QModelIndex& index) {
  if (!CanReset(index)) return;
  const TRow* row = RowOf(index);
  const QList<QObject*> instances = Instances(row);
  std::vector<std::shared_ptr<IModification>> scopes;
  for (QObject* instance : instances) scopes.push_back(FSession->BeginModify(static_cast<TPersistent*>(instance)));
  for (QObject* instance : instances) {
    QObject* fresh = instance == row->Object ? DefaultOf(row) : Fresh(instance->metaObject());
    if (!fresh) continue;
    const QMetaProperty property = SameProperty(instance, row->Property);
    if (row->Kind == TPropertyKind::Value) {
      if (property.isResettable())
        property.reset(instance);
      else
        DocumentStreamer::SetPropertyText(instance, property, DocumentStreamer::PropertyText(fresh, property));
      continue;
    }
    TPersistent* sub = Reflection::SubObject(instance, property);
    TPersistent* model = Reflection::SubObject(fresh, property);
    if (!sub || !model) continue;
    if (auto* collection = qobject_cast<TCollection*>(sub)) {
      // Items as in the default: normally none.
      collection->Clear();
      for (TCollectionItem* item : *static_cast<TCollection*>(model))
        DocumentStreamer::ReadObject(collection->Add(item->metaObject()), DocumentStreamer::WriteObject(item), row->Name);
    } else {
      DocumentStreamer::ReadObject(sub, DocumentStreamer::WriteObject(model), row->Name);
    }
  }
}

bool TInspectorModel::StillValid(const TRow* row) const {
  if (row != FRoot.get() && !row->Object) return false;
  if (!row->IsItem() && row != FRoot.get() && row->Kind != TPropertyKind::Value &&
      row->Kind != TPropertyKind::Ignored && Reflection::SubObject(row->Object, row->Property) != row->Sub)
    return false;
  if (auto* collection = qobject_cast<TCollection*>(row->Sub.data()); collection && !row->IsItem()) {
    if (collection->GetCount() != row->Count) return false;
    if (row->Built)
      for (const auto& child : row->Children)
        if (child->Object != collection->GetItem(child->Index)) return false;
  }
  for (const auto& child : row->Children)
    if (!StillValid(child.get())) return false;
  return true;
}

void TInspectorModel::EmitValuesChanged(TRow* parent) {
  for (const auto& child : parent->Children) {
    child->Default = -1;
    if (child->IsItem() && child->Object)
      child->Name =
          Reflection::ItemCaption(child->Index, static_cast<TCollectionItem*>(child->Object.data())->GetDisplayName());
    EmitValuesChanged(child.get());
  }
  if (!parent->Children.empty())
    emit dataChanged(IndexOf(parent->Children.front().get(), NameColumn),
                     IndexOf(parent->Children.back().get(), ValueColumn));
}

bool TInspectorModel::RowsHold() const {
  for (const QPointer<TPersistent>& object : FSelection)
    if (!object) return false;
  return StillValid(FRoot.get());
}

void TInspectorModel::Refresh() {
  if (!RowsHold()) {
    SetSelection(Selection());
    return;
  }
  EmitValuesChanged(FRoot.get());
}
