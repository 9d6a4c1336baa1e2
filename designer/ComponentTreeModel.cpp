#include "ComponentTreeModel.h"

#include "DesignSession.h"
#include "PropertyReflection.h"
#include "framework/Registration.h"

#include <algorithm>

struct TComponentTreeModel::TNode {
  QPointer<TPersistent> Object;  // null once the object is gone, even if its address is reused
  const TPersistent* Key = nullptr;
  TNode* Parent = nullptr;
  int Row = 0;
  int Level = -1;  // 0 for a component
  QString Text;                        // the name column as last shown
  QString Property;                    // a collection's: the property that holds it
  // The child rows exist. A node made without children has all of them: rows added later are
  // inserted as they come. Others get theirs when opened.
  bool Made = false;
  std::vector<std::unique_ptr<TNode>> Children;
};

namespace {
TCollection* OwnedCollection(const TPersistent* object, const QMetaProperty& property) {
  return qobject_cast<TCollection*>(Reflection::SubObject(object, property));
}

// The object the tree shows a node under: a collection's owner, an item's collection.
const TPersistent* TreeParent(const TPersistent* object) {
  if (auto* item = qobject_cast<const TCollectionItem*>(object)) return item->GetCollection();
  return qobject_cast<const TPersistent*>(object->parent());
}
}  // namespace

TComponentTreeModel::TComponentTreeModel(TDesignSession* session, QObject* parent)
    : QAbstractItemModel(parent), FSession(session), FRoot(std::make_unique<TNode>()) {
  Reset();
  connect(session, &TDesignSession::DocumentReplaced, this, [this] {
    beginResetModel();
    Reset();
    endResetModel();
  });
  const auto topLevel = [this] { SyncChildren(FRoot.get(), ChildObjects(FRoot.get())); };
  connect(session, &TDesignSession::ComponentInserted, this, topLevel);
  connect(session, &TDesignSession::ComponentRemoved, this, topLevel);
  connect(session, &TDesignSession::ComponentRestored, this, [this](TComponent* component) {
    if (TNode* node = NearestNode(component)) Sync(node);
  });
  connect(session, &TDesignSession::ObjectsChanged, this, [this](const QList<TPersistent*>& targets) {
    for (TPersistent* target : targets)
      if (TNode* node = NearestNode(target)) Sync(node);
  });
}

namespace {
// Nodes nest as deep as the document: they are freed from a list, not from each other's destructor.
template <typename TNodePtr, typename F>
void FreeNodes(std::vector<TNodePtr> nodes, F&& forget) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    auto* node = nodes[i].get();
    forget(node);
    for (auto& child : node->Children) nodes.push_back(std::move(child));
  }
}
}  // namespace

TComponentTreeModel::~TComponentTreeModel() {
  std::vector<std::unique_ptr<TNode>> all;
  all.push_back(std::move(FRoot));
  FreeNodes(std::move(all), [](TNode*) {});
}

void TComponentTreeModel::Reset() {
  std::vector<std::unique_ptr<TNode>> old = std::move(FRoot->Children);
  FRoot->Children.clear();
  FreeNodes(std::move(old), [](TNode*) {});
  FNodes.clear();
  const std::vector<TPersistent*> components = ChildObjects(FRoot.get());
  for (size_t i = 0; i < components.size(); ++i)
    FRoot->Children.push_back(MakeNode(FRoot.get(), components[i], int(i)));
  FRoot->Made = true;
}

TComponentTreeModel::TNode* TComponentTreeModel::NodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<TNode*>(index.internalPointer()) : FRoot.get();
}

QModelIndex TComponentTreeModel::IndexOf(TNode* node, int column) const {
  return node == FRoot.get() ? QModelIndex() : createIndex(node->Row, column, node);
}

TPersistent* TComponentTreeModel::ObjectAt(const QModelIndex& index) const {
  return index.isValid() && index.model() == this ? NodeOf(index)->Object.data() : nullptr;
}

int TComponentTreeModel::Depth(const QModelIndex& index) {
  if (qobject_cast<const TComponentTreeModel*>(index.model()))
    return static_cast<const TNode*>(index.internalPointer())->Level;
  int depth = -1;
  for (QModelIndex i = index; i.isValid(); i = i.parent()) ++depth;
  return depth;
}

const std::vector<QMetaProperty>& TComponentTreeModel::ObjectProperties(const QMetaObject* cls) const {
  auto it = FObjectProperties.find(cls);
  if (it == FObjectProperties.end()) {
    std::vector<QMetaProperty> found;
    for (const QMetaProperty& property : Reflection::PublishedProperties(cls))
      if (PropertyClass(property.metaType())) found.push_back(property);
    it = FObjectProperties.insert(cls, std::move(found));
  }
  return *it;
}

