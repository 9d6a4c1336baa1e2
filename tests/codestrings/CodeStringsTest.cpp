#include "arduino/Components.h"
#include "codestrings/ArduinoCodeNames.h"
#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"
#include "common/DialogScript.h"

#include <QApplication>
#include <QClipboard>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A code component that counts the writes of its Loop.
class TCountingCode : public TArduinoCustomCode {
  Q_OBJECT
  Q_PROPERTY(TArduinoCode Loop READ GetLoop WRITE SetCountedLoop)
public:
  explicit TCountingCode(const QString& loop) { SetLoop({loop}); }
  void SetCountedLoop(const TArduinoCode& value) {
    ++Writes;
    SetLoop(value);
  }
  int Writes = 0;
};

struct TRecordingDesigner : IDesigner {
  QStringList Log;
  struct TScope : IModification {
    QStringList& Log;
    explicit TScope(QStringList& log) : Log(log) {}
    ~TScope() override { Log << "release"; }
  };
  std::shared_ptr<IModification> BeginModify(TPersistent*) override {
    Log << "open";
    return std::make_shared<TScope>(Log);
  }
};

struct TRowRecorder : IMemberUIUpdate {
  QStringList Log;
  void MemberChanged() override { Log << "changed"; }
  void MemberStructureChanged() override { Log << "structure"; }
  void UpdateMember(bool forms) override { Log << (forms ? "update with forms" : "update"); }
  void InplaceFormResized() override { Log << "resized"; }
};

// Keys that leave a form reach the table, which moves its current row on Ctrl+Tab.
struct TInspector : QTableWidget, IInplaceHost {
  TInspector() : QTableWidget(4, 2) { setCurrentCell(1, 1); }
  QColor GetInplaceColor() const override { return Qt::white; }
};

// Drags the grip of `form` with `button` from its lower edge by `dy`; `release` ends with that button.
void Drag(TResizableInplaceForm& form, Qt::MouseButton button, int dy, bool release = true) {
  QWidget* grip = form.ResizePanel;
  const QPoint start = grip->mapToGlobal(QPoint(10, grip->height() - 1));
  QTest::mousePress(grip, button, {}, grip->mapFromGlobal(start));
  QTest::mouseMove(grip, grip->mapFromGlobal(start + QPoint(0, dy)));
  if (release) QTest::mouseRelease(grip, button, {}, grip->mapFromGlobal(start + QPoint(0, dy)));
}

TArduinoCodeStringsInplaceForm* CodeForm(const TInplaceFormInfo& info) {
  return static_cast<TArduinoCodeStringsInplaceForm*>(info.Form);
}
}  // namespace

TEST(ResizableInplaceForm, TheLeftButtonDragsTheGripWithinTheMinimumHeight) {
  TInspector inspector;
  TResizableInplaceForm form(&inspector, nullptr, nullptr, nullptr);
  inspector.resize(400, 600);
  inspector.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&inspector));
  ASSERT_EQ(form.ClientHeight(), 240);

  Drag(form, Qt::LeftButton, 30);
  EXPECT_EQ(form.ClientHeight(), 270);
  EXPECT_EQ(form.ResizePanel->geometry().bottom(), 269) << "the grip stays at the bottom";
  Drag(form, Qt::RightButton, 30);
  QTest::mouseMove(form.ResizePanel, QPoint(10, 60));
  EXPECT_EQ(form.ClientHeight(), 270) << "the right button starts no drag";

  // A right click during a left drag leaves the drag going; the left button's release ends it.
  Drag(form, Qt::LeftButton, -10, false);
  QTest::mousePress(form.ResizePanel, Qt::RightButton, {}, QPoint(10, 7));
  QTest::mouseRelease(form.ResizePanel, Qt::RightButton, {}, QPoint(10, 7));
  QTest::mouseMove(form.ResizePanel, QPoint(10, 17));
  EXPECT_EQ(form.ClientHeight(), 270);
  QTest::mouseRelease(form.ResizePanel, Qt::LeftButton, {}, QPoint(10, 17));
  QTest::mouseMove(form.ResizePanel, QPoint(10, 40));
  EXPECT_EQ(form.ClientHeight(), 270);

  Drag(form, Qt::LeftButton, -500);
  EXPECT_EQ(form.ClientHeight(), 20);
  EXPECT_EQ(form.ResizePanel->geometry().bottom(), 19);
}

