// The window's side of the object inspector: which objects it shows, and when the user's work in an
// in-place form ends.
#include "EditorCell.h"
#include "PropertyGridView.h"
#include "MainWindow.h"

#include <QStatusBar>

void TMainWindow::SelectionChanged() { RefreshInspector(); }

void TMainWindow::FinishInplaceEditing() {
  if (FInspector) FInspector->FinishInplaceEditing();
}

void TMainWindow::RefreshInspector() {
  const QList<TPersistent*> selection = SelectedObjects();
  // The same selection: only the values moved on, and an open in-place form stays (the user may be
  // typing into it).
  if (selection == FInspector->Model()->Selection()) {
    FInspector->Refresh();
    return;
  }
  FInspector->ShowSelection(selection);
  statusBar()->showMessage(
      FSelected ? QStringLiteral("%1: %2 properties")
                      .arg(QString::fromLatin1(FSelected->metaObject()->className()))
                      .arg(FInspector->Model()->rowCount())
                : QString());
}

TEditorCell* TMainWindow::EditorCellOf(const QString& path) const { return FInspector->CellOf(path); }

bool TMainWindow::SetCurrentRow(const QString& path) { return FInspector->SetCurrentRow(path); }
