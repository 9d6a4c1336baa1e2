#include "DesignerShot.h"

#include "DesignSession.h"
#include "EditorCell.h"
#include "MainWindow.h"
#include "PropertyGridView.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <cstdio>
#include <memory>

namespace {
// Makes a row current, as a click would (its in-place form opens), and pictures the window; a row
// with a list of choices shows it popped up with its first group open.
bool ShootRow(TMainWindow& window, const QString& row, QPixmap& picture) {
  if (!window.SetCurrentRow(row)) {
    std::fprintf(stderr, "velto-designer: no inspector row %s\n", qPrintable(row));
    return false;
  }
  QApplication::processEvents();
  picture = window.grab();
  TEditorCell* cell = window.EditorCellOf(row);
  if (!cell || !cell->DropDown()) return true;
  // The lists are windows of their own: drawn onto the picture where they pop up.
  std::unique_ptr<QMenu> list(cell->CreateDropDown(nullptr));
  const QPoint below = cell->mapToGlobal(QPoint(0, cell->height()));
  const QPoint at = window.mapFromGlobal(below);
  list->popup(below);
  QApplication::processEvents();
  QPainter painter(&picture);
  painter.drawPixmap(at, list->grab());
  if (QAction* first = list->actions().value(0); first && first->menu()) {
    const QRect item = list->actionGeometry(first);
    first->menu()->popup(list->mapToGlobal(item.topRight()));
    QApplication::processEvents();
    painter.drawPixmap(at + item.topRight(), first->menu()->grab());
  }
  return true;
}

// Opens inspector rows, then pictures the window; with `menuRow`, that row's context menu is drawn
// where it pops up.
bool ShootInspector(TMainWindow& window, const QStringList& expand, const QString& menuRow, QPixmap& picture) {
  TInspectorView* inspector = window.Inspector();
  for (const QString& path : expand)
    if (!inspector->ExpandRow(path)) {
      std::fprintf(stderr, "velto-designer: no inspector row %s\n", qPrintable(path));
      return false;
    }
  QApplication::processEvents();
  picture = window.grab();
  if (menuRow.isEmpty()) return true;
  const QModelIndex row = inspector->Model()->Find(menuRow);
  if (!row.isValid()) {
    std::fprintf(stderr, "velto-designer: no inspector row %s\n", qPrintable(menuRow));
    return false;
  }
  inspector->setCurrentIndex(row);
  QApplication::processEvents();
  picture = window.grab();
  std::unique_ptr<QMenu> menu(inspector->CreateContextMenu(row, nullptr));
  const QPoint at = inspector->viewport()->mapTo(&window, inspector->visualRect(row).center());
  menu->popup(window.mapToGlobal(at));
  QApplication::processEvents();
  QPainter(&picture).drawPixmap(at, menu->grab());
  return true;
}

// Opens the dialog of an inspector row as the user's "..." would, and renders it instead of waiting
// for the user.
bool ShootDialog(TMainWindow& window, const QString& property, const QString& file) {
  TEditorCell* cell = window.EditorCellOf(property);
  if (!cell || !cell->Dialog() || file.isEmpty()) {
    std::fprintf(stderr, "velto-designer: no dialog for the row %s, or no --dialog file\n", qPrintable(property));
    return false;
  }
  bool saved = false;
  SetDialogResponder([&](const TDialogRequest& request) {
    TDialogAnswer answer;
    if (request.kind != TDialogRequest::Form || !request.form) return answer;
    request.form->show();
    QApplication::processEvents();
    saved = request.form->grab().save(file);
    request.form->hide();
    return answer;
  });
  cell->Execute();
  SetDialogResponder(nullptr);
  if (!saved) std::fprintf(stderr, "velto-designer: the dialog of %s was not rendered to %s\n", qPrintable(property), qPrintable(file));
  return saved;
}
}  // namespace

int TakeDesignerShot(TMainWindow& window, TDesignSession& session, const TDesignerShot& shot) {
  bool opened = shot.Documents.isEmpty() || window.OpenFile(shot.Documents.first());
  if (shot.Select) {
    TComponent* component = session.Document().FindComponent(*shot.Select);
    if (component) window.Select(component);
    else std::fprintf(stderr, "velto-designer: no component named %s\n", qPrintable(*shot.Select));
    opened = opened && component;
  }
  window.show();
  QApplication::processEvents();
  QPixmap picture = window.grab();
  if ((!shot.Expand.isEmpty() || shot.MenuRow) && !ShootInspector(window, shot.Expand, shot.MenuRow.value_or(QString()), picture))
    opened = false;
  if (shot.Row && !ShootRow(window, *shot.Row, picture)) opened = false;
  if (!picture.save(shot.File)) {
    std::fprintf(stderr, "velto-designer: cannot write %s\n", qPrintable(shot.File));
    return 1;
  }
  if (shot.Execute && !ShootDialog(window, *shot.Execute, shot.DialogFile)) opened = false;
  return opened ? 0 : 2;
}
