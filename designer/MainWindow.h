#pragma once

#include "DesignSession.h"
#include "framework/PropertyEditors.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QLineEdit;
class TEditorCell;
class QMenu;
class TInspectorView;
class QTreeWidget;
class TComponentTree;
class TComponentTreeModel;

// The designer's window: component tree, object inspector and palette bound to one session.
class TMainWindow : public QMainWindow {
  Q_OBJECT
public:
  // `headless`: errors go to stderr instead of message boxes (screenshots, scripted runs).
  explicit TMainWindow(TDesignSession* session, bool headless = false, QWidget* parent = nullptr);
  ~TMainWindow() override;

  // Opens a document; a failure is reported and the open document stays.
  bool OpenFile(const QString& fileName);
  bool SaveFile(const QString& fileName);
  // Makes the object's row current (opening the rows above it) and the only one selected.
  void Select(TPersistent* object);
  TPersistent* Selected() const;
  // The current object first, then the other selected objects in tree order.
  QList<TPersistent*> SelectedObjects() const;
  // One error report: a message box, or stderr when headless.
  void ReportError(const QString& message);

  // The context menu of an object in the tree: the component editor's commands first, then Delete.
  // Built here so tests can run its actions without popping it up.
  QMenu* CreateContextMenu(TPersistent* object, QWidget* parent);

  TComponentTree* Tree() const { return FTree; }
  TComponentTreeModel* TreeModel() const { return FTreeModel; }
  QTreeWidget* Palette() const { return FPalette; }
  TInspectorView* Inspector() const { return FInspector; }
  // The editor cell of the inspector row `path` names ("Font", "Elements.0.Bitmap"), or null.
  TEditorCell* EditorCellOf(const QString& path) const;
  // Makes the inspector row `path` names current, as a click on it would; false when none is.
  bool SetCurrentRow(const QString& path);

protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void BuildMenus();
  // Runs a handler; what it raises is reported. False when it raised.
  bool Reported(const std::function<void()>& handler);
  void AddComponent(TClass cls);
  // Add for a collection; Move Up, Move Down and Delete Item for one of its items.
  void AddCollectionCommands(QMenu* menu, TPersistent* object);
  // A double-click on a component: its editor's default command.
  void RunDefaultCommand(TComponent* component);
  void RefreshPalette();
  // The tree's view bound to its model, its selection, context menu and double-click.
  void BindTree();
  void TreeSelectionMoved();
  // The tree's selection moved: the inspector shows the new one.
  void SelectionChanged();
  // The user's work in an in-place form ends (its modification released) before the window does
  // something else: it deactivates, a menu opens, it closes, an undo runs.
  void FinishInplaceEditing();
  void RefreshInspector();
  void ShowCollectionEditor(TCollection* collection, const QString& caption);
  void UpdateTitle();
  bool ConfirmDiscard();
  QString AskFileName(bool save);

  void FileNew();
  void FileOpen();
  bool FileSave();
  bool FileSaveAs();
  void DeleteSelected();

  TDesignSession* FSession;
  bool FHeadless;
  TComponentTree* FTree = nullptr;
  TComponentTreeModel* FTreeModel = nullptr;
  TInspectorView* FInspector = nullptr;
  QTreeWidget* FPalette = nullptr;
  QLineEdit* FPaletteFilter = nullptr;
  QMenu* FAddMenu = nullptr;
  QPointer<TPersistent> FSelected;
  QList<QPointer<TPersistent>> FShownSelection;  // SelectedObjects() as last shown
  bool FUpdating = false;
};
