#include "MainWindow.h"

#include "CollectionCommands.h"
#include "CollectionEditor.h"
#include "DocumentStreamer.h"
#include "EditorCell.h"
#include "Palette.h"
#include "framework/PropertyEditors.h"
#include "framework/Registration.h"
#include "toolkit/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

namespace {
// The inspector's side of an in-place form: the row that shows it.
class TInplaceHost final : public IInplaceHost {
public:
  explicit TInplaceHost(QWidget* inspector) : FInspector(inspector) {}
  QColor GetInplaceColor() const override { return FInspector->palette().color(QPalette::Base); }

private:
  QWidget* FInspector;
};
}  // namespace

class TMainWindow::TInspectorRowUpdate final : public IMemberUIUpdate {
public:
  TInspectorRowUpdate(TMainWindow* window, TEditorCell* cell) : FWindow(window), FCell(cell) {}
  // The other rows may show the same value (a sub-object's text): all follow, forms stay.
  void MemberChanged() override {
    if (FWindow) FWindow->RefreshValues(false);
  }
  void MemberStructureChanged() override {
    if (FWindow) QMetaObject::invokeMethod(FWindow, &TMainWindow::RefreshInspector, Qt::QueuedConnection);
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
  QPointer<TMainWindow> FWindow;
  QPointer<TEditorCell> FCell;
};

namespace {
const QString kFilter = QStringLiteral("Design documents (*.vdoc)|*.vdoc|All files (*)|*");

QString ErrorText(const std::exception& e) { return QString::fromUtf8(e.what()); }

QString ClassName(const QObject* object) { return QString::fromLatin1(object->metaObject()->className()); }
QString ClassName(TClass cls) { return QString::fromLatin1(cls->className()); }
}  // namespace

TMainWindow::TMainWindow(TDesignSession* session, bool headless, QWidget* parent)
    : QMainWindow(parent), FSession(session), FHeadless(headless) {
  FTree = new QTreeWidget;
  FTree->setHeaderLabels({QStringLiteral("Component"), QStringLiteral("Class")});
  FTree->setContextMenuPolicy(Qt::CustomContextMenu);
  FTree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  FTree->setSelectionMode(QAbstractItemView::ExtendedSelection);

  FPalette = new QTreeWidget;
  FPalette->setHeaderHidden(true);
  FPalette->setToolTip(QStringLiteral("Double-click a class to add a component"));
  FPaletteFilter = new QLineEdit;
  FPaletteFilter->setPlaceholderText(QStringLiteral("Filter"));
  FPaletteFilter->setClearButtonEnabled(true);

  FInspector = new QTableWidget(0, 2);
  FInspector->setHorizontalHeaderLabels({QStringLiteral("Property"), QStringLiteral("Value")});
  FInspector->horizontalHeader()->setStretchLastSection(true);
  FInspector->verticalHeader()->hide();
  FInspector->verticalHeader()->setDefaultSectionSize(FInspector->fontMetrics().height() + 6);
  FInspector->setColumnWidth(0, 200);
  FInplaceHost = std::make_unique<TInplaceHost>(FInspector);

  auto* palettePane = new QWidget;
  auto* paletteLayout = new QVBoxLayout(palettePane);
  paletteLayout->setContentsMargins(0, 0, 0, 0);
  paletteLayout->setSpacing(2);
  paletteLayout->addWidget(new QLabel(QStringLiteral("Palette")));
  paletteLayout->addWidget(FPaletteFilter);
  paletteLayout->addWidget(FPalette);

  auto* left = new QSplitter(Qt::Vertical);
  left->addWidget(FTree);
  left->addWidget(palettePane);
  left->setStretchFactor(0, 3);
  left->setStretchFactor(1, 1);
  auto* main = new QSplitter(Qt::Horizontal);
  main->addWidget(left);
  main->addWidget(FInspector);
  main->setStretchFactor(0, 1);
  main->setStretchFactor(1, 1);
  setCentralWidget(main);

  BuildMenus();
  RefreshPalette();

  connect(FTree, &QTreeWidget::currentItemChanged, this, &TMainWindow::SelectionChanged);
  connect(FTree, &QTreeWidget::itemSelectionChanged, this, &TMainWindow::SelectionChanged);
  connect(FTree, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QTreeWidgetItem* item = FTree->itemAt(pos);
    TPersistent* object = item ? FTreeObjects.value(item).data() : nullptr;
    if (!object) return;
    FTree->setCurrentItem(item);
    QMenu* menu = CreateContextMenu(object, this);
    if (menu->isEmpty()) {
      delete menu;
      return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(FTree->viewport()->mapToGlobal(pos));
  });
  connect(FPalette, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    auto cls = reinterpret_cast<TClass>(item->data(0, Qt::UserRole).value<quintptr>());
    if (cls) AddComponent(cls);
  });
  connect(FPaletteFilter, &QLineEdit::textChanged, this, &TMainWindow::RefreshPalette);
  connect(FTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (auto* component = qobject_cast<TComponent*>(FTreeObjects.value(item).data())) RunDefaultCommand(component);
  });
  // Expansion is the user's: remembered per object across rebuilds.
  connect(FTree, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    if (!FUpdating) FCollapsed.insert(FTreeObjects.value(item).data());
  });
  connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (FUpdating) return;
    TPersistent* object = FTreeObjects.value(item).data();
    FCollapsed.remove(object);
    // A node below the depth built at once gets its children now, and keeps them across rebuilds.
    if (FUnbuilt.remove(item) && object) {
      FOpened.insert(object, object);
      FUpdating = true;
      BuildTree(item, object, kTreeDepth);
      FUpdating = false;
    }
  });
  connect(FInspector, &QTableWidget::itemChanged, this, &TMainWindow::InspectorEdited);
  connect(FSession, &TDesignSession::StructureChanged, this, [this] {
    RefreshTree();
    RefreshInspector();
  });
  connect(FSession, &TDesignSession::ObjectChanged, this, [this] {
    RefreshTree();
    RefreshInspector();
  });
  connect(FSession, &TDesignSession::ErrorOccurred, this, &TMainWindow::ReportError);
  connect(FSession, &TDesignSession::CollectionEditorRequested, this, &TMainWindow::ShowCollectionEditor);
  connect(FInspector, &QTableWidget::currentCellChanged, this,
          [this](int row, int, int previous, int) { CurrentRowChanged(row, previous); });
  connect(&FSession->UndoStack(), &QUndoStack::cleanChanged, this, &TMainWindow::UpdateTitle);

  resize(1000, 650);
  RefreshTree();
  UpdateTitle();
}

void TMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&New"), QKeySequence::New, this, &TMainWindow::FileNew);
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &TMainWindow::FileOpen);
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &TMainWindow::FileSave);
  file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, &TMainWindow::FileSaveAs);
  file->addSeparator();
  file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  // An undo while the user works in an in-place form ends that work first: it is the step undone.
  QUndoStack& stack = FSession->UndoStack();
  const auto addStep = [&](const QString& caption, QKeySequence::StandardKey key, void (QUndoStack::*run)(),
                           void (QUndoStack::*can)(bool), void (QUndoStack::*text)(const QString&), bool enabled) {
    QAction* action = edit->addAction(caption, this, [this, &stack, run] {
      FinishInplaceEditing();
      (stack.*run)();
    });
    action->setShortcut(key);
    action->setEnabled(enabled);
    connect(&stack, can, action, &QAction::setEnabled);
    connect(&stack, text, action, [action, caption](const QString& step) {
      action->setText(step.isEmpty() ? caption : caption + QLatin1Char(' ') + step);
    });
  };
  addStep(QStringLiteral("&Undo"), QKeySequence::Undo, &QUndoStack::undo, &QUndoStack::canUndoChanged,
          &QUndoStack::undoTextChanged, stack.canUndo());
  addStep(QStringLiteral("&Redo"), QKeySequence::Redo, &QUndoStack::redo, &QUndoStack::canRedoChanged,
          &QUndoStack::redoTextChanged, stack.canRedo());
  edit->addSeparator();
  QAction* del = edit->addAction(QStringLiteral("&Delete Component"), this, &TMainWindow::DeleteSelected);
  del->setShortcut(QKeySequence::Delete);
  del->setShortcutContext(Qt::WidgetShortcut);
  FTree->addAction(del);

  FAddMenu = menuBar()->addMenu(QStringLiteral("&Component"));
  for (QMenu* menu : {file, edit, FAddMenu}) connect(menu, &QMenu::aboutToShow, this, &TMainWindow::FinishInplaceEditing);
}

void TMainWindow::AddComponent(TClass cls) {
  try {
    Select(FSession->AddComponent(cls));
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
  }
}

