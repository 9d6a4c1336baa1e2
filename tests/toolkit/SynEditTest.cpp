#include "toolkit/Forms.h"
#include "toolkit/SynEdit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A dialog with a code editor, a one-line edit, a drop-down and OK / Cancel.
struct TDialog {
  TForm form;
  TSynEdit* editor = new TSynEdit(&form);
  QLineEdit* line = new QLineEdit(&form);
  QComboBox* combo = new QComboBox(&form);
  TButton* ok = new TButton(&form);
  TButton* cancel = new TButton(&form);
  TDialog() {
    combo->addItems({"one", "two"});
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
  }
  void Open(QWidget* focus) {
    form.SetModalResult(mrNone);
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    focus->setFocus();
  }
};

class TLayoutForm : public TForm {
  Q_OBJECT
public:
  explicit TLayoutForm(const QString& layout) { LoadLayout(layout); }
};
}  // namespace

TEST(DialogKeys, TheFocusedControlThatWantsTheKeyKeepsIt) {
  TDialog d;
  d.Open(d.editor);
  QTest::keyClicks(d.editor, "int x;");
  QTest::keyClick(d.editor, Qt::Key_Return);
  QTest::keyClicks(d.editor, "x = 1;");
  EXPECT_TRUE(d.form.isVisible()) << "Enter in a multi-line editor makes a new line";
  EXPECT_EQ(d.editor->Lines(), QStringList({"int x;", "x = 1;"}));
  // Tab is typed into the text only when the editor wants tabs; otherwise it moves on.
  d.editor->SetWantTabs(true);
  QTest::keyClick(d.editor, Qt::Key_Tab);
  EXPECT_EQ(d.editor->text(), "int x;\nx = 1;\t");
  d.editor->SetWantTabs(false);
  QTest::keyClick(d.editor, Qt::Key_Tab);
  EXPECT_NE(d.form.focusWidget(), d.editor);
  EXPECT_EQ(d.editor->text(), "int x;\nx = 1;\t");

  d.Open(d.line);
  QTest::keyClick(d.line, Qt::Key_Return);
  EXPECT_FALSE(d.form.isVisible()) << "Enter in a one-line edit is the default button's";
  EXPECT_EQ(d.form.ModalResult(), mrOk);

  d.Open(d.editor);
  QTest::keyClick(d.editor, Qt::Key_Escape);
  EXPECT_FALSE(d.form.isVisible());
  EXPECT_EQ(d.form.ModalResult(), mrCancel);

  // Esc in an open drop-down list closes only the list: through the form's window, as this platform
  // delivers it, and at the list, as platforms that give a popup the keyboard do.
  for (bool atTheList : {false, true}) {
    d.Open(d.combo);
    d.combo->showPopup();
    ASSERT_TRUE(d.combo->view()->isVisible());
    if (atTheList) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else QTest::keyClick(d.form.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(d.combo->view()->isVisible()) << atTheList;
    EXPECT_TRUE(d.form.isVisible()) << atTheList;
    QTest::keyClick(d.combo, Qt::Key_Escape);
    EXPECT_FALSE(d.form.isVisible()) << "with the list closed Esc is the cancel button's";
  }

  // A form placed in another control as one of its children has no dialog keys.
  QWidget host;
  TForm inplace;
  auto* clicked = new TButton(&inplace);
  clicked->SetDefault(true);
  clicked->SetCancel(true);
  int clicks = 0;
  QObject::connect(clicked, &TButton::clicked, [&] { ++clicks; });
  auto* edit = new QLineEdit(&inplace);
  inplace.setParent(&host, Qt::Widget);
  host.show();
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Return);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(inplace.isVisible());
}

TEST(SynEdit, OneChangeReportPerChangeAndTheLinesOfTheHostList) {
  TSynEdit editor;
  int changes = 0;
  QObject::connect(&editor, &TSynEdit::OnChange, [&] { ++changes; });
  editor.setText("first\nsecond");
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"set over text", [&] { editor.setText("abc"); }},
      {"type over a selection", [&] { editor.selectAll(); QTest::keyClick(&editor, Qt::Key_X); }},
      {"paste over a selection", [&] { QApplication::clipboard()->setText("pasted"); editor.selectAll(); editor.paste(); }},
      {"undo", [&] { editor.undo(); }},
  };
  for (const auto& [name, step] : steps) {
    changes = 0;
    step();
    EXPECT_EQ(changes, 1) << name;
  }
  changes = 0;
  editor.setSelection(0, 0, 0, 1);
  EXPECT_EQ(changes, 0) << "selecting is no change";

  editor.setText("a\r\nb\rc\n");
  EXPECT_EQ(editor.Lines(), QStringList({"a", "b", "c", ""}));
  EXPECT_EQ(editor.eolMode(), QsciScintilla::EolWindows) << "new lines follow the text's own line breaks";
  editor.SetLines({"x", "y"});
  EXPECT_EQ(editor.text(), "x\r\ny");
  EXPECT_FALSE(editor.isUndoAvailable()) << "new lines start a new history";

  // End goes to the last non-blank character first, then to the end of the line.
  editor.SetOptions(TSynEdit::eoEnhanceEndKey);
  editor.setText("ab  ");
  editor.setCursorPosition(0, 0);
  int line = 0, index = 0;
  for (int expected : {2, 4, 2}) {
    QTest::keyClick(&editor, Qt::Key_End);
    editor.getCursorPosition(&line, &index);
    EXPECT_EQ(index, expected);
  }
}

