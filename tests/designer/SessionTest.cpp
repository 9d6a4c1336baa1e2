#include "common/RegistryScope.h"
#include "DesignSession.h"
#include "DocumentStreamer.h"
#include "MainWindow.h"
#include "Palette.h"
#include "framework/PropertyEditors.h"
#include "framework/Registration.h"
#include "TestComponents.h"
#include "common/DialogScript.h"
#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "common/PropertyGridInput.h"
#include "common/TreeRows.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>

namespace {
QMetaProperty Property(const QObject* o, const char* name) {
  return o->metaObject()->property(o->metaObject()->indexOfProperty(name));
}
}  // namespace

TEST(DesignSession, EveryChangeIsOneUndoStep) {
  RegisterTestComponents();
  TDesignSession session;
  auto* led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  EXPECT_EQ(session.UndoStack().count(), 1);

  // A modification scope with several changes, a nested scope inside, is one step.
  {
    auto scope = session.BeginModify(led->GetFont());
    led->FBrightness = 5;
    {
      auto inner = session.BeginModify(led);
      led->GetElements()->Add();
      led->GetElements()->Add();
    }
    EXPECT_EQ(session.UndoStack().count(), 1) << "the inner scope folds into the outer one";
    led->FPixels = {9};
  }
  ASSERT_EQ(session.UndoStack().count(), 2);
  { auto unchanged = session.BeginModify(led); }
  EXPECT_EQ(session.UndoStack().count(), 2) << "a scope that changed nothing records nothing";

  session.UndoStack().undo();
  EXPECT_EQ(led->FBrightness, 100);
  EXPECT_EQ(led->GetElements()->GetCount(), 0);
  EXPECT_TRUE(led->FPixels.empty());
  session.UndoStack().redo();
  EXPECT_EQ(led->FBrightness, 5);
  EXPECT_EQ(led->GetElements()->GetCount(), 2);
  EXPECT_EQ(led->FPixels, std::vector<int>{9});

  // Property edits from text: a good one is a step, a bad one changes nothing.
  session.SetProperty(led, Property(led, "Mode"), QStringLiteral("mdBlink"));
  session.SetProperty(led->GetFont(), Property(led->GetFont(), "Size"), QStringLiteral("14"));
  EXPECT_EQ(led->FMode, TTestLed::mdBlink);
  EXPECT_EQ(led->GetFont()->FSize, 14);
  EXPECT_THROW(session.SetProperty(led, Property(led, "Brightness"), QStringLiteral("12abc")), EDocumentError);
  EXPECT_THROW(session.SetProperty(led, Property(led, "Enabled"), QStringLiteral("maybe")), EDocumentError);
  session.AddComponent(&TTestLed::staticMetaObject);
  EXPECT_THROW(session.SetProperty(led, Property(led, "Name"), QStringLiteral("testled2")), EDocumentError);
  EXPECT_THROW(session.SetProperty(led, Property(led, "Name"), QStringLiteral("Led 1")), EDocumentError);
  EXPECT_EQ(led->GetName(), QStringLiteral("TestLed1"));
  session.UndoStack().undo();  // the second component
  EXPECT_EQ(session.UndoStack().index(), 4) << "refused values made no steps";
  session.UndoStack().undo();
  EXPECT_EQ(led->GetFont()->FSize, 8);
  EXPECT_EQ(led->FMode, TTestLed::mdBlink);

  // Deleting keeps the component for undo; the same object comes back.
  session.DeleteComponent(led);
  EXPECT_EQ(session.Document().GetCount(), 0);
  session.UndoStack().undo();
  ASSERT_EQ(session.Document().GetCount(), 1);
  EXPECT_EQ(session.Document().GetComponent(0), led);
  EXPECT_TRUE(session.IsModified());

  // Objects outside the document are not recorded.
  TTestLed loose;
  const int steps = session.UndoStack().count();
  {
    auto scope = session.BeginModify(&loose);
    loose.FBrightness = 1;
  }
  EXPECT_EQ(session.UndoStack().count(), steps);
}

