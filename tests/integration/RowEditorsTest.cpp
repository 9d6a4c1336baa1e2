#include "CollectionCommands.h"
#include "CollectionEditor.h"
#include "common/DialogScript.h"
#include "common/PropertyGridInput.h"
#include "common/RegistryScope.h"
#include "DesignSession.h"
#include "EditorCell.h"
#include "MainWindow.h"
#include "arduino/Components.h"
#include "arduino/Displays.h"
#include "codestrings/ArduinoCodeStringsInplaceFormUnit.h"
#include "propertyeditors/GrayscaleAlphaColorInplaceFormUnit.h"
#include "framework/Registration.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include "PropertyGridView.h"
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace Velto::Arduino::Structure {
void RegisterPkg();
}
namespace Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit {
void StartUp();
}
namespace Velto::Arduino::Graphics::FontPropertyEditors {
void StartUp();
}
namespace Velto::ArduinoCodeStringsEditorFormUnit {
void StartUp();
}
namespace Velto::Arduino::Graphics::ColorPropertyBitmapEditors {
void Register();
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
TEST(RowEditors, CollectionEditorCommandsAreUndoSteps) {
  const TRegistryScope registry;
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
    EXPECT_EQ(editor->DownButton()->isEnabled(), steps[i].Current + 1 < steps[i].Classes.size()) << "step " << i;
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
}

// A colour row's in-place form opens with the row, survives the changes it makes (a drag is one undo
// step), is made anew when an undo moves the value on, and closes with the row; the font row's
// drop-down lists the fonts by group and sets the one chosen.
TEST(RowEditors, InplaceColourFormAndFontDropDown) {
  const TRegistryScope registry;
  Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit::StartUp();
  Velto::Arduino::Graphics::FontPropertyEditors::StartUp();
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* colour = static_cast<TArduinoColorToGrayscaleAlphaColor*>(
      session.AddComponent(&TArduinoColorToGrayscaleAlphaColor::staticMetaObject));
  colour->SetInitialValue({0xFF80});
  window.Select(colour);
  Settle();
  const int line = window.Inspector()->LineHeight();
  const auto rowHeight = [&] {
    return window.Inspector()->visualRect(window.Inspector()->Model()->Find(QStringLiteral("InitialValue"))).height();
  };
  TEditorCell* cell = window.EditorCellOf(QStringLiteral("InitialValue"));
  ASSERT_TRUE(cell);
  QTest::mouseClick(cell, Qt::LeftButton);  // a click on the value makes the row current
  const QPointer<TBasicInplaceForm> form = cell->InplaceForm();
  ASSERT_TRUE(form);
  auto* sliders = static_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(form.data());
  EXPECT_EQ(sliders->TrackBarValue->value(), 0x80);
  EXPECT_EQ(sliders->TrackBarAlpha->value(), 0xFF);
  EXPECT_EQ(rowHeight(), line + form->height());

  // A drag: press, two moves, release. One undo step, and the same form throughout.
  const int steps = session.UndoStack().index();
  emit sliders->TrackBarAlpha->OnMouseDown(sliders->TrackBarAlpha, mbLeft, 0, 0, 0);
  sliders->TrackBarAlpha->setValue(0x40);
  EXPECT_EQ(colour->GetInitialValue().Value, 0x4080);
  sliders->TrackBarValue->setValue(0x10);
  EXPECT_EQ(colour->GetInitialValue().Value, 0x4010);
  emit sliders->TrackBarAlpha->OnMouseUp(sliders->TrackBarAlpha, mbLeft, 0, 0, 0);
  Settle();
  EXPECT_EQ(session.UndoStack().index(), steps + 1);
  EXPECT_EQ(cell->InplaceForm(), form.data());
  EXPECT_EQ(window.EditorCellOf(QStringLiteral("InitialValue")), cell);
  EXPECT_EQ(cell->Editor()->GetDisplayValues(), QStringLiteral("$4010"));

  // Undo: the value moves back, and the row shows it on a new form.
  session.UndoStack().undo();
  Settle();
  EXPECT_EQ(colour->GetInitialValue().Value, 0xFF80);
  auto* shown = static_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(cell->InplaceForm());
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->TrackBarAlpha->value(), 0xFF);
  EXPECT_EQ(shown->TrackBarValue->value(), 0x80);

