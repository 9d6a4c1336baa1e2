#include "PropertyGridView.h"

#include "EditorCell.h"
#include "framework/InplaceForms.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

namespace {
// The inspector's side of an in-place form.
class TInplaceHost final : public IInplaceHost {
public:
  explicit TInplaceHost(QWidget* view) : FView(view) {}
  QColor GetInplaceColor() const override { return FView->palette().color(QPalette::Base); }

private:
  QWidget* FView;
};
}  // namespace

// Rows as high as their line, or their cell's line and form. Typed text is applied once the item
// view is done with its editor: applying may make the rows anew.
class TInspectorView::TDelegate final : public QStyledItemDelegate {
public:
  explicit TDelegate(TInspectorView* view) : QStyledItemDelegate(view), FView(view) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const TEditorCell* cell = FView->CellOf(index.siblingAtColumn(TInspectorModel::ValueColumn));
    size.setHeight(cell ? std::max(FView->FLineHeight, cell->WantedHeight()) : FView->FLineHeight);
    return size;
  }
  // A row with a form below its line: the name stays on the line, beside the value.
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem line = option;
    line.rect.setHeight(std::min(option.rect.height(), FView->FLineHeight));
    QStyledItemDelegate::paint(painter, line, index);
  }
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    const auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return;
    const QPersistentModelIndex row(index);
    const QString text = line->text();
    if (text == index.data(Qt::EditRole).toString()) return;
    QMetaObject::invokeMethod(
        FView, [view = FView, row, text] { view->Guarded([&] { if (row.isValid()) view->FModel->Apply(row, text); }); },
        Qt::QueuedConnection);
  }
  void RowResized(const QModelIndex& index) { emit sizeHintChanged(index); }

private:
  TInspectorView* FView;
};

// The row of an in-place form, as its editor sees it.
class TInspectorView::TRowUpdate final : public IMemberUIUpdate {
public:
  TRowUpdate(TInspectorView* view, TEditorCell* cell) : FView(view), FCell(cell) {}
  // Other rows may show the same value: all follow; the forms stay.
  void MemberChanged() override {
    if (FView) FView->Refresh();
  }
  void MemberStructureChanged() override {
    if (FView) QMetaObject::invokeMethod(FView, &TInspectorView::Refresh, Qt::QueuedConnection);
  }
  void UpdateMember(bool updateInplaceForms) override {
    if (!FCell) return;
    FCell->NoteInplaceFormValue();
    FCell->update();
    if (updateInplaceForms) FCell->Editor()->UpdateInplaceForms();
  }
  void InplaceFormResized() override {
    if (FCell) emit FCell->HeightWanted();
  }

private:
  QPointer<TInspectorView> FView;
  QPointer<TEditorCell> FCell;
};

TInspectorView::TInspectorView(TDesignSession* session, QWidget* parent)
    : QTreeView(parent),
      FModel(new TInspectorModel(session, this)),
      FDelegate(new TDelegate(this)),
      FHost(std::make_unique<TInplaceHost>(this)),
      FLineHeight(fontMetrics().height() + 6) {
  setModel(FModel);
  setItemDelegate(FDelegate);
  setUniformRowHeights(false);
  setAllColumnsShowFocus(true);
  setTabKeyNavigation(true);
  setEditTriggers(EditKeyPressed | AnyKeyPressed | SelectedClicked | DoubleClicked);
  setContextMenuPolicy(Qt::CustomContextMenu);
  header()->setStretchLastSection(true);
  setColumnWidth(TInspectorModel::NameColumn, 200);

  connect(FModel, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
    FResetting = true;
    FExpanded.clear();
    SaveExpanded(QModelIndex());
    FCurrent = FModel->Path(currentIndex());
    DropCells();
  });
  connect(FModel, &QAbstractItemModel::modelReset, this, [this] {
    MakeCells(QModelIndex(), 0, FModel->rowCount() - 1);
    for (const QString& path : std::as_const(FExpanded))
      if (const QModelIndex index = FModel->Find(path); index.isValid()) expand(index);
    FResetting = false;
    if (const QModelIndex current = FModel->Find(FCurrent); current.isValid() && !FCurrent.isEmpty())
      setCurrentIndex(current.siblingAtColumn(TInspectorModel::ValueColumn));
  });
  connect(FModel, &QAbstractItemModel::rowsInserted, this, &TInspectorView::MakeCells);
  connect(FModel, &TInspectorModel::Failed, this, &TInspectorView::Failed);
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid()) return;
    QMenu* menu = CreateContextMenu(index, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(viewport()->mapToGlobal(pos));
  });
}

TInspectorView::~TInspectorView() {
  // The cells' editors belong to the model: the cells go first, their forms finished.
  FinishInplaceEditing();
  FResetting = true;
  DropCells();
}