TEST(DesignerWindow, ContextMenuRunsTheComponentEditorCommandAsOneUndoStep) {
  RegisterTestComponents();
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* led = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  window.Select(led);
  EXPECT_EQ(window.Selected(), led);
  EXPECT_EQ(window.TreeModel()->rowCount(), 1);
  EXPECT_GT(window.Inspector()->Model()->rowCount(), 5);

  std::unique_ptr<QMenu> menu(window.CreateContextMenu(led, nullptr));
  QStringList captions;
  for (QAction* a : menu->actions()) captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(captions, QStringList({"Generate", "-", "Delete"}));

  const int steps = session.UndoStack().count();
  menu->actions().at(0)->trigger();
  EXPECT_EQ(led->GetElements()->GetCount(), 3);
  EXPECT_EQ(session.UndoStack().count(), steps + 1);
  // The tree shows the new items under the collection node, and the inspector the new value.
  const QPersistentModelIndex elements = window.TreeModel()->IndexOf(led->GetElements());
  ASSERT_TRUE(elements.isValid());
  EXPECT_EQ(RowsUnder(window.TreeModel(), elements), 3);
  EXPECT_EQ(window.Selected(), led);
  TInspectorModel* rows = window.Inspector()->Model();
  EXPECT_EQ(rows->Text(rows->Find(QStringLiteral("Brightness"))), QStringLiteral("7"));

  session.UndoStack().undo();
  EXPECT_EQ(led->GetElements()->GetCount(), 0);
  EXPECT_EQ(led->FBrightness, 100);
  EXPECT_EQ(window.TreeModel()->rowCount(elements), 0);

  // Editing a value cell sets the property as one step; a bad value is reported and changes nothing.
  TDialogScript dialogs;
  const auto value = [&](const QString& path) { return rows->Find(path).siblingAtColumn(1); };
  EXPECT_TRUE(rows->flags(value(QStringLiteral("Font.Size"))) & Qt::ItemIsEditable);
  EXPECT_FALSE(rows->flags(value(QStringLiteral("Elements"))) & Qt::ItemIsEditable);
  const int before = session.UndoStack().index();
  ASSERT_TRUE(TypeIntoRow(window, QStringLiteral("Font.Size"), QStringLiteral("21")));
  EXPECT_EQ(led->GetFont()->FSize, 21);
  EXPECT_EQ(session.UndoStack().index(), before + 1);
  ASSERT_TRUE(TypeIntoRow(window, QStringLiteral("Code"), QStringLiteral("loop();")));
  EXPECT_EQ(led->FCode.Text, QStringLiteral("loop();"));
  ASSERT_TRUE(TypeIntoRow(window, QStringLiteral("Brightness"), QStringLiteral("dim")));
  ASSERT_EQ(dialogs.Asked().size(), 1u);
  EXPECT_TRUE(dialogs.Asked()[0].text.contains(QStringLiteral("Brightness: \"dim\" is not a valid int value")));
  EXPECT_EQ(rows->Text(rows->Find(QStringLiteral("Brightness"))), QStringLiteral("100"));
  EXPECT_EQ(session.UndoStack().index(), before + 2);

  // Opening a broken file reports it in one message box and keeps the document.
  EXPECT_FALSE(window.OpenFile(QStringLiteral("/nonexistent/x.vdoc")));
  ASSERT_EQ(dialogs.Asked().size(), 2u);
  EXPECT_EQ(dialogs.Asked()[1].type, mtError);
  EXPECT_TRUE(dialogs.Asked()[1].text.contains(QStringLiteral("/nonexistent/x.vdoc")));
  EXPECT_EQ(session.Document().GetCount(), 1);

  menu.reset(window.CreateContextMenu(led, nullptr));
  menu->actions().last()->trigger();
  EXPECT_EQ(session.Document().GetCount(), 0);
  EXPECT_EQ(window.TreeModel()->rowCount(), 0);
}