void TMainWindow::RefreshPalette() {
  FPalette->clear();
  QHash<QString, QTreeWidgetItem*> pages;
  for (const TPaletteEntry& entry : PaletteEntries(FPaletteFilter->text())) {
    QTreeWidgetItem*& page = pages[entry.Page];
    if (!page) {
      page = new QTreeWidgetItem(FPalette, {entry.Page});
      page->setFlags(Qt::ItemIsEnabled);
      page->setExpanded(true);
    }
    auto* item = new QTreeWidgetItem(page, {entry.Name});
    item->setToolTip(0, QString::fromLatin1(entry.Class->className()));
    item->setData(0, Qt::UserRole, QVariant::fromValue(quintptr(entry.Class)));
  }
  if (!FPaletteFilter->text().isEmpty()) return;  // the menu always lists every class
  FAddMenu->clear();
  QHash<QString, QMenu*> menus;
  for (const TPaletteEntry& entry : PaletteEntries()) {
    QMenu*& page = menus[entry.Page];
    if (!page) page = FAddMenu->addMenu(entry.Page);
    page->addAction(entry.Name, this, [this, cls = entry.Class] { AddComponent(cls); });
  }
  if (FAddMenu->isEmpty())
    FAddMenu->addAction(QStringLiteral("(no packages registered components)"))->setEnabled(false);
}

void TMainWindow::RefreshTree() {
  QPointer<TPersistent> keep = FSelected;
  QList<QPointer<TPersistent>> others;
  for (QTreeWidgetItem* item : FTree->selectedItems())
    if (FTreeObjects.value(item) != keep) others << FTreeObjects.value(item);
  ++FTreeRebuilds;
  FUpdating = true;
  ClearTree();
  TDesignDocument& doc = FSession->Document();
  QTreeWidgetItem* current = nullptr;
  for (int i = 0; i < doc.GetCount(); ++i) {
    TComponent* component = doc.GetComponent(i);
    auto* item = new QTreeWidgetItem(FTree, {component->GetName(), ClassName(component)});
    FTreeObjects.insert(item, component);
    BuildTree(item, component, 0);
  }
  for (auto it = FTreeObjects.begin(); it != FTreeObjects.end(); ++it)
    if (keep && it.value() == keep) current = it.key();
  // The selection survives a rebuild when its objects do; otherwise the inspector empties.
  FTree->setCurrentItem(current);
  for (auto it = FTreeObjects.begin(); it != FTreeObjects.end(); ++it)
    if (others.contains(it.value())) it.key()->setSelected(true);
  FUpdating = false;
  FSelected = current ? keep : nullptr;
  FShownSelection.clear();
}

// The nodes below an object's: a collection's items, or the collections an object owns.
void TMainWindow::AddTreeNodes(QTreeWidgetItem* parent, TPersistent* object, std::vector<TTreeNode>& added) {
  if (auto* collection = qobject_cast<TCollection*>(object)) {
    int index = 0;
    for (TCollectionItem* item : *collection) {
      auto* child = new QTreeWidgetItem(
          parent, {QStringLiteral("%1 - %2").arg(index++).arg(item->GetDisplayName()), ClassName(item)});
      FTreeObjects.insert(child, item);
      added.push_back({child, item});
    }
    return;
  }
  for (const QMetaProperty& property : Reflection::PublishedProperties(object->metaObject())) {
    if (Reflection::KindOf(object, property) != TPropertyKind::Collection) continue;
    auto* collection = static_cast<TCollection*>(Reflection::SubObject(object, property));
    auto* node = new QTreeWidgetItem(parent, {QString::fromLatin1(property.name()), ClassName(collection)});
    FTreeObjects.insert(node, collection);
    added.push_back({node, collection});
  }
}

void TMainWindow::CollectRows(TPersistent* object, const QString& prefix, std::vector<TInspectorRow>& rows) const {
  for (const QMetaProperty& property : Reflection::PublishedProperties(object->metaObject())) {
    const QString name = prefix + QString::fromLatin1(property.name());
    rows.push_back({object, property, prefix.isEmpty(), name});
    if (Reflection::KindOf(object, property) == TPropertyKind::Object)
      CollectRows(Reflection::SubObject(object, property), name + QLatin1Char('.'), rows);
  }
}

