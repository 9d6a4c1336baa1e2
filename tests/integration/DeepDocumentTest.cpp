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
#include <QTemporaryDir>
#include <QTreeWidget>

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

// Tree levels below `item` along the first children, and the node where they end.
int TreeLevels(QTreeWidgetItem*& item) {
  int levels = 0;
  for (; item->childCount() > 0; ++levels) item = item->child(0);
  return levels;
}
}  // namespace

// A sample as deep as the parser admits goes through the context menu command, a save and a
// reopen, an undone and redone edit at the bottom, and the tree; and all of it is freed again.
TEST(DeepDocument, TenThousandLevelsSaveReopenUndoAndShowInTheTree) {
  constexpr int kLevels = TJsonParser::MaxDepth;
  TDesignRegistry::Instance().Clear();
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

  // The tree is built kTreeDepth levels down; the node there opens on demand, one more stretch.
  QTreeWidgetItem* node = window.Tree()->topLevelItem(0);
  ASSERT_TRUE(node);
  EXPECT_EQ(TreeLevels(node), TMainWindow::kTreeDepth);
  EXPECT_FALSE(node->isExpanded());
  EXPECT_EQ(node->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
  node->setExpanded(true);
  EXPECT_EQ(TreeLevels(node), TMainWindow::kTreeDepth);
  QCoreApplication::processEvents();

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
  node = window.Tree()->topLevelItem(0);
  EXPECT_EQ(TreeLevels(node), TMainWindow::kTreeDepth);

  EXPECT_TRUE(dialogs.Asked().empty());
  TAdvancedStringsEditorForm::SetExecuteHook(nullptr);
  TDesignRegistry::Instance().Clear();
}