  // Another row: the form closes and the row is one line again.
  window.SetCurrentRow(QStringLiteral("Name"));
  EXPECT_FALSE(cell->InplaceForm());
  EXPECT_EQ(rowHeight(), line);

  auto* text = static_cast<TArduinoGraphicsElementDrawText*>(
      session.AddComponent(&TArduinoGraphicsElementDrawText::staticMetaObject));
  window.Select(text);
  Settle();
  TEditorCell* font = window.EditorCellOf(QStringLiteral("Font"));
  ASSERT_TRUE(font && font->DropDown());
  std::unique_ptr<QMenu> list(font->CreateDropDown(nullptr));
  QStringList groups;
  QAction* chosen = nullptr;
  for (QAction* group : list->actions()) {
    groups << group->text();
    ASSERT_TRUE(group->menu());
    for (QAction* item : group->menu()->actions())
      if (item->text() == QStringLiteral("FreeSerif12pt7b")) chosen = item;
  }
  EXPECT_EQ(groups.size(), GetArduinoFontsList().size());
  ASSERT_TRUE(chosen);
  const int before = session.UndoStack().index();
  chosen->trigger();
  Settle();
  EXPECT_EQ(text->GetFont().Name, QStringLiteral("FreeSerif12pt7b"));
  EXPECT_EQ(session.UndoStack().index(), before + 1);
  std::unique_ptr<QMenu> again(window.EditorCellOf(QStringLiteral("Font"))->CreateDropDown(nullptr));
  for (QAction* group : again->actions())  // the group of the font chosen is marked
    EXPECT_EQ(group->text().endsWith(QStringLiteral(" \u2713")), group->text().startsWith(QStringLiteral("Serif")))
        << group->text().toStdString();
}

// Typing in a code row's in-place editor writes every character into the component at once and
// keeps the editor (and the caret) while the row shows the new value; leaving the editor ends one
// undo step; the row's text counts the lines.
TEST(RowEditors, CodeRowTypingIsLiveAndOneUndoStep) {
  const TRegistryScope registry;
  Velto::ArduinoCodeStringsEditorFormUnit::StartUp();
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  QApplication::setActiveWindow(&window);
  auto* code = static_cast<TArduinoCustomCode*>(session.AddComponent(&TArduinoCustomCode::staticMetaObject));
  code->SetSetup({QStringLiteral("pinMode(13, OUTPUT);")});
  window.Select(code);
  Settle();
  ASSERT_TRUE(window.SetCurrentRow(QStringLiteral("Setup")));
  TEditorCell* cell = window.EditorCellOf(QStringLiteral("Setup"));
  ASSERT_TRUE(cell);
  const QPointer<TBasicInplaceForm> form = cell->InplaceForm();
  ASSERT_TRUE(form);
  // The value differs from the default and shows bold; the form's captions keep the plain font
  // their layout was made for.
  EXPECT_FALSE(form->font().bold());
  auto* editor = static_cast<TArduinoCodeStringsInplaceForm*>(form.data())->Editor;
  EXPECT_EQ(editor->text(), QStringLiteral("pinMode(13, OUTPUT);"));
  editor->setFocus();
  Settle();
  ASSERT_TRUE(form->InEditor());
  const int steps = session.UndoStack().index();
  editor->setCursorPosition(0, 20);
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::keyClicks(editor, QStringLiteral("x"));
  Settle();
  EXPECT_EQ(code->GetSetup().Text, QStringLiteral("pinMode(13, OUTPUT);\nx"));
  EXPECT_EQ(cell->Editor()->GetDisplayValues(), QStringLiteral("( 2 Lines )"));
  EXPECT_EQ(cell->InplaceForm(), form.data());
  EXPECT_EQ(session.UndoStack().index(), steps);  // still typing

  window.Inspector()->setFocus();  // the user leaves the editor
  Settle();
  EXPECT_EQ(session.UndoStack().index(), steps + 1);
  EXPECT_EQ(cell->InplaceForm(), form.data());
  session.UndoStack().undo();
  Settle();
  EXPECT_EQ(code->GetSetup().Text, QStringLiteral("pinMode(13, OUTPUT);"));
  ASSERT_TRUE(cell->InplaceForm());
  EXPECT_EQ(static_cast<TArduinoCodeStringsInplaceForm*>(cell->InplaceForm())->GetValue(), code->GetSetup().Text);
}

