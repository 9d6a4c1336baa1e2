#include "CollectionEditor.h"
#include "DesignSession.h"
#include "EditorCell.h"
#include "MainWindow.h"
#include "arduino/Displays.h"
#include "framework/Registration.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace Velto::Arduino::Structure {
void RegisterPkg();
}

namespace {
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QStringList ItemClasses(const TCollection* collection) {
  QStringList classes;
  for (const TCollectionItem* item : *collection) classes << QString::fromLatin1(item->metaObject()->className());
  return classes;
}
}  // namespace

// The inspector's "..." on a collection row opens the collection editor; each of its commands is
// one undo step, it follows undo, selects the clicked item in the tree, and goes with its collection.
TEST(InspectorEditors, CollectionEditorCommandsAreUndoSteps) {
  TDesignRegistry::Instance().Clear();
  Velto::Arduino::Structure::RegisterPkg();
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* display = static_cast<TArduinoMonochromeDisplay*>(session.AddComponent(&TArduinoMonochromeDisplay::staticMetaObject));
  window.Select(display);
  Settle();
  TEditorCell* cell = window.EditorCellOf(QStringLiteral("Elements"));
  ASSERT_TRUE(cell && cell->EllipsisButton());
  cell->EllipsisButton()->click();
  Settle();
  auto* editor = window.findChild<TCollectionEditor*>();
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->Collection(), display->GetElements());
  cell->Execute();  // asked again, the open editor is reused
  EXPECT_EQ(window.findChildren<TCollectionEditor*>().size(), 1);

  const QString plain = QStringLiteral("TArduinoMonochromeDisplayDrawBitmap");
  const QString transparent = QStringLiteral("TArduinoMonochromeDisplayDrawTransparencyBitmap");
  const QList<QAction*> kinds = editor->AddButton()->menu()->actions();
  ASSERT_EQ(kinds.size(), 2);
  const int start = session.UndoStack().index();
  struct TStep {
    std::function<void()> Command;
    QStringList Classes;
    int Current;
  };
  const std::vector<TStep> steps = {
      {[&] { kinds[0]->trigger(); }, {plain}, 0},
      {[&] { kinds[1]->trigger(); }, {plain, transparent}, 1},
      {[&] { editor->UpButton()->click(); }, {transparent, plain}, 0},
      {[&] { editor->DownButton()->click(); }, {plain, transparent}, 1},
      {[&] { editor->DeleteButton()->click(); }, {plain}, 0},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    steps[i].Command();
    Settle();
    EXPECT_EQ(ItemClasses(display->GetElements()), steps[i].Classes) << "step " << i;
    EXPECT_EQ(session.UndoStack().index(), start + int(i) + 1) << "step " << i;
    EXPECT_EQ(editor->Items()->count(), steps[i].Classes.size()) << "step " << i;
    EXPECT_EQ(editor->Items()->currentRow(), steps[i].Current) << "step " << i;
  }
  emit editor->Items()->itemClicked(editor->Items()->item(0));
  EXPECT_EQ(window.Selected(), display->GetElements()->GetItem(0));
  EXPECT_FALSE(editor->UpButton()->isEnabled());

  // Undo rebuilds the items; the editor follows. Deleting the display closes it.
  session.UndoStack().undo();
  Settle();
  EXPECT_EQ(ItemClasses(display->GetElements()), (QStringList{plain, transparent}));
  EXPECT_EQ(editor->Items()->count(), 2);
  const QPointer<TCollectionEditor> open(editor);
  session.DeleteComponent(display);
  Settle();
  EXPECT_TRUE(!open || !open->isVisible());
  TDesignRegistry::Instance().Clear();
}