bool TMainWindow::HasTreeNodes(TPersistent* object) {
  if (auto* collection = qobject_cast<TCollection*>(object)) return collection->GetCount() > 0;
  for (const QMetaProperty& property : Reflection::PublishedProperties(object->metaObject()))
    if (Reflection::KindOf(object, property) == TPropertyKind::Collection) return true;
  return false;
}

// Element trees nest as deep as the JSON they came from. The tree shows kTreeDepth levels below
// each node built at once; a node deeper down shows that it can be opened and gets its children
// when it is. The walk keeps its own stack, and every node is expanded as the user left it.
void TMainWindow::BuildTree(QTreeWidgetItem* top, TPersistent* object, int depth) {
  struct TPending {
    QTreeWidgetItem* item;
    TPersistent* object;
    int depth;
  };
  std::vector<TPending> pending{{top, object, depth}};
  std::vector<TTreeNode> added;
  while (!pending.empty()) {
    const TPending node = pending.back();
    pending.pop_back();
    if (node.depth >= kTreeDepth && FOpened.value(node.object) != node.object) {
      if (HasTreeNodes(node.object)) {
        node.item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        FUnbuilt.insert(node.item);
      }
      continue;
    }
    added.clear();
    AddTreeNodes(node.item, node.object, added);
    node.item->setExpanded(!FCollapsed.contains(node.object));
    // An opened node starts a new stretch of levels.
    const int childDepth = (node.depth >= kTreeDepth ? 0 : node.depth) + 1;
    for (auto it = added.rbegin(); it != added.rend(); ++it) pending.push_back({it->item, it->object, childDepth});
  }
}

// QTreeWidget deletes an item's children from the item's destructor, once per level. The items
// are taken out of the view first, then deleted leaves first, each then the first child of its
// parent (so that finding it there is one step).
void TMainWindow::ClearTree() {
  FTreeObjects.clear();
  FUnbuilt.clear();
  const QList<QTreeWidgetItem*> top = FTree->invisibleRootItem()->takeChildren();
  std::vector<QTreeWidgetItem*> stack;
  for (QTreeWidgetItem* item : top) {
    stack.push_back(item);
    while (!stack.empty()) {
      QTreeWidgetItem* last = stack.back();
      if (last->childCount() > 0) {
        stack.push_back(last->child(0));
      } else {
        stack.pop_back();
        delete last;
      }
    }
  }
}

TMainWindow::~TMainWindow() {
  // What the user typed is written while the window is whole; then nothing it says reaches it.
  FinishInplaceEditing();
  disconnect(FSession, nullptr, this, nullptr);
  disconnect(&FSession->UndoStack(), nullptr, this, nullptr);
  FUpdating = true;  // no selection signals while the items go
  ClearTree();
  // The cells' editors and forms go while the window is still whole.
  FInspector->setRowCount(0);
}

void TMainWindow::SelectionChanged() {
  // Moving the current item and changing the selection often come together: show them once.
  if (FUpdating) return;
  QTreeWidgetItem* current = FTree->currentItem();
  FSelected = current ? FTreeObjects.value(current) : nullptr;
  const QList<QTreeWidgetItem*> shown = QList<QTreeWidgetItem*>{current} + FTree->selectedItems();
  if (shown == FShownSelection) return;
  FShownSelection = shown;
  FinishInplaceEditing();
  RefreshInspector();
}

QList<TPersistent*> TMainWindow::SelectedObjects() const {
  QList<TPersistent*> objects;
  if (FSelected) objects << FSelected;
  for (QTreeWidgetItem* item : FTree->selectedItems())
    if (TPersistent* object = FTreeObjects.value(item); object && !objects.contains(object)) objects << object;
  return objects;
}

void TMainWindow::FinishInplaceEditing() {
  for (int row = 0; row < FInspector->rowCount(); ++row)
    if (auto* cell = qobject_cast<TEditorCell*>(FInspector->cellWidget(row, 1))) cell->FinishInplaceForm();
}

