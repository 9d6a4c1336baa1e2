// The window's side of the component tree: the view bound to its model, and the selection.
#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "MainWindow.h"

#include <QItemSelectionModel>
#include <QMenu>
#include <QStatusBar>
#include <algorithm>

void TMainWindow::BindTree() {
  FTreeModel = new TComponentTreeModel(FSession, this);
  FTree->setModel(FTreeModel);
  // Moving the current row and changing the selection often come together: shown once.
  connect(FTree->selectionModel(), &QItemSelectionModel::currentChanged, this, &TMainWindow::TreeSelectionMoved);
  connect(FTree->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TMainWindow::TreeSelectionMoved);
  connect(FTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QModelIndex index = FTree->indexAt(pos);
    TPersistent* object = FTreeModel->ObjectAt(index);
    if (!object) return;
    FTree->setCurrentIndex(index);
    QMenu* menu = CreateContextMenu(object, this);
    if (menu->isEmpty()) {
      delete menu;
      return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(FTree->viewport()->mapToGlobal(pos));
  });
  connect(FTree, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (auto* component = qobject_cast<TComponent*>(FTreeModel->ObjectAt(index))) RunDefaultCommand(component);
  });
  connect(FTree, &TComponentTree::DepthLimited, this, [this] {
    statusBar()->showMessage(QStringLiteral("The tree opens at most %1 levels deep").arg(TComponentTree::kOpenDepth));
  });
}

void TMainWindow::TreeSelectionMoved() {
  if (FUpdating) return;
  FSelected = FTreeModel->ObjectAt(FTree->currentIndex());
  QList<QPointer<TPersistent>> shown;
  for (TPersistent* object : SelectedObjects()) shown << object;
  if (shown == FShownSelection) return;
  FShownSelection = shown;
  SelectionChanged();
}

QList<TPersistent*> TMainWindow::SelectedObjects() const {
  QList<TPersistent*> objects;
  const QModelIndex current = FTree->currentIndex().siblingAtColumn(0);
  if (TPersistent* object = FTreeModel->ObjectAt(current)) objects << object;
  // The others in tree order: by the rows on the way down to them.
  std::vector<std::pair<std::vector<int>, TPersistent*>> others;
  for (const QModelIndex& index : FTree->selectionModel()->selectedRows()) {
    TPersistent* object = FTreeModel->ObjectAt(index);
    if (!object || index == current) continue;
    std::vector<int> path;
    for (QModelIndex i = index; i.isValid(); i = i.parent()) path.push_back(i.row());
    std::reverse(path.begin(), path.end());
    others.emplace_back(std::move(path), object);
  }
  std::sort(others.begin(), others.end());
  for (const auto& other : others) objects << other.second;
  return objects;
}

void TMainWindow::Select(TPersistent* object) {
  const QModelIndex index = FTreeModel->IndexOf(object);
  if (!index.isValid()) return;
  FTree->setCurrentIndex(index);
  FTree->scrollTo(index);
}

TPersistent* TMainWindow::Selected() const { return FSelected; }