void TInspectorView::Guarded(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const std::exception& e) {
    emit Failed(QString::fromUtf8(e.what()));
    Refresh();  // the row shows the value again, not the refused text
  }
}

void TInspectorView::ShowSelection(const QList<TPersistent*>& selection) {
  // Asked while a form finishes (its change made the selection move): the rows go once it is done.
  if (FFinishing || FResetting) {
    QList<QPointer<TPersistent>> later(selection.begin(), selection.end());
    QMetaObject::invokeMethod(
        this,
        [this, later] {
          QList<TPersistent*> alive;
          for (const QPointer<TPersistent>& object : later)
            if (object) alive << object;
          ShowSelection(alive);
        },
        Qt::QueuedConnection);
    return;
  }
  FinishInplaceEditing();
  FModel->SetSelection(selection);
}

void TInspectorView::Refresh() {
  // Rows made anew take their cells and forms with them: never while a form may be running the
  // code that led here (its own change, the end of the user's work in it).
  bool formsOpen = false;
  for (const TCellAt& at : std::as_const(FCells)) formsOpen = formsOpen || (at.Cell && at.Cell->InplaceForm());
  if (FResetting || FFinishing || (formsOpen && !FModel->RowsHold())) {
    // Still busy when it runs (a message box of the finishing edit): postponed again, never dropped.
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (FResetting || FFinishing) return Refresh();
          FModel->Refresh();
          UpdateCells();
        },
        Qt::QueuedConnection);
    return;
  }
  FModel->Refresh();
  UpdateCells();
}

void TInspectorView::SaveExpanded(const QModelIndex& parent) {
  for (int row = 0; row < FModel->rowCount(parent); ++row)
    if (const QModelIndex index = FModel->index(row, 0, parent); isExpanded(index)) {
      FExpanded << FModel->Path(index);
      SaveExpanded(index);
    }
}

void TInspectorView::FinishInplaceEditing() {
  if (FFinishing) return;
  FFinishing = true;
  const QList<TCellAt> cells = FCells;
  for (const TCellAt& at : cells)
    if (at.Cell) at.Cell->FinishInplaceForm();
  FFinishing = false;
}

void TInspectorView::MakeCells(const QModelIndex& parent, int first, int last) {
  for (int row = first; row <= last; ++row) {
    const QModelIndex value = FModel->index(row, TInspectorModel::ValueColumn, parent);
    setRowHidden(row, parent, !FModel->IsVisible(value));
    TSinglePropertyEditor* editor = FModel->Editor(value);
    if (!editor) continue;
    auto* inplace = dynamic_cast<IPropertyEditorInplace*>(editor);
    if (!dynamic_cast<IPropertyEditorDialog*>(editor) && !dynamic_cast<IPropertyEditorDraw*>(editor) &&
        !dynamic_cast<IPropertyEditorDropDownCategorizedStringList*>(editor) &&
        !(inplace && inplace->GetInplaceFormController()))
      continue;
    auto* cell = new TEditorCell(editor, FLineHeight);
    cell->SetValueBold(value.data(Qt::FontRole).value<QFont>().bold());
    const QPersistentModelIndex at(value);
    // What the dialog changes, the session's signals show; a cancelled dialog changed nothing.
    connect(cell, &TEditorCell::Failed, this, &TInspectorView::Failed);
    connect(cell, &TEditorCell::HeightWanted, this, [this, at] {
      if (!at.isValid()) return;
      FDelegate->RowResized(at);
      doItemsLayout();
    });
    connect(cell, &TEditorCell::Pressed, this, [this, at] {
      if (at.isValid()) setCurrentIndex(at);
    });
    // Typed text goes the way of every row's text.
    connect(cell, &TEditorCell::TextLineClosed, this, [this] { setFocus(); });
    connect(cell, &TEditorCell::TextEntered, this, [this, at](const QString& text) {
      QMetaObject::invokeMethod(
          this, [this, at, text] { Guarded([&] { if (at.isValid()) FModel->Apply(at, text); }); },
          Qt::QueuedConnection);
    });
    setIndexWidget(value, cell);
    FCells.append({cell, value});
  }
}

void TInspectorView::DropCells() {
  const QList<TCellAt> cells = std::exchange(FCells, {});
  for (const TCellAt& at : cells) delete at.Cell.data();
}

