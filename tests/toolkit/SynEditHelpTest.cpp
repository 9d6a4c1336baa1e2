#include "toolkit/Forms.h"
#include "toolkit/SynCompletion.h"
#include "toolkit/SynEdit.h"
#include "toolkit/SynEditHelp.h"
#include "toolkit/SynFindBar.h"

#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

void PrintTo(const TSynHit& hit, std::ostream* out) { *out << "[" << hit.Start << ", " << hit.End << ")"; }

namespace {
using Sci = QsciScintillaBase;

// A dialog as the code dialog is built: the editor with its find bar, editing help and completion
// over a few names, with OK and Cancel; the editor has the focus.
struct TCodeDialog {
  TForm form;
  TSynEdit* editor = new TSynEdit(&form);
  TButton* ok = new TButton(&form);
  TButton* cancel = new TButton(&form);
  TSynFindBar* bar;
  TSynCompletion* completion;
  int changes = 0;
  explicit TCodeDialog(const QString& text) {
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    editor->setGeometry(0, 0, 500, 300);
    editor->SetWantTabs(true);
    new TSynEditHelp(editor);
    bar = new TSynFindBar(editor);
    completion = new TSynCompletion(editor, TSynApiList::Parse("pinMode(pin, mode)\nprint(x)\nHIGH\nLOW\nSerial\n"
                                                               "Serial.begin(speed)\nSerial.println(value)\n"
                                                               "Serial.println(value, format)\nString.length()"));
    editor->setText(text);
    form.resize(500, 340);
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    editor->setFocus();
    QObject::connect(editor, &TSynEdit::OnChange, [this] { ++changes; });
  }
  bool Marked(long pos) const {
    return editor->SendScintilla(Sci::SCI_INDICATORVALUEAT, TSynFindBar::HitIndicator, pos) != 0;
  }
  QList<TSynHit> MarkedRanges() const {
    QList<TSynHit> ranges;
    const long length = editor->SendScintilla(Sci::SCI_GETLENGTH);
    for (long pos = 0; pos < length;) {
      if (!Marked(pos)) { ++pos; continue; }
      const long end = editor->SendScintilla(Sci::SCI_INDICATOREND, TSynFindBar::HitIndicator, pos);
      ranges.append({pos, end});
      pos = end;
    }
    return ranges;
  }
  TSynHit Selection() const {
    return {editor->SendScintilla(Sci::SCI_GETSELECTIONSTART), editor->SendScintilla(Sci::SCI_GETSELECTIONEND)};
  }
};
}  // namespace

