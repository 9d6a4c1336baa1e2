#include "common/RegistryScope.h"
#include "DesignSession.h"
#include "MainWindow.h"
#include "arduino/JsonComponents.h"
#include "framework/AdvancedStringsEditorForm.h"
#include "framework/Registration.h"
#include "json/JsonDesign.h"
#include "common/DialogScript.h"
#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "common/TreeRows.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
QStringList ElementNames(TCollection* c) {
  QStringList names;
  for (TCollectionItem* item : *c)
    names << QString::fromLatin1(item->metaObject()->className()) + ":" + item->property("Name").toString();
  return names;
}
}  // namespace

TEST(JsonInDesigner, ContextMenuGeneratesElementsUndoesInOneStepAndSavesThem) {
  const TRegistryScope registry;
  Velto::Arduino::Json::RegisterPkg();
  Velto::Arduino::JSON::Design::Register();
  TAdvancedStringsEditorForm::SetExecuteHook([](const QString& caption, const std::shared_ptr<IStringArrayList>& lines) {
    EXPECT_EQ(caption, QStringLiteral("JSON Object"));
    lines->SetText(QStringLiteral(R"({"topic": "home/temp", "value": 21.5, "ok": true,
                                      "tags": [{"id": 1}], "meta": {"count": 3}})"));
    return true;
  });

  TDialogScript dialogs;  // any error report would land here instead of blocking
  TDesignSession session;
  TMainWindow window(&session);
  auto* maker = static_cast<TArduinoMakeJSON*>(session.AddComponent(&TArduinoMakeJSON::staticMetaObject));
  window.Select(maker);
  const int steps = session.UndoStack().count();

  std::unique_ptr<QMenu> menu(window.CreateContextMenu(maker, nullptr));
  ASSERT_FALSE(menu->actions().isEmpty());
  EXPECT_EQ(menu->actions().first()->text(), QStringLiteral("Parse JSON Object ..."));
  menu->actions().first()->trigger();

  const QStringList generated = {"TArduinoMakeJSONTextElement:topic", "TArduinoMakeJSONAnalogElement:value",
                                 "TArduinoMakeJSONDigitalElement:ok", "TArduinoMakeJSONArrayElement:tags",
                                 "TArduinoMakeJSONObjectElement:meta"};
  EXPECT_EQ(ElementNames(maker->GetElements()), generated);
  EXPECT_EQ(session.UndoStack().count(), steps + 1);
  ASSERT_EQ(window.TreeModel()->rowCount(), 1);
  const QPersistentModelIndex elements = window.TreeModel()->IndexOf(maker->GetElements());
  EXPECT_EQ(RowsUnder(window.TreeModel(), elements), 5);

  session.UndoStack().undo();
  EXPECT_EQ(maker->GetElements()->GetCount(), 0);
  EXPECT_EQ(window.TreeModel()->rowCount(elements), 0);
  session.UndoStack().redo();
  EXPECT_EQ(ElementNames(maker->GetElements()), generated);

  // Element classes, names and nesting survive a save and a reopen.
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("doc.vdoc"));
  session.Save(file);
  TDesignSession reopened;
  reopened.Open(file);
  ASSERT_EQ(reopened.Document().GetCount(), 1);
  auto* loaded = qobject_cast<TArduinoMakeJSON*>(reopened.Document().GetComponent(0));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(ElementNames(loaded->GetElements()), generated);
  auto* tags = qobject_cast<TArduinoMakeJSONArrayElement*>(loaded->GetElements()->GetItem(3));
  ASSERT_TRUE(tags);
  EXPECT_EQ(ElementNames(tags->GetElements()), QStringList({"TArduinoMakeJSONObjectArrayElement:"}));

  EXPECT_TRUE(dialogs.Asked().empty());
  TAdvancedStringsEditorForm::SetExecuteHook(nullptr);
}

// Double-click runs the component editor's first command; collections are edited from the tree, one
// undo step each; the tree keeps what the user closed and is built once per change.
TEST(JsonInDesigner, DoubleClickCollectionCommandsAndTheTreeAcrossChanges) {
  const TRegistryScope registry;
  Velto::Arduino::Json::RegisterPkg();
  Velto::Arduino::JSON::Design::Register();
  TAdvancedStringsEditorForm::SetExecuteHook([](const QString&, const std::shared_ptr<IStringArrayList>& lines) {
    lines->SetText(QStringLiteral(R"({"a": 1, "b": "x", "c": true})"));
    return true;
  });
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  auto* maker = static_cast<TArduinoMakeJSON*>(session.AddComponent(&TArduinoMakeJSON::staticMetaObject));
  window.Select(maker);
  emit window.Tree()->doubleClicked(window.TreeModel()->index(0, 0));
  EXPECT_EQ(ElementNames(maker->GetElements()), QStringList({"TArduinoMakeJSONIntegerElement:a",
                                                             "TArduinoMakeJSONTextElement:b",
                                                             "TArduinoMakeJSONDigitalElement:c"}));

  const auto run = [&](TPersistent* object, const QString& caption) {
    const int steps = session.UndoStack().index();
    QSignalSpy resets(window.TreeModel(), &QAbstractItemModel::modelReset);
    std::unique_ptr<QMenu> menu(window.CreateContextMenu(object, nullptr));
    for (QAction* action : menu->actions()) {
      if (action->text() == caption) action->trigger();
      // Add offers every item class: the first one here.
      if (action->menu() && action->text() == caption) action->menu()->actions().first()->trigger();
    }
    EXPECT_EQ(session.UndoStack().index(), steps + 1) << caption.toStdString();
    EXPECT_EQ(resets.count(), 0) << caption.toStdString();
  };
  TCollection* elements = maker->GetElements();
  run(elements->GetItem(0), "Move Down");
  EXPECT_EQ(ElementNames(elements).first(), "TArduinoMakeJSONTextElement:b");
  run(elements->GetItem(2), "Delete Item");
  EXPECT_EQ(elements->GetCount(), 2);
  run(elements, "Add");
  EXPECT_EQ(elements->GetCount(), 3);
  session.UndoStack().undo();
  session.UndoStack().undo();
  session.UndoStack().undo();
  EXPECT_EQ(ElementNames(maker->GetElements()).first(), "TArduinoMakeJSONIntegerElement:a");

  // What the user opened stays open, what they closed stays closed, and the selection is kept.
  const QModelIndex top = window.TreeModel()->index(0, 0);
  const QPersistentModelIndex collection = window.TreeModel()->IndexOf(maker->GetElements());
  window.Tree()->expand(collection);
  window.Select(maker);
  run(maker->GetElements(), "Add");
  EXPECT_TRUE(window.Tree()->isExpanded(collection));
  window.Tree()->collapse(top);
  run(maker->GetElements(), "Add");
  EXPECT_FALSE(window.Tree()->isExpanded(top));
  EXPECT_TRUE(window.Tree()->isExpanded(collection));
  EXPECT_EQ(window.Selected(), maker);
  EXPECT_TRUE(dialogs.Asked().empty());
  TAdvancedStringsEditorForm::SetExecuteHook(nullptr);
}