TEST(CodeStringsInplaceForm, SpecialCharactersShowOnlyAndTheMenuWorksOnTheText) {
  int reports = 0;
  TArduinoCodeStringsInplaceForm form(nullptr, nullptr, nullptr, [&](TBasicInplaceForm* f) { reports += f != nullptr; });
  const QString code = "void loop() {\r\n\tint x = 1;  \r\n}";
  form.SetValue(code);
  reports = 0;
  const auto options = form.Editor->Options();
  EXPECT_EQ(options, TSynEdit::eoDragDropEditing | TSynEdit::eoEnhanceEndKey | TSynEdit::eoGroupUndo |
                         TSynEdit::eoShowScrollHint);
  EXPECT_EQ(form.Editor->Highlighter(), form.SynCppSyn1);

  form.SpecialCharactersCheckBox->click();
  EXPECT_EQ(form.Editor->Options(), options | TSynEdit::eoShowSpecialChars);
  EXPECT_TRUE(form.Editor->eolVisibility());
  form.SpecialCharactersCheckBox->click();
  EXPECT_EQ(form.Editor->Options(), options);
  EXPECT_EQ(form.Editor->whitespaceVisibility(), QsciScintilla::WsInvisible);
  EXPECT_FALSE(form.Editor->eolVisibility());
  EXPECT_EQ(form.GetValue(), code) << "the text passes through as it is";
  EXPECT_EQ(reports, 0);
  // The table's width unless the caption needs more in the font at hand.
  QCheckBox* box = form.SpecialCharactersCheckBox;
  EXPECT_EQ(box->geometry(), QRect(7, 4, std::max(116, box->sizeHint().width()), 17));

  form.SelectAllAction->trigger();
  form.CopyAction->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), code);
  QApplication::clipboard()->setText("x");
  form.PasteAction->trigger();
  EXPECT_EQ(form.GetValue(), "x");
  EXPECT_EQ(reports, 1);

  // Completion on Ctrl+Space only; Ctrl+/ is one change.
  form.SetValue("");
  QTest::keyClicks(form.Editor, "LED_B");
  EXPECT_FALSE(form.Editor->isListActive());
  QTest::keyClick(form.Editor, Qt::Key_Space, Qt::ControlModifier);
  QTest::keyClick(form.Editor, Qt::Key_Tab);
  reports = 0;
  QTest::keyClick(form.Editor, Qt::Key_Slash, Qt::ControlModifier);
  EXPECT_EQ(form.GetValue(), "// LED_BUILTIN");
  EXPECT_EQ(reports, 1);
}

TEST(CodeStringPropertyEditor, DisplayTextsOnePerObject) {
  const std::pair<QString, QString> cases[] = {
      {"", ""},       {"digitalWrite(13, HIGH);", "digitalWrite(13, HIGH);"},
      {"a\nb", "( 2 Lines )"}, {"a\rb", "( 2 Lines )"}, {"a\r\nb\r\nc", "( 3 Lines )"}, {"a\n", "( 2 Lines )"},
  };
  for (const auto& [value, shown] : cases) EXPECT_EQ(TArduinoCodeStringPropertyEditor::DisplayText(value), shown) << value.toStdString();

  TCountingCode one("x = 1;"), two("a\nb"), three("x = 1;");
  TArduinoCodeStringPropertyEditor editor(nullptr, {&one, &two}, "Loop");
  EXPECT_EQ(editor.GetDisplayTexts(), QStringList({"x = 1;", "( 2 Lines )"}));
  EXPECT_EQ(editor.GetDisplayValues(), "") << "the objects differ";
  TArduinoCodeStringPropertyEditor same(nullptr, {&one, &three}, "Loop");
  EXPECT_EQ(same.GetDisplayValues(), "x = 1;");
}

TEST(CodeStringPropertyEditor, RegisteredAtStartUpWithInplaceFormsOnlyInADesigner) {
  Velto::ArduinoCodeStringsEditorFormUnit::StartUp();
  TCountingCode code("");
  TRecordingDesigner designer;
  for (IDesigner* d : {static_cast<IDesigner*>(&designer), static_cast<IDesigner*>(nullptr)}) {
    auto editor = TSinglePropertyEditor::CreateFor(d, {&code}, "Loop");
    auto* codeEditor = qobject_cast<TArduinoCodeStringPropertyEditor*>(editor.get());
    ASSERT_NE(codeEditor, nullptr);
    EXPECT_EQ(codeEditor->GetInplaceFormController() != nullptr, d != nullptr);
  }
}

