#include "MainWindow.h"

#include "CollectionCommands.h"
#include "CollectionEditor.h"
#include "DocumentStreamer.h"
#include "InspectorView.h"
#include "Palette.h"
#include "framework/PropertyEditors.h"
#include "framework/Registration.h"
#include "toolkit/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

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

  FInspector = new TInspectorView(FSession);

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
  connect(FInspector, &TInspectorView::Failed, this, &TMainWindow::ReportError);
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

bool TMainWindow::Reported(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& e) {
    ReportError(ErrorText(e));
    return false;
  }
}

void TMainWindow::AddComponent(TClass cls) {
  Reported([&] { Select(FSession->AddComponent(cls)); });
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
  // The cells and their forms go while the window is still whole.
  delete FInspector;
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




QMenu* TMainWindow::CreateContextMenu(TPersistent* object, QWidget* parent) {
  auto* menu = new QMenu(parent);
  connect(menu, &QMenu::aboutToShow, this, &TMainWindow::FinishInplaceEditing);
  auto* component = qobject_cast<TComponent*>(object);
  if (component && FSession->Document().IndexOf(component) >= 0) {
    Reported([&] {
      std::unique_ptr<TComponentEditor> editor = TComponentEditor::CreateFor(component, FSession);
      if (!editor) return;
      auto items = std::make_shared<TComponentEditorMenuItems>();
      editor->GetMenuItems(*items);
      // The commands may call back into their editor, so it lives as long as the menu.
      editor.release()->setParent(menu);
      for (int i = 0; i < items->GetCount(); ++i) {
        IComponentEditorMenuItem item = items->GetItem(i);
        // What the command changed, the session's signals show.
        menu->addAction(item->GetCaption(), this, [this, item] { Reported([&] { item->Execute(); }); });
      }
      if (items->GetCount() > 0) menu->addSeparator();
    });
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
  const auto change = [this](const std::function<void()>& operation) { Reported(operation); };
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
  Reported([&] {
    if (std::unique_ptr<TComponentEditor> editor = TComponentEditor::CreateFor(component, FSession)) editor->Execute();
  });
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
  if (!Reported([&] { FSession->Open(fileName); })) return false;
  if (FSession->Document().GetCount() > 0) Select(FSession->Document().GetComponent(0));
  UpdateTitle();
  return true;
}

bool TMainWindow::SaveFile(const QString& fileName) {
  if (!Reported([&] { FSession->Save(fileName); })) return false;
  UpdateTitle();
  return true;
}

QString TMainWindow::AskFileName(bool save) {
  std::unique_ptr<TOpenDialog> dialog = save ? std::make_unique<TSaveDialog>() : std::make_unique<TOpenDialog>();
  dialog->Title = save ? QStringLiteral("Save Design") : QStringLiteral("Open Design");
  dialog->Filter = kFilter;
  dialog->DefaultExt = QStringLiteral("vdoc");
  dialog->FileName = FSession->FileName();
  return dialog->Execute(this) ? dialog->FileName : QString();
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
