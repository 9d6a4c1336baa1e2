#include "MainWindow.h"

#include "CollectionCommands.h"
#include "CollectionEditor.h"
#include "ComponentTree.h"
#include "PropertyGridView.h"
#include "Palette.h"
#include "framework/PropertyEditors.h"
#include "framework/Registration.h"
#include "toolkit/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <utility>

namespace {
const QString kFilter = QStringLiteral("Design documents (*.vdoc)|*.vdoc|All files (*)|*");

QString ErrorText(const std::exception& e) { return QString::fromUtf8(e.what()); }

QString ClassName(TClass cls) { return QString::fromLatin1(cls->className()); }
}  // namespace

TMainWindow::TMainWindow(TDesignSession* session, bool headless, QWidget* parent)
    : QMainWindow(parent), FSession(session), FHeadless(headless) {
  FTree = new TComponentTree;

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

  connect(FPalette, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    auto cls = reinterpret_cast<TClass>(item->data(0, Qt::UserRole).value<quintptr>());
    if (cls) AddComponent(cls);
  });
  connect(FPaletteFilter, &QLineEdit::textChanged, this, &TMainWindow::RefreshPalette);
  connect(FInspector, &TInspectorView::Failed, this, &TMainWindow::ReportError);
  connect(FSession, &TDesignSession::StructureChanged, this, &TMainWindow::RefreshInspector);
  connect(FSession, &TDesignSession::ObjectChanged, this, &TMainWindow::RefreshInspector);
  connect(FSession, &TDesignSession::ErrorOccurred, this, &TMainWindow::ReportError);
  connect(FSession, &TDesignSession::CollectionEditorRequested, this, &TMainWindow::ShowCollectionEditor);
  connect(&FSession->UndoStack(), &QUndoStack::cleanChanged, this, &TMainWindow::UpdateTitle);

  resize(1000, 650);
  BindTree();
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


TMainWindow::~TMainWindow() {
  // What the user typed is written while the window is whole; then nothing it says reaches it.
  FinishInplaceEditing();
  disconnect(FSession, nullptr, this, nullptr);
  disconnect(&FSession->UndoStack(), nullptr, this, nullptr);
  FUpdating = true;  // no selection signals while the window goes
  // The cells and their forms go while the window is still whole.
  delete std::exchange(FInspector, nullptr);
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
  FinishInplaceEditing();
  if (!Reported([&] { FSession->Open(fileName); })) return false;
  if (FSession->Document().GetCount() > 0) Select(FSession->Document().GetComponent(0));
  UpdateTitle();
  return true;
}

bool TMainWindow::SaveFile(const QString& fileName) {
  FinishInplaceEditing();
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
  FinishInplaceEditing();  // what is being typed belongs to the document it replaces or saves
  if (!ConfirmDiscard()) return;
  FSession->New();
  UpdateTitle();
}

void TMainWindow::FileOpen() {
  FinishInplaceEditing();  // what is being typed belongs to the document it replaces or saves
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