std::vector<TPersistent*> TComponentTreeModel::ChildObjects(const TNode* node) const {
  std::vector<TPersistent*> children;
  if (node == FRoot.get()) {
    const TDesignDocument& document = FSession->Document();
    children.reserve(size_t(document.GetCount()));
    for (int i = 0; i < document.GetCount(); ++i) children.push_back(document.GetComponent(i));
    return children;
  }
  const TPersistent* object = node->Object;
  if (!object) return children;
  if (auto* collection = qobject_cast<const TCollection*>(object)) {
    children.assign(collection->begin(), collection->end());
    return children;
  }
  for (const QMetaProperty& property : ObjectProperties(object->metaObject()))
    if (TCollection* collection = OwnedCollection(object, property)) children.push_back(collection);
  return children;
}

bool TComponentTreeModel::HasChildObjects(const TNode* node) const {
  if (node == FRoot.get()) return FSession->Document().GetCount() > 0;
  const TPersistent* object = node->Object;
  if (!object) return false;
  if (auto* collection = qobject_cast<const TCollection*>(object)) return collection->GetCount() > 0;
  for (const QMetaProperty& property : ObjectProperties(object->metaObject()))
    if (OwnedCollection(object, property)) return true;
  return false;
}

namespace {
// A row shows the start of a long name: laying out megabytes of text for one row takes seconds.
constexpr qsizetype kShownLength = 256;
QString Shown(const QString& text) {
  return text.size() <= kShownLength ? text : text.left(kShownLength) + QChar(0x2026);
}
}  // namespace

QString TComponentTreeModel::TextOf(const TNode* node) const {
  const TPersistent* object = node->Object;
  if (!object) return QString();
  if (node->Parent == FRoot.get()) return Shown(static_cast<const TComponent*>(object)->GetName());
  if (auto* item = qobject_cast<const TCollectionItem*>(object))
    return Reflection::ItemCaption(node->Row, Shown(item->GetDisplayName()));
  return node->Property;
}

std::unique_ptr<TComponentTreeModel::TNode> TComponentTreeModel::MakeNode(TNode* parent, TPersistent* object, int row) {
  auto node = std::make_unique<TNode>();
  node->Object = object;
  node->Key = object;
  node->Parent = parent;
  node->Row = row;
  node->Level = parent->Level + 1;
  if (qobject_cast<TCollection*>(object) && parent->Object)
    for (const QMetaProperty& property : ObjectProperties(parent->Object->metaObject()))
      if (OwnedCollection(parent->Object, property) == object) node->Property = QString::fromLatin1(property.name());
  node->Text = TextOf(node.get());
  node->Made = !HasChildObjects(node.get());
  FNodes.insert(object, node.get());
  return node;
}

void TComponentTreeModel::Forget(TNode* node) {
  if (auto it = FNodes.find(node->Key); it != FNodes.end() && it.value() == node) FNodes.erase(it);
}

void TComponentTreeModel::MakeChildren(TNode* node) {
  const std::vector<TPersistent*> objects = ChildObjects(node);
  node->Made = true;
  if (objects.empty()) return;
  beginInsertRows(IndexOf(node), 0, int(objects.size()) - 1);
  for (size_t i = 0; i < objects.size(); ++i) node->Children.push_back(MakeNode(node, objects[i], int(i)));
  endInsertRows();
}

// The rows that stayed keep their nodes: the common start and end, or one row moved within the
// rest (Move Up, Move Down). What differs between them is removed and made anew.
void TComponentTreeModel::SyncChildren(TNode* node, std::vector<TPersistent*> wanted) {
  auto& children = node->Children;
  const size_t had = children.size(), has = wanted.size();
  size_t head = 0, tail = 0;
  while (head < had && head < has && children[head]->Object == wanted[head]) ++head;
  while (tail < had - head && tail < has - head && children[had - 1 - tail]->Object == wanted[has - 1 - tail]) ++tail;
  const size_t removed = had - head - tail, added = has - head - tail;
  if (removed == 0 && added == 0) return;
  const QModelIndex parent = IndexOf(node);
  const auto renumber = [&](size_t from) {
    for (size_t i = from; i < children.size(); ++i) children[i]->Row = int(i);
  };
  const auto same = [&](size_t child, size_t object, size_t count) {
    for (size_t i = 0; i < count; ++i)
      if (children[child + i]->Object != wanted[object + i]) return false;
    return true;
  };
  if (removed == added && removed >= 2) {
    const size_t last = head + removed - 1;
    if (children[head]->Object == wanted[last] && same(head + 1, head, removed - 1)) {  // the first went last
      beginMoveRows(parent, int(head), int(head), parent, int(last) + 1);
      std::rotate(children.begin() + long(head), children.begin() + long(head) + 1, children.begin() + long(last) + 1);
      renumber(head);
      endMoveRows();
      return;
    }
    if (children[last]->Object == wanted[head] && same(head, head + 1, removed - 1)) {  // the last went first
      beginMoveRows(parent, int(last), int(last), parent, int(head));
      std::rotate(children.begin() + long(head), children.begin() + long(last), children.begin() + long(last) + 1);
      renumber(head);
      endMoveRows();
      return;
    }
  }
  if (removed > 0) {
    beginRemoveRows(parent, int(head), int(head + removed) - 1);
    std::vector<std::unique_ptr<TNode>> gone(std::make_move_iterator(children.begin() + long(head)),
                                             std::make_move_iterator(children.begin() + long(head + removed)));
    children.erase(children.begin() + long(head), children.begin() + long(head + removed));
    renumber(head);
    endRemoveRows();
    FreeNodes(std::move(gone), [this](TNode* n) { Forget(n); });
  }
  if (added > 0) {
    beginInsertRows(parent, int(head), int(head + added) - 1);
    std::vector<std::unique_ptr<TNode>> made;
    for (size_t i = head; i < head + added; ++i) made.push_back(MakeNode(node, wanted[i], int(i)));
    children.insert(children.begin() + long(head), std::make_move_iterator(made.begin()),
                    std::make_move_iterator(made.end()));
    renumber(head);
    endInsertRows();
  }
}