void TInspectorView::UpdateCells() {
  const QList<TCellAt> cells = FCells;
  for (const TCellAt& at : cells) {
    TEditorCell* cell = at.Cell;
    if (!cell) continue;
    cell->SetValueBold(at.Index.data(Qt::FontRole).value<QFont>().bold());
    cell->update();
    const TBasicInplaceForm* form = cell->InplaceForm();
    // A form the user is not working in follows the value when it moved on (an undo, another
    // editor); one that wrote the value itself already shows it.
    if (form && !form->InEditor() && !form->InChange()) {
      try {
        if (cell->Editor()->GetDisplayValues() != cell->InplaceFormText())
          cell->RenewInplaceForm(*FHost, std::make_shared<TRowUpdate>(this, cell));
      } catch (const std::exception& e) {
        emit Failed(QString::fromUtf8(e.what()));
      }
    }
  }
  // Visibility may follow other values.
  std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
    for (int row = 0; row < FModel->rowCount(parent); ++row) {
      const QModelIndex index = FModel->index(row, TInspectorModel::ValueColumn, parent);
      setRowHidden(row, parent, !FModel->IsVisible(index));
      if (isExpanded(index.siblingAtColumn(0))) walk(index.siblingAtColumn(0));
    }
  };
  walk(QModelIndex());
}

TEditorCell* TInspectorView::CellOf(const QModelIndex& index) const {
  return qobject_cast<TEditorCell*>(indexWidget(index.siblingAtColumn(TInspectorModel::ValueColumn)));
}

TEditorCell* TInspectorView::CellOf(const QString& path) {
  const QModelIndex index = FModel->Find(path);
  if (index.isValid()) expand(index.parent());
  return index.isValid() ? CellOf(index) : nullptr;
}

bool TInspectorView::SetCurrentRow(const QString& path) {
  const QModelIndex index = FModel->Find(path);
  if (!index.isValid()) return false;
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) expand(parent);
  setCurrentIndex(index.siblingAtColumn(TInspectorModel::ValueColumn));
  return true;
}

bool TInspectorView::ExpandRow(const QString& path) {
  const QModelIndex index = FModel->Find(path);
  for (QModelIndex row = index; row.isValid(); row = row.parent()) expand(row);
  return index.isValid();
}

void TInspectorView::OpenForm(const QModelIndex& index) {
  TEditorCell* cell = CellOf(index);
  if (cell && cell->InplaceController()) cell->OpenInplaceForm(*FHost, std::make_shared<TRowUpdate>(this, cell));
}

void TInspectorView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (current.siblingAtColumn(0) == previous.siblingAtColumn(0)) return;
  // The user's work ends first, while refreshes wait: the value it writes must not take the cell
  // away from under its own close.
  FinishInplaceEditing();
  if (TEditorCell* cell = previous.isValid() ? CellOf(previous) : nullptr) cell->CloseInplaceForm();
  if (current.isValid() && !FResetting) OpenForm(current);
}

void TInspectorView::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool open = (enter && event->modifiers() & Qt::ControlModifier) ||
                    (event->key() == Qt::Key_Down && event->modifiers() & Qt::AltModifier);
  if (TEditorCell* cell = open && currentIndex().isValid() ? CellOf(currentIndex()) : nullptr) {
    if (cell->Dialog())
      QMetaObject::invokeMethod(cell, &TEditorCell::Execute, Qt::QueuedConnection);
    else if (cell->DropDown())
      cell->ShowDropDown();
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

QModelIndex TInspectorView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  // Tab goes from row to row, not from the name to the value.
  if (cursorAction == MoveNext) cursorAction = MoveDown;
  if (cursorAction == MovePrevious) cursorAction = MoveUp;
  const QModelIndex index = QTreeView::moveCursor(cursorAction, modifiers);
  return index.isValid() ? index.siblingAtColumn(TInspectorModel::ValueColumn) : index;
}

bool TInspectorView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // The row's text is edited wherever in the row the user is.
  const QModelIndex value = index.isValid() ? index.siblingAtColumn(TInspectorModel::ValueColumn) : index;
  TEditorCell* cell = value.isValid() ? CellOf(value) : nullptr;
  if (!cell) return QTreeView::edit(value, trigger, event);
  // Over an editor cell the item view would only focus the cell: the cell opens a line itself.
  if ((trigger != EditKeyPressed && trigger != AnyKeyPressed) || !FModel->IsEditable(value)) return false;
  cell->EditText(FModel->Text(value), trigger == AnyKeyPressed ? event : nullptr);
  return true;
}

QMenu* TInspectorView::CreateContextMenu(const QModelIndex& index, QWidget* parent) {
  auto* menu = new QMenu(parent);
  connect(menu, &QMenu::aboutToShow, this, &TInspectorView::FinishInplaceEditing);
  const QPersistentModelIndex row(index);
  QAction* reset = menu->addAction(QStringLiteral("Reset to Default"), this, [this, row] {
    Guarded([&] {
      if (row.isValid()) FModel->ResetToDefault(row);
    });
  });
  reset->setEnabled(FModel->CanReset(index));
  return menu;
}