void TMainWindow::RefreshInspector() {
  std::vector<TInspectorRow> rows;
  if (FSelected) CollectRows(FSelected, QString(), rows);
  QList<QPointer<TPersistent>> selection;
  for (QTreeWidgetItem* item : FTree->selectedItems()) selection << FTreeObjects.value(item);
  const auto same = [](const TInspectorRow& a, const TInspectorRow& b) {
    return a.Object == b.Object && a.Name == b.Name;
  };
  // The same rows of the same selection: only the values moved on, and the cells, their editors
  // and an open in-place form stay (the form may be the one being typed into).
  if (!rows.empty() && selection == FRowsSelection &&
      std::equal(rows.begin(), rows.end(), FRows.begin(), FRows.end(), same)) {
    RefreshValues(true);
    return;
  }
  FUpdating = true;
  FInspector->setRowCount(0);
  FRows = std::move(rows);
  FRowsSelection = selection;
  for (size_t row = 0; row < FRows.size(); ++row) AddInspectorRow(int(row));
  FUpdating = false;
  statusBar()->showMessage(FSelected ? QStringLiteral("%1: %2").arg(ClassName(FSelected)).arg(FRows.size()) +
                                           QStringLiteral(" properties")
                                     : QString());
}

void TMainWindow::AddInspectorRow(int row) {
  const TInspectorRow& entry = FRows[size_t(row)];
  const TPropertyKind kind = Reflection::KindOf(entry.Object, entry.Property);
  FInspector->insertRow(row);
  auto* label = new QTableWidgetItem(entry.Name);
  label->setFlags(Qt::ItemIsEnabled);
  FInspector->setItem(row, 0, label);
  FInspector->setItem(row, 1, CreateValueCell(entry.Object, entry.Property, kind, entry.TopLevel));
  if (TEditorCell* cell = CreateEditorCell(entry.Object, entry.Property, kind, entry.TopLevel)) {
    FInspector->setCellWidget(row, 1, cell);
    FInspector->setRowHidden(row, !cell->Editor()->GetIsVisible());
  }
}

void TMainWindow::RefreshValues(bool reopenForms) {
  const bool updating = std::exchange(FUpdating, true);
  for (int row = 0; row < int(FRows.size()); ++row) {
    const TInspectorRow& entry = FRows[size_t(row)];
    if (!entry.Object) continue;
    const TPropertyKind kind = Reflection::KindOf(entry.Object, entry.Property);
    std::unique_ptr<QTableWidgetItem> fresh(CreateValueCell(entry.Object, entry.Property, kind, entry.TopLevel));
    if (QTableWidgetItem* shown = FInspector->item(row, 1); shown && shown->text() != fresh->text())
      shown->setText(fresh->text());
    auto* cell = qobject_cast<TEditorCell*>(FInspector->cellWidget(row, 1));
    if (!cell) continue;
    try {
      FInspector->setRowHidden(row, !cell->Editor()->GetIsVisible());
      // A form the user is not working in follows the value when it moved on (an undo, another
      // editor); one that wrote the value itself already shows it.
      const TBasicInplaceForm* form = cell->InplaceForm();
      if (reopenForms && form && !form->InEditor() && !form->InChange() &&
          cell->Editor()->GetDisplayValues() != cell->InplaceFormText())
        cell->RenewInplaceForm(*FInplaceHost, std::make_shared<TInspectorRowUpdate>(this, cell));
    } catch (const std::exception& e) {
      ReportError(ErrorText(e));
    }
    cell->update();
  }
  FUpdating = updating;
}

QList<QObject*> TMainWindow::Instances(TPersistent* object, const QMetaProperty& property, bool topLevel) const {
  QList<QObject*> instances{object};
  if (!topLevel) return instances;
  // The other selected objects that carry the property too, after the first selected.
  for (TPersistent* other : SelectedObjects())
    if (other != object && other->metaObject()->indexOfProperty(property.name()) >= 0) instances << other;
  return instances;
}

TEditorCell* TMainWindow::CreateEditorCell(TPersistent* object, const QMetaProperty& property, TPropertyKind kind,
                                           bool topLevel) {
  const TClass registered = TDesignRegistry::Instance().FindPropertyEditor(property.metaType(), object->metaObject(),
                                                                          QString::fromLatin1(property.name()));
  // Collections always have the designer's collection editor; other rows only what is registered.
  if (!registered && kind != TPropertyKind::Collection) return nullptr;
  try {
    std::unique_ptr<TSinglePropertyEditor> editor =
        TSinglePropertyEditor::CreateFor(FSession, Instances(object, property, topLevel), property.name());
    auto* inplace = dynamic_cast<IPropertyEditorInplace*>(editor.get());
    if (!dynamic_cast<IPropertyEditorDialog*>(editor.get()) && !dynamic_cast<IPropertyEditorDraw*>(editor.get()) &&
        !dynamic_cast<IPropertyEditorDropDownCategorizedStringList*>(editor.get()) &&
        !(inplace && inplace->GetInplaceFormController()))
      return nullptr;
    auto* cell = new TEditorCell(std::move(editor), FInspector->verticalHeader()->defaultSectionSize());
    // What the dialog changes, the session's signals show; a cancelled dialog changed nothing.
    connect(cell, &TEditorCell::Failed, this, &TMainWindow::ReportError);
    connect(cell, &TEditorCell::HeightWanted, this, [this, cell] {
      if (const int row = RowOf(cell); row >= 0) FInspector->setRowHeight(row, cell->WantedHeight());
    });
    connect(cell, &TEditorCell::Pressed, this, [this, cell] {
      if (const int row = RowOf(cell); row >= 0) FInspector->setCurrentCell(row, 1);
    });
    return cell;
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
    return nullptr;
  }
}

