#pragma once

#include "runtime/Classes.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QPointer>
#include <memory>
#include <vector>

class TDesignSession;

// The document as a tree: components, the collections each object owns, a collection's items, and
// the items' collections in turn. Rows are made when their parent is first opened and, after an
// edit, only the rows of what the edit touched are inserted, removed, moved or changed, so the
// view keeps its expansion and selection. Nothing here recurses per level.
class TComponentTreeModel : public QAbstractItemModel {
  Q_OBJECT
public:
  enum TColumn { NameColumn, ClassColumn, ColumnCount };

  explicit TComponentTreeModel(TDesignSession* session, QObject* parent = nullptr);
  ~TComponentTreeModel() override;

  TPersistent* ObjectAt(const QModelIndex& index) const;
  // The row of an object, making the rows on the way there; invalid for one the tree does not show.
  QModelIndex IndexOf(const TPersistent* object);
  // Levels above the row: 0 for a component.
  static int Depth(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

private:
  struct TNode;
  TNode* NodeOf(const QModelIndex& index) const;
  QModelIndex IndexOf(TNode* node, int column = 0) const;
  void Reset();
  // Brings the made rows below `node` (and the node's own text) in line with the objects.
  void Sync(TNode* node);
  void SyncChildren(TNode* node, std::vector<TPersistent*> wanted);
  void MakeChildren(TNode* node);
  // A node for the object, not yet with rows of its own.
  std::unique_ptr<TNode> MakeNode(TNode* parent, TPersistent* object, int row);
  void Forget(TNode* node);
  std::vector<TPersistent*> ChildObjects(const TNode* node) const;
  bool HasChildObjects(const TNode* node) const;
  // The properties of a class that may hold an owned collection, found once per class. Kept by the
  // model, which goes before the packages whose classes these are.
  const std::vector<QMetaProperty>& ObjectProperties(const QMetaObject* cls) const;
  QString TextOf(const TNode* node) const;
  // The node of the object or, for one the tree does not show, of the nearest owner it does.
  TNode* NearestNode(const TPersistent* object);

  TDesignSession* FSession;
  std::unique_ptr<TNode> FRoot;
  // Made nodes by object; a node's QPointer says whether the object is still the same one.
  QHash<const TPersistent*, TNode*> FNodes;
  mutable QHash<const QMetaObject*, std::vector<QMetaProperty>> FObjectProperties;
};