TEST(SynFindBar, FindsMarksAndMovesThroughHitsByKeys) {
  struct TCase {
    const char* name;
    const char* what;
    bool matchCase, wholeWord;
    QList<TSynHit> hits;
    const char* status;
  };
  // "aaaa" holds "aa" twice and overlapping thrice: hits do not overlap.
  const TCase cases[] = {
      {"overlapping", "aa", false, false, {{0, 2}, {2, 4}, {5, 7}, {10, 12}}, "4 hits"},
      {"case ignored", "AA", false, false, {{0, 2}, {2, 4}, {5, 7}, {10, 12}}, "4 hits"},
      {"match case", "AA", true, false, {}, "No hits"},
      {"whole word", "aaa", false, true, {{5, 8}}, "1 hits"},
      {"none", "zz", false, false, {}, "No hits"},
      {"beyond ASCII, case ignored", "\u00c4", false, false, {{14, 16}}, "1 hits"},
      {"beyond ASCII", "\u00e4", true, false, {{14, 16}}, "1 hits"},
  };
  TCodeDialog d("aaaa aaa\nxaay \u00e4");
  QTest::keyClick(d.editor, Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(d.bar->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), d.bar->FindEdit);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    d.bar->MatchCase->setChecked(c.matchCase);
    d.bar->WholeWord->setChecked(c.wholeWord);
    d.bar->FindEdit->setText(QString::fromUtf8(c.what));
    EXPECT_EQ(d.bar->Hits(), c.hits);
    EXPECT_EQ(d.MarkedRanges(), c.hits) << "every hit is marked, nothing else";
    EXPECT_EQ(d.bar->Status->text(), c.status);
  }
  d.bar->WholeWord->setChecked(false);
  d.bar->FindEdit->clear();
  QTest::keyClicks(d.bar->FindEdit, "aa");
  // Enter and F3 go forward, Shift+F3 back, both round the ends; the text is not changed.
  d.editor->setCursorPosition(0, 3);
  const std::pair<std::pair<Qt::Key, Qt::KeyboardModifiers>, TSynHit> moves[] = {
      {{Qt::Key_Return, Qt::NoModifier}, {5, 7}}, {{Qt::Key_F3, Qt::NoModifier}, {10, 12}},
      {{Qt::Key_F3, Qt::NoModifier}, {0, 2}},     {{Qt::Key_F3, Qt::ShiftModifier}, {10, 12}},
      {{Qt::Key_F3, Qt::ShiftModifier}, {5, 7}},  {{Qt::Key_Return, Qt::ShiftModifier}, {2, 4}},
  };
  for (const auto& [key, hit] : moves) {
    QTest::keyClick(d.bar->FindEdit, key.first, key.second);
    EXPECT_EQ(d.Selection(), hit) << hit.Start;
  }
  EXPECT_EQ(d.bar->Status->text(), "2 of 4");
  EXPECT_TRUE(d.form.isVisible()) << "Enter in the find field is not the dialog's";
  EXPECT_EQ(d.changes, 0);

  // Esc in the editor closes the bar and its marks, not the dialog (the find field's Esc is the code
  // dialog's test); the next Esc is the dialog's again.
  d.editor->setFocus();
  QTest::keyClick(d.editor, Qt::Key_Escape);
  EXPECT_FALSE(d.bar->isVisible());
  EXPECT_TRUE(d.form.isVisible());
  EXPECT_EQ(QApplication::focusWidget(), d.editor);
  EXPECT_TRUE(d.MarkedRanges().isEmpty());
  QTest::keyClick(d.editor, Qt::Key_Escape);
  EXPECT_EQ(d.form.ModalResult(), mrCancel);
}

TEST(SynFindBar, ReplaceAllIsOneUndoStepAndGoToLineRefusesBadLines) {
  TCodeDialog d("aaaa aaa\nxaay");
  QTest::keyClick(d.editor, Qt::Key_H, Qt::ControlModifier);
  ASSERT_TRUE(d.bar->ReplaceEdit->isVisible());
  QTest::keyClicks(d.bar->FindEdit, "aa");
  QTest::keyClicks(d.bar->ReplaceEdit, "b");
  // Enter in the replace field selects the next hit, then replaces it and selects the one after.
  QTest::keyClick(d.bar->ReplaceEdit, Qt::Key_Return);
  EXPECT_EQ(d.Selection(), (TSynHit{0, 2}));
  QTest::keyClick(d.bar->ReplaceEdit, Qt::Key_Return);
  EXPECT_EQ(d.editor->text(), "baa aaa\nxaay");
  EXPECT_EQ(d.Selection(), (TSynHit{1, 3}));
  EXPECT_EQ(d.changes, 1);

  d.changes = 0;
  EXPECT_EQ(d.bar->ReplaceAll(), 3);
  EXPECT_EQ(d.editor->text(), "bb ba\nxby");
  EXPECT_EQ(d.changes, 1);
  EXPECT_EQ(d.bar->Status->text(), "3 replaced");
  d.editor->setFocus();
  QTest::keyClick(d.editor, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(d.editor->text(), "baa aaa\nxaay") << "replace all is one undo step";
  QCoreApplication::processEvents();
  EXPECT_EQ(d.bar->Hits().size(), 3) << "the marks follow the text";

  d.bar->FindEdit->setText("zz");
  d.changes = 0;
  EXPECT_EQ(d.bar->ReplaceAll(), 0);
  EXPECT_EQ(d.editor->text(), "baa aaa\nxaay");
  EXPECT_EQ(d.changes, 0);

  QTest::keyClick(d.editor, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), d.bar->LineEdit);
  EXPECT_FALSE(d.bar->FindEdit->isVisible());
  QTest::keyClicks(d.bar->LineEdit, "9");
  QTest::keyClick(d.bar->LineEdit, Qt::Key_Return);
  EXPECT_TRUE(d.bar->isVisible()) << "a line the text does not have";
  EXPECT_EQ(d.bar->LineStatus->text(), "No line 9: lines 1 to 2");
  d.bar->LineEdit->setText("2");
  QTest::keyClick(d.bar->LineEdit, Qt::Key_Return);
  EXPECT_FALSE(d.bar->isVisible());
  int line = 0, index = 0;
  d.editor->getCursorPosition(&line, &index);
  EXPECT_EQ(line, 1);
  EXPECT_TRUE(d.form.isVisible());
}