// Answers the code dialog from the keyboard: types "//" at the end of its text, then presses `key`.
int Typing(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
  auto* form = static_cast<TArduinoCodeStringsEditorForm*>(w);
  form->show();
  EXPECT_TRUE(QTest::qWaitForWindowActive(form));
  form->Editor->setFocus();
  form->Editor->SendScintilla(QsciScintilla::SCI_DOCUMENTEND);
  QTest::keyClicks(form->Editor, "//");
  QTest::keyClick(form->Editor, key, modifiers);
  form->hide();
  return form->ModalResult();
}

TEST(CodeStringPropertyEditor, TheDialogWritesOnceOnOkAndNothingOnCancel) {
  TCountingCode code("void setup() {\r\n  pinMode(13, OUTPUT);\r\n}");
  code.SetDeclarations({"int readLevel(int sensor);"});
  TRecordingDesigner designer;
  TArduinoCodeStringPropertyEditor editor(&designer, {&code}, "Loop");
  TDialogScript script;
  QWidget* shown = nullptr;
  script.AnswerForm([&](QWidget* w) {
    auto* form = static_cast<TArduinoCodeStringsEditorForm*>(w);
    shown = form;
    EXPECT_EQ(form->Caption(), "Loop");
    EXPECT_EQ(form->Editor->Lines(), QStringList({"void setup() {", "  pinMode(13, OUTPUT);", "}"}));
    EXPECT_EQ(form->Editor->lexer(), form->SynCppSyn1);
    // Through keys: the find bar's Esc is not the dialog's; declared names complete after three letters.
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    QTest::keyClick(form->Editor, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(form->FindBar->isVisible());
    QTest::keyClick(form->FindBar->FindEdit, Qt::Key_Escape);
    EXPECT_TRUE(form->isVisible() && !form->FindBar->isVisible());
    QTest::keyClicks(form->Editor, "rea");
    QTest::keyClick(form->Editor, Qt::Key_Return);
    EXPECT_EQ(form->Editor->Lines().front(), "readLevel(void setup() {");
    return Typing(w, Qt::Key_Escape);
  });
  editor.Execute({});
  EXPECT_EQ(code.Writes, 0);
  EXPECT_TRUE(designer.Log.isEmpty()) << "Esc is Cancel, which opens no modification";

  // Ctrl+Enter is OK's, although the editor keeps Enter.
  script.AnswerForm([&](QWidget* w) {
    EXPECT_EQ(w, shown) << "one dialog per process";
    return Typing(w, Qt::Key_Return, Qt::ControlModifier);
  });
  editor.Execute({});
  EXPECT_EQ(code.Writes, 1);
  EXPECT_EQ(code.GetLoop().Text, "void setup() {\n  pinMode(13, OUTPUT);\n}//") << "the host list joins with LF";
  EXPECT_EQ(designer.Log, QStringList({"open", "open", "release", "release"}));
  // OK's mnemonic reaches it from the editor too.
  script.AnswerForm([&](QWidget* w) { return Typing(w, Qt::Key_O, Qt::AltModifier); });
  editor.Execute({});
  EXPECT_EQ(code.Writes, 2);
  EXPECT_EQ(code.GetLoop().Text, "void setup() {\n  pinMode(13, OUTPUT);\n}////");

  // A failure on the way is dropped quietly; what was written stays.
  script.AnswerForm([](QWidget*) -> int { throw Exception(QStringLiteral("broken")); });
  EXPECT_NO_THROW(editor.Execute({}));
  EXPECT_EQ(code.Writes, 2);
}

TEST(CodeStringPropertyEditor, InplaceFormsWriteLiveAndNotifyOnlyTheirOwnRow) {
  TCountingCode code("int a;");
  TRecordingDesigner designer;
  TArduinoCodeStringPropertyEditor editor(&designer, {&code}, "Loop");
  editor.InitCreate();
  IInplaceEditorFormController* controller = editor.GetInplaceFormController();
  ASSERT_NE(controller, nullptr);
  TInspector inspector;
  inspector.resize(400, 700);
  auto rowA = std::make_shared<TRowRecorder>(), rowB = std::make_shared<TRowRecorder>();
  controller->OpenForm(&inspector, inspector, QRect(0, 0, 300, 20), rowA);
  controller->OpenForm(&inspector, inspector, QRect(0, 300, 300, 20), rowB);
  inspector.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&inspector));
  const QList<TInplaceFormInfo> forms = controller->GetForms();
  ASSERT_EQ(forms.size(), 2);
  TArduinoCodeStringsInplaceForm *a = CodeForm(forms[0]), *b = CodeForm(forms[1]);
  EXPECT_EQ(a->GetValue(), "int a;");
  rowA->Log.clear();
  rowB->Log.clear();
  designer.Log.clear();

  a->Editor->setFocus();
  a->Editor->setCursorPosition(0, 6);
  QTest::keyClicks(a->Editor, "b");
  EXPECT_EQ(code.Writes, 1);
  EXPECT_EQ(code.GetLoop().Text, "int a;b");
  EXPECT_EQ(rowA->Log, QStringList({"changed", "update"}));
  EXPECT_TRUE(rowB->Log.isEmpty());
  EXPECT_EQ(b->GetValue(), "int a;") << "the other form keeps its text";
  // Ctrl+Tab stays in the editor; Esc leaves it for the inspector, keeping what was typed.
  QTest::keyClick(a->Editor, Qt::Key_Tab, Qt::ControlModifier);
  QTest::keyClick(a->Editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(inspector.currentRow(), 1);
  EXPECT_EQ(QApplication::focusWidget(), a->Editor);
  EXPECT_EQ(a->GetValue(), "int a;b");
  QTest::keyClick(a->Editor, Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), &inspector);
  EXPECT_EQ(code.GetLoop().Text, "int a;b");
  EXPECT_EQ(designer.Log, QStringList({"open", "open", "release", "release"})) << "typing is inside the form's modification";
  EXPECT_EQ(inspector.currentRow(), 1);

  // A value written through the editor reaches every form, without being written back.
  rowA->Log.clear();
  editor.SetInstanceValues(QVariant::fromValue(TArduinoCode{"int c;"}));
  EXPECT_EQ(code.Writes, 2);
  EXPECT_EQ(a->GetValue(), "int c;");
  EXPECT_EQ(b->GetValue(), "int c;");
  EXPECT_TRUE(rowA->Log.isEmpty());
  Drag(*b, Qt::LeftButton, 25);
  EXPECT_TRUE(rowA->Log.isEmpty());
  ASSERT_FALSE(rowB->Log.isEmpty());
  EXPECT_EQ(rowB->Log.count("resized"), rowB->Log.size());
  // The editor's 40 pixels, the switch's strip and the grip hold the form back.
  Drag(*b, Qt::LeftButton, -500);
  EXPECT_EQ(b->ClientHeight(), 68);
  EXPECT_EQ(b->Editor->height(), 40);
}

