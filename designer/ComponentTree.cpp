#include "ComponentTree.h"

#include "ComponentTreeModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <vector>

TComponentTree::TComponentTree(QWidget* parent) : QTreeView(parent) {
  setContextMenuPolicy(Qt::CustomContextMenu);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformRowHeights(true);
  // A node opened by a click or a key below the bound closes again before it is laid out.
  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    if (FExpanding || TComponentTreeModel::Depth(index) < kOpenDepth) return;
    collapse(index);
    emit DepthLimited();
  });
}

void TComponentTree::setModel(QAbstractItemModel* model) {
  QTreeView::setModel(model);
  header()->setStretchLastSection(false);
  header()->setSectionResizeMode(0, QHeaderView::Stretch);
}

bool TComponentTree::ExpandBelow(const QModelIndex& index) {
  if (!index.isValid() || !model()) return true;
  QAbstractItemModel* tree = model();
  int depth = TComponentTreeModel::Depth(index);
  // One layout at the end instead of one per opened node.
  scheduleDelayedItemsLayout();
  FExpanding = true;
  std::vector<QModelIndex> level{index};
  for (; !level.empty() && depth < kOpenDepth; ++depth) {
    std::vector<QModelIndex> next;
    for (const QModelIndex& node : level) {
      if (tree->canFetchMore(node)) tree->fetchMore(node);
      const int rows = tree->rowCount(node);
      if (rows == 0) continue;
      expand(node);
      for (int row = 0; row < rows; ++row) next.push_back(tree->index(row, 0, node));
    }
    level = std::move(next);
  }
  FExpanding = false;
  executeDelayedItemsLayout();
  for (const QModelIndex& node : level)
    if (tree->hasChildren(node)) {
      emit DepthLimited();
      return false;
    }
  return true;
}

void TComponentTree::keyPressEvent(QKeyEvent* event) {
  // Qt's own "*" opens the whole subtree at once, however deep.
  if (event->key() == Qt::Key_Asterisk && currentIndex().isValid()) {
    ExpandBelow(currentIndex().siblingAtColumn(0));
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}