TEST(SynEditHelp, CtrlSlashTogglesCommentsAsOneStepAndBlocksIndent) {
  struct TCase {
    const char* name;
    const char* text;
    int fromLine, toLine;  // selected lines; the selection ends at the start of toLine + 1 when asked
    const char* toggled;
  };
  const TCase cases[] = {
      {"mixed lines are all commented", "  a();\n  // b();\n\n    c();", 0, 3, "  // a();\n  // // b();\n\n  //   c();"},
      {"all commented: uncommented", "  // a();\n  //b();\n\n", 0, 2, "  a();\n  b();\n\n"},
      {"the caret's line alone", "x;\ny;", 1, 1, "x;\n// y;"},
      {"a selection ending at a line's start", "x;\ny;\nz;", 0, -2, "// x;\n// y;\nz;"},
  };
  TCodeDialog d("");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    d.editor->setText(c.text);
    d.editor->SendScintilla(Sci::SCI_EMPTYUNDOBUFFER);
    if (c.toLine == -2) d.editor->setSelection(0, 1, 2, 0);
    else if (c.fromLine == c.toLine) d.editor->setCursorPosition(c.fromLine, 0);
    else d.editor->setSelection(c.fromLine, 0, c.toLine, d.editor->text(c.toLine).size());
    d.changes = 0;
    QTest::keyClick(d.editor, Qt::Key_Slash, Qt::ControlModifier);
    EXPECT_EQ(d.editor->text(), c.toggled);
    EXPECT_EQ(d.changes, 1);
    QTest::keyClick(d.editor, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(d.editor->text(), c.text) << "one undo step";
  }

  // Enter keeps the indentation and adds a level after "{"; "}" goes back to the block's level.
  d.editor->setText("");
  d.editor->setIndentationsUseTabs(false);
  d.editor->setTabWidth(2);
  QTest::keyClicks(d.editor, "  void f() {");
  QTest::keyClick(d.editor, Qt::Key_Return);
  QTest::keyClicks(d.editor, "x;");
  QTest::keyClick(d.editor, Qt::Key_Return);
  QTest::keyClicks(d.editor, "}");
  QTest::keyClick(d.editor, Qt::Key_Return);
  QTest::keyClicks(d.editor, "y;");
  EXPECT_EQ(d.editor->text(), "  void f() {\n    x;\n  }\n  y;");
  EXPECT_TRUE(d.form.isVisible()) << "Enter still makes new lines";
}