// Typed text outside ASCII comes back as typed, and Backspace takes one whole character.
TEST(SynEdit, TypedTextKeepsEveryCharacter) {
  const std::pair<const char*, const char*> cases[] = {
      {"latin letters", "Gr\u00FC\u00DFe"},
      {"euro sign", "5 \u20AC"},
      {"japanese", "\u65E5\u672C"},
  };
  TSynEdit editor;
  editor.show();
  editor.setFocus();
  for (const auto& [name, utf8] : cases) {
    SCOPED_TRACE(name);
    const QString typed = QString::fromUtf8(utf8);
    editor.setText({});
    // keyClicks knows only ASCII keys: each character goes as the text of a key of its own.
    for (const QChar ch : typed) QTest::sendKeyEvent(QTest::Click, &editor, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    EXPECT_EQ(editor.text(), typed);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_EQ(editor.text(), typed.chopped(1));
  }
}

TEST(SynEdit, ALongLineIsPlainTextInShortRunsThatMoveWithIt) {
  TSynEdit editor;
  TSynCppSyn cpp;
  editor.SetHighlighter(&cpp);
  editor.resize(300, 100);
  editor.show();
  auto styleAt = [&](int position) {
    editor.SendScintilla(QsciScintilla::SCI_COLOURISE, 0ul, -1l);
    return int(editor.SendScintilla(QsciScintilla::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
  };
  editor.setText(QString(TSynEdit::LongLine, QLatin1Char('x')));
  EXPECT_TRUE(editor.ShowsPlainText());
  EXPECT_EQ(editor.lexer(), nullptr);
  const int first = styleAt(0), second = styleAt(20);
  EXPECT_NE(first, second) << "runs of 20";
  EXPECT_EQ(styleAt(19), first);
  editor.setFocus();
  editor.setCursorPosition(0, 5);
  QTest::keyClicks(&editor, "ab");
  EXPECT_EQ(styleAt(22), second) << "the runs after the edit moved with their text";
  EXPECT_EQ(styleAt(41), second);
  editor.setText("int x = 1;");
  EXPECT_FALSE(editor.ShowsPlainText());
  EXPECT_EQ(editor.lexer(), &cpp);
}

TEST(SynEdit, ALayoutSetsOptionsFontsAndTheHighlighter) {
  QTemporaryDir dir;
  QFile file(dir.filePath("code.json"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(R"({"controls": [
    {"name": "Editor", "class": "TSynEdit", "bounds": [0, 0, 300, 200],
     "properties": {"Font": "Courier New,-13", "GutterFont": "Courier New,-11", "Highlighter": "Syn",
                    "Options": "eoDragDropEditing|eoShowSpecialChars", "Constraints": {"MinHeight": 40}, "Cursor": "crIBeam"}},
    {"name": "Syn", "class": "TSynCppSyn",
     "properties": {"CommentForeground": "green", "DirectiveForeground": "maroon", "KeywordForeground": "navy",
                    "FloatForeground": "navy", "FloatBold": true, "StringForeground": "blue"}}]})");
  file.close();
  TLayoutForm form(file.fileName());
  auto* editor = form.findChild<TSynEdit*>("Editor");
  auto* syn = form.findChild<TSynCppSyn*>("Syn");
  ASSERT_TRUE(editor && syn);
  EXPECT_EQ(editor->Highlighter(), syn);
  EXPECT_EQ(editor->Options(), TSynEdit::eoDragDropEditing | TSynEdit::eoShowSpecialChars);
  EXPECT_EQ(editor->whitespaceVisibility(), QsciScintilla::WsVisible);
  EXPECT_TRUE(editor->eolVisibility());
  EXPECT_EQ(editor->minimumHeight(), 40);
  EXPECT_EQ(editor->cursor().shape(), Qt::IBeamCursor);
  // The classic colours; the font of the editor in every style, numbers bold.
  EXPECT_EQ(syn->color(QsciLexerCPP::CommentLine), QColor(0, 0x80, 0));
  EXPECT_EQ(syn->color(QsciLexerCPP::DoubleQuotedString), QColor(0, 0, 0xFF));
  EXPECT_EQ(QFontMetrics(syn->font(QsciLexerCPP::Keyword)).height(), QFontMetrics(editor->font()).height());
  EXPECT_TRUE(syn->font(QsciLexerCPP::Number).bold());

  file.open(QIODevice::WriteOnly);
  file.write(R"({"controls": [{"name": "Editor", "class": "TSynEdit", "properties": {"Highlighter": "Missing"}}]})");
  file.close();
  EXPECT_THROW(TLayoutForm{file.fileName()}, std::exception);
}

#include "SynEditTest.moc"