void TComponentTreeModel::Sync(TNode* top) {
  if (top != FRoot.get()) {
    const QString text = TextOf(top);
    if (text != top->Text) {
      top->Text = text;
      emit dataChanged(IndexOf(top), IndexOf(top));
    }
  }
  std::vector<TNode*> pending{top};
  while (!pending.empty()) {
    TNode* node = pending.back();
    pending.pop_back();
    if (!node->Made) continue;  // its rows are made when it opens
    SyncChildren(node, ChildObjects(node));
    // Texts that changed, in runs of neighbouring rows.
    int first = -1, last = -1;
    const auto flush = [&] {
      if (first >= 0)
        emit dataChanged(IndexOf(node->Children[size_t(first)].get()), IndexOf(node->Children[size_t(last)].get()));
      first = -1;
    };
    for (auto& child : node->Children) {
      QString text = TextOf(child.get());
      if (text != child->Text) {
        child->Text = std::move(text);
        if (first >= 0 && last + 1 != child->Row) flush();
        if (first < 0) first = child->Row;
        last = child->Row;
      }
      pending.push_back(child.get());
    }
    flush();
  }
}

TComponentTreeModel::TNode* TComponentTreeModel::NearestNode(const TPersistent* object) {
  for (const TPersistent* o = object; o; o = TreeParent(o)) {
    if (TNode* node = FNodes.value(o); node && node->Object == o) return node;
  }
  return nullptr;
}

QModelIndex TComponentTreeModel::IndexOf(const TPersistent* object) {
  // The objects from the component down to this one, then the rows along them.
  std::vector<const TPersistent*> chain;
  TNode* node = nullptr;
  for (const TPersistent* o = object; o && !node; o = TreeParent(o)) {
    chain.push_back(o);
    if (TNode* found = FNodes.value(o); found && found->Object == o) node = found;
  }
  if (!node) return QModelIndex();
  chain.pop_back();
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!node->Made) MakeChildren(node);
    TNode* child = FNodes.value(*it);
    if (!child || child->Object != *it || child->Parent != node) return QModelIndex();
    node = child;
  }
  return IndexOf(node);
}

QModelIndex TComponentTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const TNode* node = NodeOf(parent);
  if (row < 0 || column < 0 || column >= ColumnCount || size_t(row) >= node->Children.size()) return QModelIndex();
  return createIndex(row, column, node->Children[size_t(row)].get());
}

QModelIndex TComponentTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return QModelIndex();
  return IndexOf(NodeOf(child)->Parent);
}

int TComponentTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return int(NodeOf(parent)->Children.size());
}

int TComponentTreeModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant TComponentTreeModel::data(const QModelIndex& index, int role) const {
  const TNode* node = NodeOf(index);
  if (!index.isValid() || !node->Object || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return QVariant();
  if (index.column() == ClassColumn) return QString::fromLatin1(node->Object->metaObject()->className());
  return node->Text;
}

QVariant TComponentTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
  return section == NameColumn ? QStringLiteral("Component") : QStringLiteral("Class");
}

bool TComponentTreeModel::hasChildren(const QModelIndex& parent) const {
  if (parent.column() > 0) return false;
  const TNode* node = NodeOf(parent);
  return node->Made ? !node->Children.empty() : HasChildObjects(node);
}

bool TComponentTreeModel::canFetchMore(const QModelIndex& parent) const {
  const TNode* node = NodeOf(parent);
  return parent.column() <= 0 && !node->Made && HasChildObjects(node);
}

void TComponentTreeModel::fetchMore(const QModelIndex& parent) {
  TNode* node = NodeOf(parent);
  if (parent.column() <= 0 && !node->Made) MakeChildren(node);
}
