#include "CollectionCommands.h"
#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "DesignSession.h"
#include "MainWindow.h"
#include "PropertyReflection.h"
#include "TestComponents.h"
#include "common/TreeRows.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <functional>

namespace {
void Rename(TDesignSession& session, TPersistent* object, const QString& name) {
  const QMetaObject* meta = object->metaObject();
  session.SetProperty(object, meta->property(meta->indexOfProperty("Name")), name);
}

// What a model said since the last look.
struct TModelSignals {
  explicit TModelSignals(QAbstractItemModel* model)
      : inserted(model, &QAbstractItemModel::rowsInserted),
        removed(model, &QAbstractItemModel::rowsRemoved),
        moved(model, &QAbstractItemModel::rowsMoved),
        changed(model, &QAbstractItemModel::dataChanged),
        reset(model, &QAbstractItemModel::modelReset),
        layout(model, &QAbstractItemModel::layoutChanged) {}
  // "inserted removed moved changed reset" counts, then cleared.
  QString Take() {
    const QString counts = QStringLiteral("%1 %2 %3 %4 %5")
                               .arg(inserted.count())
                               .arg(removed.count())
                               .arg(moved.count())
                               .arg(changed.count())
                               .arg(reset.count() + layout.count());
    for (QSignalSpy* spy : {&inserted, &removed, &moved, &changed, &reset, &layout}) spy->clear();
    return counts;
  }
  QSignalSpy inserted, removed, moved, changed, reset, layout;
};

// The rows under `index` as shown, one level.
QStringList Rows(QAbstractItemModel* model, const QModelIndex& index = QModelIndex()) {
  QStringList rows;
  for (int row = 0; row < model->rowCount(index); ++row) rows << model->index(row, 0, index).data().toString();
  return rows;
}

// Every row made so far is where its parent says and shows what its parent object holds, in order:
// the components, a collection's items, an object's collections.
void ExpectMirrors(TDesignSession& session, const TComponentTreeModel& model) {
  std::vector<QModelIndex> pending{QModelIndex()};
  while (!pending.empty()) {
    const QModelIndex parent = pending.back();
    pending.pop_back();
    if (model.canFetchMore(parent)) continue;  // not opened yet
    std::vector<TPersistent*> objects;
    TPersistent* object = model.ObjectAt(parent);
    if (!parent.isValid())
      for (int i = 0; i < session.Document().GetCount(); ++i) objects.push_back(session.Document().GetComponent(i));
    else if (auto* collection = qobject_cast<TCollection*>(object))
      objects.assign(collection->begin(), collection->end());
    else
      for (const QMetaProperty& property : Reflection::PublishedProperties(object->metaObject()))
        if (Reflection::KindOf(object, property) == TPropertyKind::Collection)
          objects.push_back(Reflection::SubObject(object, property));
    ASSERT_EQ(size_t(model.rowCount(parent)), objects.size()) << parent.data().toString().toStdString();
    for (int row = 0; row < model.rowCount(parent); ++row) {
      const QModelIndex child = model.index(row, 0, parent);
      EXPECT_EQ(child.parent(), parent);
      EXPECT_EQ(model.ObjectAt(child), objects[size_t(row)]);
      pending.push_back(child);
    }
  }
}

// A chain of `count` elements below the led, each the first child of the one before.
TTestElement* Chain(TTestLed* led, int count) {
  TTestElements* elements = led->GetElements();
  TTestElement* bottom = nullptr;
  for (int i = 0; i < count; ++i) {
    bottom = static_cast<TTestElement*>(elements->Add());
    elements = bottom->GetChildren();
  }
  return bottom;
}
}  // namespace