// The colour form under the keyboard, the wheel and Ctrl+Z after a click: each change is written at
// once, and the form the user works in stays, with the focus, on the row.
TEST(RowEditors, ColourFormKeepsTheKeyboard) {
  const TRegistryScope registry;
  Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit::StartUp();
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  QApplication::setActiveWindow(&window);
  auto* colour = static_cast<TArduinoColorToGrayscaleAlphaColor*>(
      session.AddComponent(&TArduinoColorToGrayscaleAlphaColor::staticMetaObject));
  colour->SetInitialValue({0xFF80});
  window.Select(colour);
  Settle();
  TEditorCell* cell = window.EditorCellOf(QStringLiteral("InitialValue"));
  ASSERT_TRUE(cell);
  QTest::mouseClick(cell, Qt::LeftButton);
  const int row = window.Inspector()->currentIndex().row();
  ASSERT_TRUE(cell->InplaceForm());
  TTrackBar* bar = static_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(cell->InplaceForm())->TrackBarValue;
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() / 2));
  Settle();
  ASSERT_EQ(QApplication::focusWidget(), bar);
  const auto wheel = [&bar] {
    const QPointF at(bar->width() / 2, bar->height() / 2);
    QWheelEvent event(at, bar->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &event);
  };
  struct TStep {
    const char* Name;
    std::function<void()> Input;
  };
  const std::vector<TStep> steps = {
      {"Right", [&bar] { QTest::keyClick(bar, Qt::Key_Right); }},
      {"Right again", [&bar] { QTest::keyClick(bar, Qt::Key_Right); }},
      {"wheel", wheel},
      {"Ctrl+Z", [&bar] { QTest::keyClick(bar, Qt::Key_Z, Qt::ControlModifier); }},
      {"Right after the undo", [&bar] { QTest::keyClick(bar, Qt::Key_Right); }},
  };
  uint16_t previous = colour->GetInitialValue().Value;
  for (const TStep& step : steps) {
    SCOPED_TRACE(step.Name);
    const QPointer<TBasicInplaceForm> form = cell->InplaceForm();
    step.Input();
    Settle();
    const uint16_t now = colour->GetInitialValue().Value;
    EXPECT_NE(now, previous);
    previous = now;
    // The form's own changes keep it; an undo may make it anew, and its track bar has the focus.
    if (step.Name != std::string("Ctrl+Z")) {
      EXPECT_EQ(cell->InplaceForm(), form.data());
    }
    ASSERT_TRUE(cell->InplaceForm());
    bar = static_cast<TArduinoGrayscaleAlphaColorInplaceForm*>(cell->InplaceForm())->TrackBarValue;
    EXPECT_EQ(QApplication::focusWidget(), bar);
    EXPECT_EQ(window.Inspector()->currentIndex().row(), row);
    EXPECT_EQ(bar->value(), now & 0xFF);
    EXPECT_EQ(cell->Editor()->GetDisplayValues(), QStringLiteral("$%1").arg(now, 4, 16, QLatin1Char('0')).toUpper());
  }
  EXPECT_EQ(session.UndoStack().index(), 4);  // the wheel's step was undone, then one more key
}

namespace {
// A code component in a window, its Setup row current and the caret in the row's editor after
// typing "x": the user is in the middle of an edit.
struct TTypingInCodeRow {
  TDesignSession Session;
  std::unique_ptr<TMainWindow> Window = std::make_unique<TMainWindow>(&Session);
  TArduinoCustomCode* Code = nullptr;
  TEditorCell* Cell = nullptr;
  QPointer<TBasicInplaceForm> Form;
  QWidget* Editor = nullptr;

