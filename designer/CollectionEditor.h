#pragma once

#include "runtime/Classes.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QListWidget;
class QPushButton;
class QToolButton;
class TDesignSession;

// The designer's editor of one collection's items: a list with Add, Delete, Move Up and Move Down,
// each one undo step. It stays open beside the window; choosing an item selects it in the tree,
// where the inspector shows its properties. It closes itself when its collection goes.
class TCollectionEditor : public QDialog {
  Q_OBJECT
public:
  TCollectionEditor(TDesignSession* session, TCollection* collection, const QString& caption, QWidget* parent);

  TCollection* Collection() const { return FCollection; }
  QListWidget* Items() const { return FItems; }
  QToolButton* AddButton() const { return FAdd; }
  QPushButton* DeleteButton() const { return FDelete; }
  QPushButton* UpButton() const { return FUp; }
  QPushButton* DownButton() const { return FDown; }
  // Shows the collection's items again, keeping the current row where it can.
  void Refresh();

signals:
  void ItemChosen(TCollectionItem* item);
  void Failed(const QString& message);

private:
  void UpdateButtons();
  void Move(int delta);
  void Run(const std::function<void()>& command);
  TDesignSession* FSession;
  QPointer<TCollection> FCollection;
  QListWidget* FItems;
  QToolButton* FAdd;
  QPushButton* FDelete;
  QPushButton* FUp;
  QPushButton* FDown;
};