// Each edit inserts, removes, moves or changes only the rows it touched; an untouched row keeps its
// index all along, and the rows made mirror the objects after each step.
TEST(ComponentTreeModel, EditsTouchOnlyTheirRows) {
  RegisterTestComponents();
  TDesignSession session;
  auto* keep = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  TComponentTreeModel model(&session);
  const QPersistentModelIndex kept = model.IndexOf(keep);
  TTestLed stranger;  // in no document: neither it nor what it owns has a row
  EXPECT_FALSE(model.IndexOf(stranger.GetElements()).isValid());
  TModelSignals seen(&model);
  TTestLed* led = nullptr;
  QPersistentModelIndex elements;
  QTemporaryDir dir;
  const struct {
    const char* name;
    std::function<void()> edit;
    const char* said;  // inserted removed moved changed reset
    QStringList rows;  // under the led's Elements, or the top rows
  } steps[] = {
      {"add a component",
       [&] {
         led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
         elements = model.IndexOf(led->GetElements());
         RowsUnder(&model, elements);
       },
       "2 0 0 0 0",
       {}},  // the component, then its Elements row made by IndexOf
      {"add two items",
       [&] {
         auto scope = session.BeginModify(led);
         CollectionCommands::AddItem(session, led->GetElements(), nullptr);
         CollectionCommands::AddItem(session, led->GetElements(), nullptr);
       },
       "1 0 0 0 0",
       {"0 - TTestElement", "1 - TTestElement"}},
      {"insert at the front: the rows after it are numbered anew",
       [&] {
         auto scope = session.BeginModify(led->GetElements());
         led->GetElements()->Insert(0, &TTestNumberElement::staticMetaObject);
       },
       "1 0 0 1 0",
       {"0 - TTestNumberElement", "1 - TTestElement", "2 - TTestElement"}},
      {"move the first down",
       [&] { CollectionCommands::MoveItem(session, led->GetElements(), 0, 1); },
       "0 0 1 1 0",
       {"0 - TTestElement", "1 - TTestNumberElement", "2 - TTestElement"}},
      {"move the last up",
       [&] { CollectionCommands::MoveItem(session, led->GetElements(), 2, 1); },
       "0 0 1 1 0",
       {"0 - TTestElement", "1 - TTestElement", "2 - TTestNumberElement"}},
      {"delete the first",
       [&] { CollectionCommands::DeleteItem(session, led->GetElements(), 0); },
       "0 1 0 1 0",
       {"0 - TTestElement", "1 - TTestNumberElement"}},
      {"undo the delete: the items read back in place stay",
       [&] { session.UndoStack().undo(); },
       "1 1 0 0 0",
       {"0 - TTestElement", "1 - TTestElement", "2 - TTestNumberElement"}},
      {"rename the component",
       [&] { Rename(session, led, QStringLiteral("Blinker")); },
       "0 0 0 1 0",
       {"0 - TTestElement", "1 - TTestElement", "2 - TTestNumberElement"}},
      {"undo the rename",
       [&] { session.UndoStack().undo(); },
       "0 0 0 1 0",
       {"0 - TTestElement", "1 - TTestElement", "2 - TTestNumberElement"}},
      {"an edit that changes nothing shown",
       [&] {
         led->setProperty("Brightness", 5);
         session.BeginModify(led);
       },
       "0 0 0 0 0",
       {"0 - TTestElement", "1 - TTestElement", "2 - TTestNumberElement"}},
      {"delete the component", [&] { session.DeleteComponent(led); }, "0 1 0 0 0", {}},
      {"undo the delete", [&] { session.UndoStack().undo(); }, "1 0 0 0 0", {}},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.edit();
    EXPECT_EQ(seen.Take().toStdString(), step.said);
    ExpectMirrors(session, model);
    if (!step.rows.isEmpty()) {
      ASSERT_TRUE(elements.isValid());
      EXPECT_EQ(Rows(&model, elements).join('|').toStdString(), step.rows.join('|').toStdString());
    }
    ASSERT_TRUE(kept.isValid());
    EXPECT_EQ(model.ObjectAt(kept), keep);
  }
  EXPECT_EQ(Rows(&model), QStringList({"TestLed1", "TestLed2"}));
  const QString file = dir.filePath(QStringLiteral("tree.vdoc"));
  session.Save(file);
  session.Open(file);
  EXPECT_EQ(seen.reset.count(), 1);
  EXPECT_EQ(Rows(&model), QStringList({"TestLed1", "TestLed2"}));
}