TEST(Palette, ReadableNamesGroupedByPageSortedAndFiltered) {
  const struct {
    const char* className;
    const char* readable;
  } names[] = {{"TArduinoMakeJSONArray", "Make JSON Array"}, {"TArduinoUno", "Uno"}, {"TTestLed", "Test Led"},
               {"TArduinoRGBWGraphicsElementDrawBitmap", "RGBW Graphics Element Draw Bitmap"}, {"TArduino", "Arduino"}};
  for (const auto& n : names) EXPECT_EQ(ReadableClassName(n.className), n.readable);

  const TRegistryScope registry;
  RegisterComponents(QStringLiteral("Zeta"), {&TTestLed::staticMetaObject});
  RegisterComponents(QStringLiteral("Alpha"), {&TTestElements::staticMetaObject, &TTestFont::staticMetaObject});
  RegisterComponents(QString(), {&TTestNumberElement::staticMetaObject});
  RegisterComponents(QStringLiteral("Zeta"), {&TTestLed::staticMetaObject});  // listed once
  QStringList listed;
  for (const TPaletteEntry& e : PaletteEntries()) listed << e.Page + "/" + e.Name;
  EXPECT_EQ(listed, QStringList({"Alpha/Test Elements", "Alpha/Test Font", "Other/Test Number Element", "Zeta/Test Led"}));
  listed.clear();
  for (const TPaletteEntry& e : PaletteEntries(QStringLiteral("tfont"))) listed << e.Name;
  EXPECT_EQ(listed, QStringList({"Test Font"}));  // the class name matches too
  EXPECT_EQ(PaletteEntries(QStringLiteral("zeta")).size(), 1u);
}

TEST(DesignSession, AnEditorWritingSeveralComponentsIsOneUndoStep) {
  RegisterTestComponents();
  TDesignSession session;
  auto* a = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  auto* b = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  a->setProperty("Brightness", 1);
  b->setProperty("Brightness", 2);
  const int steps = session.UndoStack().index();
  std::unique_ptr<TSinglePropertyEditor> editor = TSinglePropertyEditor::CreateFor(&session, {a, b}, "Brightness");
  EXPECT_EQ(editor->GetDisplayValues(), QString()) << "the values differ";
  editor->SetStringValue(QStringLiteral("7"));
  EXPECT_EQ(editor->GetDisplayValues(), QStringLiteral("7"));
  EXPECT_EQ(session.UndoStack().index(), steps + 1);
  session.UndoStack().undo();
  EXPECT_EQ(session.Document().GetComponent(0)->property("Brightness").toInt(), 1);
  EXPECT_EQ(session.Document().GetComponent(1)->property("Brightness").toInt(), 2);
  session.UndoStack().redo();
  EXPECT_EQ(session.Document().GetComponent(1)->property("Brightness").toInt(), 7);
}

TEST(MainWindow, ATextEditWritesEverySelectedObjectInOneStep) {
  RegisterTestComponents();
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* a = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  auto* b = static_cast<TTestLed*>(session.AddComponent(&TTestLed::staticMetaObject));
  b->FBrightness = 5;
  window.Select(a);
  window.Tree()->selectionModel()->select(window.TreeModel()->index(1, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
  TInspectorModel* rows = window.Inspector()->Model();
  const auto text = [&] { return rows->Text(rows->Find(QStringLiteral("Brightness"))); };
  EXPECT_EQ(text(), QString()) << "the two values differ";
  const int steps = session.UndoStack().index();
  ASSERT_TRUE(TypeIntoRow(window, QStringLiteral("Brightness"), QStringLiteral("55")));
  EXPECT_EQ(a->FBrightness, 55);
  EXPECT_EQ(b->FBrightness, 55);
  EXPECT_EQ(session.UndoStack().index(), steps + 1);
  EXPECT_EQ(text(), QStringLiteral("55"));
  EXPECT_EQ(window.Tree()->selectionModel()->selectedRows().size(), 2) << "the selection survives the change";
  session.UndoStack().undo();
  EXPECT_EQ(static_cast<TTestLed*>(session.Document().GetComponent(1))->FBrightness, 5);
  EXPECT_TRUE(dialogs.Asked().empty());
}