int TMainWindow::RowOf(const TEditorCell* cell) const {
  for (int row = 0; row < FInspector->rowCount(); ++row)
    if (FInspector->cellWidget(row, 1) == cell) return row;
  return -1;
}

TEditorCell* TMainWindow::EditorCellOf(const QString& name) const {
  for (int row = 0; row < int(FRows.size()); ++row)
    if (FRows[size_t(row)].Name == name) return qobject_cast<TEditorCell*>(FInspector->cellWidget(row, 1));
  return nullptr;
}

bool TMainWindow::SetCurrentRow(const QString& name) {
  for (int row = 0; row < int(FRows.size()); ++row)
    if (FRows[size_t(row)].Name == name) {
      FInspector->setCurrentCell(row, 1);
      return true;
    }
  return false;
}

void TMainWindow::OpenInplaceForm(int row) {
  auto* cell = qobject_cast<TEditorCell*>(FInspector->cellWidget(row, 1));
  if (!cell || !cell->InplaceController()) return;
  cell->OpenInplaceForm(*FInplaceHost, std::make_shared<TInspectorRowUpdate>(this, cell));
}

void TMainWindow::CurrentRowChanged(int row, int previous) {
  if (row == previous) return;
  if (auto* cell = qobject_cast<TEditorCell*>(FInspector->cellWidget(previous, 1))) cell->CloseInplaceForm();
  if (row >= 0) OpenInplaceForm(row);
}

void TMainWindow::ShowCollectionEditor(TCollection* collection, const QString& caption) {
  for (auto* open : findChildren<TCollectionEditor*>())
    if (open->Collection() == collection) {
      open->raise();
      open->activateWindow();
      return;
    }
  auto* editor = new TCollectionEditor(FSession, collection, caption, this);
  connect(editor, &TCollectionEditor::ItemChosen, this, [this](TCollectionItem* item) { Select(item); });
  connect(editor, &TCollectionEditor::Failed, this, &TMainWindow::ReportError);
  editor->show();
}

std::unique_ptr<TSinglePropertyEditor> TMainWindow::TextEditor(TPersistent* object, const QMetaProperty& property,
                                                               bool topLevel) {
  if (!TDesignRegistry::Instance().FindPropertyEditor(property.metaType(), object->metaObject(),
                                                      QString::fromLatin1(property.name())))
    return nullptr;
  return TSinglePropertyEditor::CreateFor(FSession, Instances(object, property, topLevel), property.name());
}

// The text cell of a property; rows whose registered editor paints or opens a dialog put an editor
// cell over it. With several objects selected, a value they do not share shows empty.
QTableWidgetItem* TMainWindow::CreateValueCell(TPersistent* object, const QMetaProperty& property, TPropertyKind kind,
                                               bool topLevel) {
  QString text;
  if (kind == TPropertyKind::Collection)
    text = QStringLiteral("(%1 items)")
               .arg(static_cast<TCollection*>(Reflection::SubObject(object, property))->GetCount());
  else if (kind == TPropertyKind::Object)
    text = QStringLiteral("(%1)").arg(ClassName(Reflection::SubObject(object, property)));
  else if (std::unique_ptr<TSinglePropertyEditor> editor = TextEditor(object, property, topLevel))
    text = editor->GetDisplayValues();
  else
    for (QObject* instance : Instances(object, property, topLevel)) {
      const QMetaObject* meta = instance->metaObject();
      const QString each = DocumentStreamer::PropertyText(instance, meta->property(meta->indexOfProperty(property.name())));
      if (instance != object && each != text) {
        text.clear();
        break;
      }
      text = each;
    }
  auto* cell = new QTableWidgetItem(text);
  const bool editable = property.isWritable() && kind == TPropertyKind::Value;
  cell->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::ItemIsEnabled);
  cell->setToolTip(QString::fromLatin1(property.metaType().name()));
  return cell;
}