TEST(SynCompletion, ListsOnCtrlSpaceOrAfterThreeLettersAndTakesTheChoice) {
  TCodeDialog d("");
  auto typeAndKey = [&](const char* text, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    d.editor->setText("");
    QTest::keyClicks(d.editor, text);
    QTest::keyClick(d.editor, key, mods);
  };
  struct TCase {
    const char* name;
    int threshold;
    const char* typed;
    bool listOpen;
  };
  const TCase opens[] = {
      {"two letters are not enough", 3, "pi", false}, {"three letters of a known name", 3, "pin", true},
      {"case ignored", 3, "PIN", true},               {"no known name", 3, "xyz", false},
      {"the whole name typed", 3, "HIGH", false},     {"the whole name at the threshold", 3, "LOW", false},
      {"members after the object's dot", 3, "Serial.pri", true},
      {"after a space no member", 3, "Serial pin", true},
      {"Ctrl+Space only", 0, "pinM", false},
  };
  for (const TCase& c : opens) {
    SCOPED_TRACE(c.name);
    d.completion->SetThreshold(c.threshold);
    d.editor->setText("");
    QTest::keyClicks(d.editor, c.typed);
    EXPECT_EQ(d.editor->isListActive(), c.listOpen);
    d.editor->cancelList();
  }
  d.completion->SetThreshold(0);
  typeAndKey("pi", Qt::Key_Space, Qt::ControlModifier);
  ASSERT_TRUE(d.editor->isListActive());
  d.changes = 0;
  QTest::keyClick(d.editor, Qt::Key_Return);
  EXPECT_EQ(d.editor->text(), "pinMode(") << "Enter takes the first name";
  EXPECT_EQ(d.changes, 1);
  EXPECT_TRUE(d.editor->isCallTipActive()) << "the call tip follows the function's (";
  EXPECT_TRUE(d.form.isVisible());
  QTest::keyClicks(d.editor, "13)");
  EXPECT_FALSE(d.editor->isCallTipActive()) << "the closing ) ends the tip";

  // Tab takes the choice even where Tab moves the focus; overloads list once per parameter list.
  d.editor->SetWantTabs(false);
  typeAndKey("Serial.printl", Qt::Key_Space, Qt::ControlModifier);
  QTest::keyClick(d.editor, Qt::Key_Down);
  QTest::keyClick(d.editor, Qt::Key_Tab);
  EXPECT_EQ(d.editor->text(), "Serial.println(");
  EXPECT_EQ(QApplication::focusWidget(), d.editor);
  QTest::keyClick(d.editor, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), d.editor) << "with the list closed Tab moves on";
  d.editor->setFocus();
  d.editor->SetWantTabs(true);

  // Esc closes the list and leaves the text and the dialog.
  typeAndKey("Ser", Qt::Key_Space, Qt::ControlModifier);
  ASSERT_TRUE(d.editor->isListActive());
  QTest::keyClick(d.editor, Qt::Key_Escape);
  EXPECT_FALSE(d.editor->isListActive());
  EXPECT_EQ(d.editor->text(), "Ser");
  EXPECT_TRUE(d.form.isVisible());
  // With no list open, Enter is a new line again.
  QTest::keyClick(d.editor, Qt::Key_Return);
  EXPECT_EQ(d.editor->text(), "Ser\n");

  // The names added for the user; a variable of a known type offers that type's members.
  d.completion->SetExtraNames([] {
    TSynApiList names = TSynApiList::Parse("readLevel(sensor)");
    TSynApiEntry message;
    message.Name = "message";
    message.TypeName = "String";
    names.Add(message);
    return names;
  });
  typeAndKey("readL", Qt::Key_Space, Qt::ControlModifier);
  QTest::keyClick(d.editor, Qt::Key_Return);
  EXPECT_EQ(d.editor->text(), "readLevel(");
  typeAndKey("message.", Qt::Key_Space, Qt::ControlModifier);
  QTest::keyClick(d.editor, Qt::Key_Return);
  EXPECT_EQ(d.editor->text(), "message.length(");

  EXPECT_THROW(TSynApiList::Parse("pinMode(pin, mode)\nnot a name"), std::exception);
}
