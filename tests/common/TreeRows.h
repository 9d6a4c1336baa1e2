#pragma once

#include <QAbstractItemModel>

// The rows under a tree row, made first as opening the row makes them.
inline int RowsUnder(QAbstractItemModel* model, const QModelIndex& index) {
  if (model->canFetchMore(index)) model->fetchMore(index);
  return model->rowCount(index);
}