TEST(CodeStringsEditors, TheCoresNamesAndTheNamesTheComponentDeclares) {
  QSet<QString> core, coreNames;
  for (const TSynApiEntry& e : ArduinoCoreNames().Entries()) core << e.Signature(), coreNames << e.Scope + "." + e.Name;
  for (const char* name : {"pinMode(pin, mode)", "digitalWrite(pin, value)", "analogRead(pin)", "millis()", "delay(ms)",
                           "Serial.begin(speed)", "Serial.println(value)", "HIGH", "LOW", "INPUT_PULLUP", "LED_BUILTIN"})
    EXPECT_TRUE(core.contains(name)) << name;
  EXPECT_GE(coreNames.size(), 150);

  TCountingCode code("x");
  code.SetDeclarations({"#define LED 13\n#define SQUARE(v) ((v) * (v))\nconst int ledPin = 13, other = 2; // int hidden;\n"
                        "String message = \"int quoted;\";\nint readLevel(int sensor, bool fast) {\n  return analogRead(sensor);\n}\n"
                        "int half = 10 / 2, rest; /* int gone;\n*/ float ratio = half / 3.0;\nchar slash = '/', quote = '\\'';"});
  code.SetSetup({"for (int count = 0; count < 3; ++count) {}\nelse return value;"});
  QStringList declared;
  const TSynApiList names = DeclaredNamesOf(&code)();
  for (const TSynApiEntry& e : names.Entries()) declared << e.Signature() + ":" + e.TypeName;
  EXPECT_EQ(declared, QStringList({"LED:", "SQUARE(v):", "ledPin:int", "other:int", "message:String",
                                   "readLevel(int sensor, bool fast):", "half:int", "rest:int", "ratio:float",
                                   "slash:char", "quote:char", "count:int"}));
}

#include "CodeStringsTest.moc"