  TTypingInCodeRow() {
    Window->show();
    QApplication::setActiveWindow(Window.get());
    Code = static_cast<TArduinoCustomCode*>(Session.AddComponent(&TArduinoCustomCode::staticMetaObject));
    Code->SetSetup({QStringLiteral("a")});
    Session.AddComponent(&TArduinoCustomCode::staticMetaObject);
    Window->Select(Code);
    Settle();
    Session.UndoStack().setClean();
    Window->SetCurrentRow(QStringLiteral("Setup"));
    Cell = Window->EditorCellOf(QStringLiteral("Setup"));
    Form = Cell ? Cell->InplaceForm() : nullptr;
    if (!Form) return;
    auto* editor = static_cast<TArduinoCodeStringsInplaceForm*>(Form.data())->Editor;
    Editor = editor;
    editor->setFocus();
    editor->setCursorPosition(0, 1);
    QTest::keyClicks(editor, QStringLiteral("x"));
    Settle();
  }
  QMenu* MenuBarMenu(const QString& text) const {
    for (QAction* action : Window->menuBar()->actions())
      if (action->text() == text) return action->menu();
    return nullptr;
  }
};
}  // namespace

// Whatever takes the user away from a code row's editor ends his edit there and then, while the
// window is whole: one undo step, no modification left open to be released by the window's teardown.
TEST(RowEditors, LeavingTheCodeEditorEndsTheEdit) {
  const TRegistryScope registry;
  Velto::ArduinoCodeStringsEditorFormUnit::StartUp();
  struct TCase {
    const char* Name;
    std::function<void(TTypingInCodeRow&)> Leave;
  };
  QWidget other;
  const std::vector<TCase> cases = {
      {"window deactivates",
       [&](TTypingInCodeRow&) {
         other.show();
         QApplication::setActiveWindow(&other);
       }},
      {"menu opens",
       [](TTypingInCodeRow& t) {
         QMenu* file = t.MenuBarMenu(QStringLiteral("&File"));
         file->popup(t.Window->mapToGlobal(QPoint()));
         Settle();
         QTest::keyClick(file, Qt::Key_Escape);
       }},
      {"row changes", [](TTypingInCodeRow& t) { t.Window->SetCurrentRow(QStringLiteral("Name")); }},
      {"selection changes",
       [](TTypingInCodeRow& t) { t.Window->Select(t.Session.Document().GetComponent(1)); }},
      {"File > New by its key",
       [](TTypingInCodeRow& t) {
         TDialogScript dialogs;
         dialogs.Answer(mrCancel);
         QTest::keyClick(t.Editor, Qt::Key_N, Qt::ControlModifier);
         ASSERT_EQ(dialogs.Asked().size(), 1u);  // the edit makes the design modified
         EXPECT_EQ(t.Session.Document().GetCount(), 2);
       }},
      {"window closes",
       [](TTypingInCodeRow& t) {
         TDialogScript dialogs;
         dialogs.Answer(mrNo);
         EXPECT_TRUE(t.Window->close());
         ASSERT_EQ(dialogs.Asked().size(), 1u);  // the edit makes the design modified
         EXPECT_EQ(dialogs.Asked()[0].text, QStringLiteral("Save changes to the design?"));
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTypingInCodeRow t;
    ASSERT_TRUE(t.Form && t.Form->InEditor());
    EXPECT_EQ(t.Code->GetSetup().Text, QStringLiteral("ax"));
    const int steps = t.Session.UndoStack().index();
    c.Leave(t);
    Settle();
    EXPECT_FALSE(t.Form && t.Form->InEditor());
    EXPECT_EQ(t.Session.UndoStack().index(), steps + 1);
    EXPECT_EQ(t.Session.UndoStack().text(steps), QStringLiteral("Change Setup of %1").arg(t.Code->GetName()));
    t.Window.reset();
    EXPECT_EQ(t.Session.UndoStack().index(), steps + 1);
  }
}

// Edit > Undo from the menu while typing in a code row undoes what was typed; the editor shows the
// text undone, and undoing further never brings the typing back.
TEST(RowEditors, UndoFromTheMenuWhileTyping) {
  const TRegistryScope registry;
  Velto::ArduinoCodeStringsEditorFormUnit::StartUp();
  TTypingInCodeRow t;
  ASSERT_TRUE(t.Form && t.Form->InEditor());
  const int steps = t.Session.UndoStack().index();
  QMenu* edit = t.MenuBarMenu(QStringLiteral("&Edit"));
  ASSERT_TRUE(edit);
  edit->popup(t.Window->mapToGlobal(QPoint()));
  Settle();
  QAction* undo = edit->actions().value(0);
  ASSERT_TRUE(undo && undo->isEnabled());
  QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(undo).center());
  Settle();
  EXPECT_EQ(t.Code->GetSetup().Text, QStringLiteral("a"));
  EXPECT_EQ(t.Session.UndoStack().index(), steps);
  ASSERT_TRUE(t.Cell->InplaceForm());
  EXPECT_EQ(static_cast<TArduinoCodeStringsInplaceForm*>(t.Cell->InplaceForm())->GetValue(), QStringLiteral("a"));
  t.Window->Inspector()->setFocus();  // leaving the editor records nothing more
  Settle();
  EXPECT_EQ(t.Session.UndoStack().index(), steps);
  while (t.Session.UndoStack().canUndo()) t.Session.UndoStack().undo();
  Settle();
  EXPECT_NE(t.Code->GetSetup().Text, QStringLiteral("ax"));
  t.Session.UndoStack().redo();
  t.Session.UndoStack().redo();
  EXPECT_EQ(t.Code->GetSetup().Text, QStringLiteral("a"));
}

// A colour's and a font's value can be typed into their rows like any other: F2, the text, Enter.
// The registered editor reads it; a text it refuses is reported and changes nothing.
TEST(RowEditors, ColourAndFontAreTypedIntoTheirRows) {
  const TRegistryScope registry;
  Velto::Arduino::GrayscaleAlphaColorInplaceFormUnit::StartUp();
  Velto::Arduino::Graphics::FontPropertyEditors::StartUp();
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  QApplication::setActiveWindow(&window);
  auto* colour = static_cast<TArduinoColorToGrayscaleAlphaColor*>(
      session.AddComponent(&TArduinoColorToGrayscaleAlphaColor::staticMetaObject));
  auto* text = static_cast<TArduinoGraphicsElementDrawText*>(
      session.AddComponent(&TArduinoGraphicsElementDrawText::staticMetaObject));
  struct TCase {
    const char* Name;
    TPersistent* Object;
    QString Row, Typed;
    std::function<QString()> Value;
    QString Expected;
    size_t Errors;
  };
  const std::vector<TCase> cases = {
      {"colour", colour, "InitialValue", "$1234", [&] { return QString::number(colour->GetInitialValue().Value, 16); },
       "1234", 0},
      {"colour refused", colour, "InitialValue", "pink", [&] { return QString::number(colour->GetInitialValue().Value, 16); },
       "1234", 1},
      {"font", text, "Font", "FreeSerif12pt7b", [&] { return text->GetFont().Name; }, "FreeSerif12pt7b", 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    window.Select(c.Object);
    Settle();
    ASSERT_TRUE(TypeIntoRow(window, c.Row, c.Typed));
    Settle();
    EXPECT_EQ(c.Value(), c.Expected);
    EXPECT_EQ(dialogs.Asked().size(), c.Errors);
  }
}

// An editor registered for a property of one class is found for an object of that class wherever it
// sits: here an element inside a display, whose own class has no such registration.
TEST(RowEditors, EditorsAreFoundForTheObjectsOwnClass) {
  const TRegistryScope registry;
  RegisterPropertyEditor(QMetaType::fromType<int>(), &TArduinoMonochromeDisplayDrawBitmap::staticMetaObject,
                         QStringLiteral("X"), &TGrayscaleAlphaColorPropertyEditor::staticMetaObject);
  Velto::Arduino::Structure::RegisterPkg();
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  auto* display = static_cast<TArduinoMonochromeDisplay*>(session.AddComponent(&TArduinoMonochromeDisplay::staticMetaObject));
  CollectionCommands::AddItem(session, display->GetElements(), &TArduinoMonochromeDisplayDrawBitmap::staticMetaObject);
  window.Select(display->GetElements()->GetItem(0));
  Settle();
  TEditorCell* cell = window.EditorCellOf(QStringLiteral("X"));
  ASSERT_TRUE(cell);
  EXPECT_TRUE(qobject_cast<TGrayscaleAlphaColorPropertyEditor*>(cell->Editor()));
  EXPECT_FALSE(window.EditorCellOf(QStringLiteral("Y")));
}

// The keyboard reaches every row: typing or F2 opens the text, Enter writes it, Esc gives the value
// back, Tab goes to the next row, Ctrl+Enter opens a dialog and Alt+Down a list; a value moved off
// its default is bold and the row's context menu resets it.
TEST(RowEditors, KeyboardAndContextMenuReachEveryRow) {
  const TRegistryScope registry;
  Velto::Arduino::Graphics::FontPropertyEditors::StartUp();
  Velto::Arduino::Graphics::ColorPropertyBitmapEditors::Register();
  TDialogScript dialogs;
  TDesignSession session;
  TMainWindow window(&session);
  window.show();
  QApplication::setActiveWindow(&window);
  auto* text = static_cast<TArduinoGraphicsElementDrawText*>(
      session.AddComponent(&TArduinoGraphicsElementDrawText::staticMetaObject));
  auto* picture = static_cast<TArduinoColorGraphicsElementDrawBitmap*>(
      session.AddComponent(&TArduinoColorGraphicsElementDrawBitmap::staticMetaObject));
  TInspectorView* view = window.Inspector();
  const auto current = [view] { return view->Model()->Path(view->currentIndex()); };
  const auto key = [view](Qt::Key k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : view, k, m);
    Settle();
  };
  window.Select(text);
  Settle();
  ASSERT_TRUE(window.SetCurrentRow(QStringLiteral("X")));
  view->setFocus();

  key(Qt::Key_7);  // typing starts the text with what was typed
  key(Qt::Key_Return);
  EXPECT_EQ(text->GetX(), 7);
  EXPECT_TRUE(view->Model()->data(view->currentIndex(), Qt::FontRole).value<QFont>().bold());
  key(Qt::Key_F2);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("99"));
  key(Qt::Key_Escape);
  EXPECT_EQ(text->GetX(), 7);
  EXPECT_EQ(QApplication::focusWidget(), view);
  key(Qt::Key_Tab);
  EXPECT_EQ(current(), QStringLiteral("Y"));
  EXPECT_EQ(view->currentIndex().column(), int(TInspectorModel::ValueColumn)) << "row to row, value to value";
  key(Qt::Key_Backtab);
  EXPECT_EQ(current(), QStringLiteral("X"));

  // Reset to Default from the row's context menu: one undo step, the value plain again.
  const int steps = session.UndoStack().index();
  std::unique_ptr<QMenu> menu(view->CreateContextMenu(view->currentIndex(), nullptr));
  ASSERT_EQ(menu->actions().size(), 1);
  EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Reset to Default"));
  menu->actions()[0]->trigger();
  Settle();
  EXPECT_EQ(text->GetX(), 0);
  EXPECT_EQ(session.UndoStack().index(), steps + 1);
  EXPECT_EQ(session.UndoStack().undoText(), QStringLiteral("Change X of %1").arg(text->GetName()));
  EXPECT_FALSE(view->Model()->data(view->currentIndex(), Qt::FontRole).value<QFont>().bold());
  menu.reset(view->CreateContextMenu(view->currentIndex(), nullptr));
  EXPECT_FALSE(menu->actions()[0]->isEnabled());

  // Alt+Down opens the font list; Ctrl+Enter the bitmap's dialog.
  ASSERT_TRUE(window.SetCurrentRow(QStringLiteral("Font")));
  view->setFocus();
  key(Qt::Key_Down, Qt::AltModifier);
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_TRUE(qobject_cast<QMenu*>(popup));
  popup->close();
  Settle();
  window.Select(picture);
  Settle();
  ASSERT_TRUE(window.SetCurrentRow(QStringLiteral("Bitmap")));
  view->setFocus();
  dialogs.AnswerForm([](QWidget*) { return mrCancel; });
  key(Qt::Key_Return, Qt::ControlModifier);
  ASSERT_EQ(dialogs.Asked().size(), 1u);
  EXPECT_EQ(dialogs.Asked()[0].kind, TDialogRequest::Form);
}
