#include "common/RegistryScope.h"
#include "ComponentTree.h"
#include "DesignSession.h"
#include "DocumentStreamer.h"
#include "MainWindow.h"
#include "arduino/JsonComponents.h"
#include "common/DialogScript.h"
#include "framework/AdvancedStringsEditorForm.h"
#include "framework/JsonParser.h"
#include "framework/Registration.h"
#include "json/JsonDesign.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {
// Follows the first element down: the object elements on the way, and the element at the bottom.
struct TChain {
  int objects = 0;
  TArduinoMakeJSONBasicElement* bottom = nullptr;
};
TChain Follow(TArduinoMakeJSONElements* elements) {
  TChain chain;
  while (elements && elements->GetCount() > 0) {
    chain.bottom = elements->GetItem(0);
    auto* object = qobject_cast<TArduinoMakeJSONObjectElement*>(chain.bottom);
    if (object) ++chain.objects;
    elements = object ? object->GetElements() : nullptr;
  }
  return chain;
}

// Open levels from `index` down along the first rows, and the row where they end.
int OpenLevels(QTreeView* tree, QModelIndex& index) {
  int levels = 0;
  for (; tree->isExpanded(index) && tree->model()->rowCount(index) > 0; ++levels)
    index = tree->model()->index(0, 0, index);
  return levels;
}
}  // namespace

// A sample as deep as the parser admits goes through the context menu command, a save and a
// reopen, an undone and redone edit at the bottom, and the tree; and all of it is freed again.
TEST(DeepDocument, TenThousandLevelsSaveReopenUndoAndShowInTheTree) {
  constexpr int kLevels = TJsonParser::MaxDepth;
  const TRegistryScope registry;
  Velto::Arduino::Json::RegisterPkg();
  Velto::Arduino::JSON::Design::Register();
  TAdvancedStringsEditorForm::SetExecuteHook([](const QString&, const std::shared_ptr<IStringArrayList>& lines) {
    lines->SetText(QStringLiteral("{\"a\":").repeated(kLevels - 1) + QStringLiteral("{\"a\": 1}") +
                   QStringLiteral("}").repeated(kLevels - 1));
    return true;
  });
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* maker = static_cast<TArduinoMakeJSON*>(session.AddComponent(&TArduinoMakeJSON::staticMetaObject));
  const int steps = session.UndoStack().count();
  std::unique_ptr<QMenu> menu(window.CreateContextMenu(maker, nullptr));
  menu->actions().first()->trigger();
  QCoreApplication::processEvents();
  // The outermost object is the collection itself: one object element fewer than levels.
  TChain chain = Follow(maker->GetElements());
  ASSERT_EQ(chain.objects, kLevels - 1);
  ASSERT_TRUE(qobject_cast<TArduinoMakeJSONIntegerElement*>(chain.bottom));
  EXPECT_EQ(session.UndoStack().count(), steps + 1);

  // "*" on the component opens the tree level by level down to the bound, and no deeper: the view
  // lays out open rows with one call per level.
  QTreeView* tree = window.Tree();
  tree->setFocus();
  tree->setCurrentIndex(tree->model()->index(0, 0));
  QTest::keyClick(tree, Qt::Key_Asterisk);
  QCoreApplication::processEvents();
  QModelIndex node = tree->model()->index(0, 0);
  EXPECT_EQ(OpenLevels(tree, node), TComponentTree::kOpenDepth);
  EXPECT_TRUE(tree->model()->hasChildren(node));
  EXPECT_TRUE(window.statusBar()->currentMessage().contains(QString::number(TComponentTree::kOpenDepth)));

  // Saved and read back element for element; the indentation stops growing, so the file stays small.
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("deep.vdoc"));
  session.Save(file);
  EXPECT_LT(QFileInfo(file).size(), 4 * 1024 * 1024);
  {
    TDesignSession reopened;
    reopened.Open(file);
    ASSERT_EQ(reopened.Document().GetCount(), 1);
    EXPECT_EQ(DocumentStreamer::WriteObject(reopened.Document().GetComponent(0)), DocumentStreamer::WriteObject(maker));
    EXPECT_EQ(DocumentStreamer::WriteDocument(reopened.Document()),
              DocumentStreamer::WriteDocument(session.Document()));
  }

  // An edit at the bottom is one step with both states; undo and redo rebuild the chain.
  {
    auto scope = session.BeginModify(chain.bottom);
    chain.bottom->SetName(QStringLiteral("b"));
  }
  ASSERT_EQ(session.UndoStack().count(), steps + 2);
  session.UndoStack().undo();
  chain = Follow(maker->GetElements());
  ASSERT_EQ(chain.objects, kLevels - 1);
  EXPECT_EQ(chain.bottom->GetName(), QStringLiteral("a"));
  session.UndoStack().redo();
  chain = Follow(maker->GetElements());
  ASSERT_EQ(chain.objects, kLevels - 1);
  EXPECT_EQ(chain.bottom->GetName(), QStringLiteral("b"));
  session.UndoStack().undo();
  session.UndoStack().undo();  // the generation: the elements go
  EXPECT_EQ(maker->GetElements()->GetCount(), 0);
  session.UndoStack().redo();
  EXPECT_EQ(Follow(maker->GetElements()).objects, kLevels - 1);
  // The rows of the undone generation went, those of the redone one came, the open rows above stayed.
  node = tree->model()->index(0, 0);
  EXPECT_EQ(OpenLevels(tree, node), 2);
  EXPECT_EQ(tree->model()->rowCount(node.parent()), 1);

  EXPECT_TRUE(dialogs.Asked().empty());
  TAdvancedStringsEditorForm::SetExecuteHook(nullptr);
}