void TMainWindow::InspectorEdited(QTableWidgetItem* cell) {
  if (FUpdating || cell->column() != 1 || cell->row() >= int(FRows.size())) return;
  const TInspectorRow row = FRows[size_t(cell->row())];
  if (!row.Object) return;
  const QString text = cell->text();
  // Applying the edit rebuilds the inspector; let the item view finish with this cell first.
  QMetaObject::invokeMethod(
      this,
      [this, row, text] {
        if (!row.Object) return;
        try {
          // A registered editor takes the text itself; otherwise every selected object gets it,
          // under scopes held together so that it is one undo step. The session's signal refreshes.
          if (std::unique_ptr<TSinglePropertyEditor> editor = TextEditor(row.Object, row.Property, row.TopLevel)) {
            editor->SetStringValue(text);
          } else {
            const QList<QObject*> instances = Instances(row.Object, row.Property, row.TopLevel);
            std::vector<std::shared_ptr<IModification>> scopes;
            for (QObject* instance : instances) scopes.push_back(FSession->BeginModify(static_cast<TPersistent*>(instance)));
            for (QObject* instance : instances) {
              const QMetaObject* meta = instance->metaObject();
              FSession->SetProperty(static_cast<TPersistent*>(instance), meta->property(meta->indexOfProperty(row.Property.name())),
                                    text);
            }
          }
        } catch (const std::exception& e) {
          ReportError(ErrorText(e));
          RefreshInspector();  // the cell shows the value again, not the refused text
        }
      },
      Qt::QueuedConnection);
}

QMenu* TMainWindow::CreateContextMenu(TPersistent* object, QWidget* parent) {
  auto* menu = new QMenu(parent);
  connect(menu, &QMenu::aboutToShow, this, &TMainWindow::FinishInplaceEditing);
  auto* component = qobject_cast<TComponent*>(object);
  if (component && FSession->Document().IndexOf(component) >= 0) {
    try {
      if (std::unique_ptr<TComponentEditor> editor = TComponentEditor::CreateFor(component, FSession)) {
        auto items = std::make_shared<TComponentEditorMenuItems>();
        editor->GetMenuItems(*items);
        // The commands may call back into their editor, so it lives as long as the menu.
        editor.release()->setParent(menu);
        for (int i = 0; i < items->GetCount(); ++i) {
          IComponentEditorMenuItem item = items->GetItem(i);
          menu->addAction(item->GetCaption(), this, [this, item] {
            try {
              item->Execute();  // what it changed, the session's signals show
            } catch (const std::exception& e) {
              ReportError(ErrorText(e));
            }
          });
        }
        if (items->GetCount() > 0) menu->addSeparator();
      }
    } catch (const std::exception& e) {
      ReportError(ErrorText(e));
    }
    menu->addAction(QStringLiteral("Delete"), this, [this, component] { FSession->DeleteComponent(component); });
  }
  AddCollectionCommands(menu, object);
  return menu;
}

void TMainWindow::AddCollectionCommands(QMenu* menu, TPersistent* object) {
  auto* collection = qobject_cast<TCollection*>(object);
  auto* item = qobject_cast<TCollectionItem*>(object);
  if (item) collection = item->GetCollection();
  if (!collection || !FSession->Document().RootOf(collection)) return;
  // Each command is one undo step; what it raises is reported.
  const auto change = [this](std::function<void()> operation) {
    try {
      operation();
    } catch (const std::exception& e) {
      ReportError(ErrorText(e));
    }
  };
  TDesignSession& session = *FSession;
  if (!item) {
    QMenu* add = menu->addMenu(QStringLiteral("Add"));
    for (TClass cls : MakeableClasses(collection->GetItemClass()))
      add->addAction(ReadableClassName(ClassName(cls)), this, [=, &session] {
        change([&] { CollectionCommands::AddItem(session, collection, cls); });
      });
    add->setEnabled(!add->isEmpty());
    return;
  }
  const int index = item->GetIndex(), count = collection->GetCount();
  menu->addAction(QStringLiteral("Move Up"), this, [=, &session] {
        change([&] { CollectionCommands::MoveItem(session, collection, index, index - 1); });
      })->setEnabled(index > 0);
  menu->addAction(QStringLiteral("Move Down"), this, [=, &session] {
        change([&] { CollectionCommands::MoveItem(session, collection, index, index + 1); });
      })->setEnabled(index + 1 < count);
  menu->addAction(QStringLiteral("Delete Item"), this, [=, &session] {
    change([&] { CollectionCommands::DeleteItem(session, collection, index); });
  });
}