// Scopes open together change the tree once, when the last one closes; the rows made below an
// unopened node wait until it opens.
TEST(ComponentTreeModel, ScopesOpenTogetherUpdateOnceAndRowsAreMadeWhenOpened) {
  RegisterTestComponents();
  TDesignSession session;
  auto* led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  TTestElement* bottom = Chain(led, 3);
  TComponentTreeModel model(&session);
  EXPECT_EQ(model.rowCount(model.index(0, 0)), 0) << "not opened yet";
  EXPECT_TRUE(model.hasChildren(model.index(0, 0)));
  const QModelIndex deep = model.IndexOf(bottom);
  ASSERT_TRUE(deep.isValid());
  EXPECT_EQ(TComponentTreeModel::Depth(deep), 6);
  EXPECT_EQ(model.rowCount(deep), 0);

  TModelSignals seen(&model);
  {
    auto outer = session.BeginModify(led);
    {
      auto inner = session.BeginModify(led->GetElements());
      led->GetElements()->Add();
      led->SetName(QStringLiteral("Renamed"));
    }
    EXPECT_EQ(seen.Take(), QStringLiteral("0 0 0 0 0")) << "the outer scope is still open";
    led->GetElements()->Add();
  }
  EXPECT_EQ(seen.Take(), QStringLiteral("1 0 0 1 0"));
  EXPECT_EQ(Rows(&model), QStringList({"Renamed"}));
  EXPECT_EQ(RowsUnder(&model, model.IndexOf(led->GetElements())), 3);
  ExpectMirrors(session, model);
  // Qt's own checks, which open every row on the way.
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
}

// The window: "*" opens a deep tree down to the bound without overflowing the stack, and an edit
// keeps what is open and selected. Driven by keys on the view.
TEST(ComponentTreeView, StarOnADeepTreeAndEditsKeepWhatIsOpenAndSelected) {
  RegisterTestComponents();
  TDesignSession session;
  TMainWindow window(&session, true);
  window.show();
  auto* led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  Chain(led, 10000);  // 20,000 levels: items and their Children rows
  auto* other = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  QTreeView* tree = window.Tree();
  window.Select(led);
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Asterisk);
  QApplication::processEvents();
  int open = 0;
  QModelIndex node = tree->currentIndex();
  for (; tree->isExpanded(node); ++open) node = tree->model()->index(0, 0, node);
  EXPECT_EQ(open, TComponentTree::kOpenDepth);
  // A node below the bound stays closed when opened by hand.
  ASSERT_TRUE(tree->model()->hasChildren(node));
  tree->setCurrentIndex(node);
  QTest::keyClick(tree, Qt::Key_Right);
  EXPECT_FALSE(tree->isExpanded(node));

  // Open the other component's Elements with the keyboard, select an item, and edit elsewhere.
  CollectionCommands::AddItem(session, other->GetElements(), nullptr);
  CollectionCommands::AddItem(session, other->GetElements(), nullptr);
  window.Select(other);
  QTest::keyClick(tree, Qt::Key_Right);  // opens the component
  QTest::keyClick(tree, Qt::Key_Down);   // its Elements
  QTest::keyClick(tree, Qt::Key_Right);  // opens it
  QTest::keyClick(tree, Qt::Key_Down);   // the first item
  QTest::keyClick(tree, Qt::Key_Down, Qt::ShiftModifier);
  const QPersistentModelIndex item = tree->currentIndex(), collection = item.parent();
  ASSERT_EQ(tree->selectionModel()->selectedRows().size(), 2);
  TPersistent* selected = window.Selected();
  ASSERT_EQ(selected, other->GetElements()->GetItem(1));
  Rename(session, led, QStringLiteral("Renamed"));
  CollectionCommands::AddItem(session, other->GetElements(), nullptr);
  session.UndoStack().undo();
  QApplication::processEvents();
  ASSERT_TRUE(item.isValid());
  EXPECT_EQ(tree->currentIndex(), QModelIndex(item));
  EXPECT_TRUE(tree->isExpanded(collection));
  EXPECT_EQ(tree->selectionModel()->selectedRows().size(), 2);
  EXPECT_EQ(window.Selected(), selected);
  EXPECT_EQ(window.SelectedObjects(), QList<TPersistent*>({selected, other->GetElements()->GetItem(0)}));
}
