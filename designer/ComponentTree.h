#pragma once

#include <QTreeView>

// The view of the component tree. Qt lays out open rows with one call per open level, so the
// levels that can be open at once are bounded: opening everything below a node ("*") goes down
// level by level to kOpenDepth, and a node deeper than that stays closed.
class TComponentTree : public QTreeView {
  Q_OBJECT
public:
  static constexpr int kOpenDepth = 10000;

  explicit TComponentTree(QWidget* parent = nullptr);
  void setModel(QAbstractItemModel* model) override;
  // Opens `index` and every node below it, down to kOpenDepth; false when that bound stopped it.
  bool ExpandBelow(const QModelIndex& index);

signals:
  // A node was not opened because it lies deeper than kOpenDepth.
  void DepthLimited();

protected:
  void keyPressEvent(QKeyEvent* event) override;

private:
  bool FExpanding = false;
};