void TMainWindow::RunDefaultCommand(TComponent* component) {
  try {
    if (std::unique_ptr<TComponentEditor> editor = TComponentEditor::CreateFor(component, FSession)) editor->Execute();
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
  }
}

void TMainWindow::Select(TPersistent* object) {
  for (auto it = FTreeObjects.begin(); it != FTreeObjects.end(); ++it)
    if (it.value() == object) {
      FTree->setCurrentItem(it.key());
      return;
    }
}

TPersistent* TMainWindow::Selected() const { return FSelected; }

void TMainWindow::ReportError(const QString& message) {
  if (FHeadless) {
    std::fprintf(stderr, "velto-designer: %s\n", qPrintable(message));
    return;
  }
  MessageDlg(message, mtError, MsgButtons({mbOK}), 0);
}

void TMainWindow::UpdateTitle() {
  const QString file =
      FSession->FileName().isEmpty() ? QStringLiteral("Untitled") : QFileInfo(FSession->FileName()).fileName();
  setWindowTitle(QStringLiteral("%1[*] - Velto Designer").arg(file));
  setWindowModified(FSession->IsModified());
}

bool TMainWindow::OpenFile(const QString& fileName) {
  try {
    FSession->Open(fileName);
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
    return false;
  }
  if (FSession->Document().GetCount() > 0) Select(FSession->Document().GetComponent(0));
  UpdateTitle();
  return true;
}

bool TMainWindow::SaveFile(const QString& fileName) {
  try {
    FSession->Save(fileName);
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
    return false;
  }
  UpdateTitle();
  return true;
}

QString TMainWindow::AskFileName(bool save) {
  TDialogRequest request;
  request.kind = save ? TDialogRequest::SaveFile : TDialogRequest::OpenFile;
  request.text = save ? QStringLiteral("Save Design") : QStringLiteral("Open Design");
  request.filter = kFilter;
  request.defaultExt = QStringLiteral("vdoc");
  request.fileName = FSession->FileName();
  if (HasDialogResponder()) {
    const TDialogAnswer answer = AskDialogResponder(request);
    return answer.modalResult == mrOk ? answer.fileName : QString();
  }
  const QString qtFilter = QStringLiteral("Design documents (*.vdoc);;All files (*)");
  if (!save) return QFileDialog::getOpenFileName(this, request.text, request.fileName, qtFilter);
  QString name = QFileDialog::getSaveFileName(this, request.text, request.fileName, qtFilter);
  if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".vdoc");
  return name;
}

bool TMainWindow::ConfirmDiscard() {
  if (!FSession->IsModified()) return true;
  switch (MessageDlg(QStringLiteral("Save changes to the design?"), mtConfirmation, MsgButtons({mbYes, mbNo, mbCancel}),
                     0)) {
    case mrYes:
      return FileSave();
    case mrNo:
      return true;
    default:
      return false;
  }
}

void TMainWindow::FileNew() {
  if (!ConfirmDiscard()) return;
  FSession->New();
  UpdateTitle();
}

void TMainWindow::FileOpen() {
  if (!ConfirmDiscard()) return;
  const QString name = AskFileName(false);
  if (!name.isEmpty()) OpenFile(name);
}

bool TMainWindow::FileSave() {
  if (FSession->FileName().isEmpty()) return FileSaveAs();
  return SaveFile(FSession->FileName());
}

bool TMainWindow::FileSaveAs() {
  const QString name = AskFileName(true);
  return !name.isEmpty() && SaveFile(name);
}

void TMainWindow::DeleteSelected() {
  TPersistent* object = FSelected;
  if (auto* component = qobject_cast<TComponent*>(object)) FSession->DeleteComponent(component);
}

void TMainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) FinishInplaceEditing();
  QMainWindow::changeEvent(event);
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  FinishInplaceEditing();
  if (FHeadless || ConfirmDiscard())
    event->accept();
  else
    event->ignore();
}
