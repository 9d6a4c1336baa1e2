#pragma once

#include "PropertyGridModel.h"

#include <QPointer>
#include <QTreeView>
#include <memory>

class IInplaceHost;
class QMenu;
class TDesignSession;
class TEditorCell;

// The object inspector: the inspector model in a tree of name and value columns. A value whose
// editor paints it, has a dialog, a list of choices or an in-place form gets an editor cell over
// its value; the in-place form opens below the current row's text. Every row's text is edited the
// same way: F2 or typing opens it, Enter writes it, Esc gives the value back; Ctrl+Enter or
// Alt+Down opens the row's dialog or list; Tab moves to the next row. A value that is not its
// class's default is bold, and the row's context menu resets it.
class TInspectorView : public QTreeView {
  Q_OBJECT
public:
  explicit TInspectorView(TDesignSession* session, QWidget* parent = nullptr);
  ~TInspectorView() override;

  TInspectorModel* Model() const { return FModel; }
  // The rows of another selection; the user's work in a form ends first.
  void ShowSelection(const QList<TPersistent*>& selection);
  // The values moved on: the rows show them; rows that are gone or new are made anew, with the
  // rows that were open and the current row kept where they still exist.
  void Refresh();
  // Ends the user's work in an in-place form (its modification is released); the form stays.
  void FinishInplaceEditing();

  // The editor cell of the row `path` names (see TInspectorModel::Find), or null.
  TEditorCell* CellOf(const QString& path);
  TEditorCell* CellOf(const QModelIndex& index) const;
  // Makes the row current, as a click on its value would; false when there is none.
  bool SetCurrentRow(const QString& path);
  // Opens the row `path` names, and the rows above it; false when there is none.
  bool ExpandRow(const QString& path);
  // The height of a row without a form.
  int LineHeight() const { return FLineHeight; }
  // The context menu of a row; built here so tests and pictures can use it without popping it up.
  QMenu* CreateContextMenu(const QModelIndex& index, QWidget* parent);

signals:
  void Failed(const QString& message);

protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
  class TDelegate;
  class TRowUpdate;
  void MakeCells(const QModelIndex& parent, int first, int last);
  void DropCells();
  void SaveExpanded(const QModelIndex& parent);
  void OpenForm(const QModelIndex& index);
  // Visibility, weight and forms of the rows after their values moved on.
  void UpdateCells();
  void Guarded(const std::function<void()>& operation);

  TInspectorModel* FModel;
  TDelegate* FDelegate;
  std::unique_ptr<IInplaceHost> FHost;
  int FLineHeight;
  struct TCellAt {
    QPointer<TEditorCell> Cell;
    QPersistentModelIndex Index;
  };
  QList<TCellAt> FCells;
  // Kept across the model's resets: the rows the user opened and the current one, by path.
  QStringList FExpanded;
  QString FCurrent;
  bool FResetting = false;
  bool FFinishing = false;
};
