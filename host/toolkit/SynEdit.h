#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <functional>
#include <Qsci/qscilexercpp.h>
#include <Qsci/qsciscintilla.h>

// C++ highlighter whose colours a layout sets by attribute. The colours are those of the classic
// attributes; Qt's named colours (green, maroon, navy, blue) are the classic ones. The fonts follow
// the editor the highlighter is attached to.
class TSynCppSyn : public QsciLexerCPP {
  Q_OBJECT
  Q_PROPERTY(QColor CommentForeground READ CommentForeground WRITE SetCommentForeground)
  Q_PROPERTY(QColor DirectiveForeground READ DirectiveForeground WRITE SetDirectiveForeground)
  Q_PROPERTY(QColor KeywordForeground READ KeywordForeground WRITE SetKeywordForeground)
  Q_PROPERTY(QColor FloatForeground READ FloatForeground WRITE SetFloatForeground)
  Q_PROPERTY(bool FloatBold READ FloatBold WRITE SetFloatBold)
  Q_PROPERTY(QColor StringForeground READ StringForeground WRITE SetStringForeground)
  // Kept for layouts that state it; the highlighter always colours C++, so it changes nothing.
  Q_PROPERTY(bool LanguageAutoDetection MEMBER FLanguageAutoDetection)
public:
  explicit TSynCppSyn(QObject* parent = nullptr);

  QColor CommentForeground() const { return color(Comment); }
  void SetCommentForeground(const QColor& c);
  QColor DirectiveForeground() const { return color(PreProcessor); }
  void SetDirectiveForeground(const QColor& c);
  QColor KeywordForeground() const { return color(Keyword); }
  void SetKeywordForeground(const QColor& c);
  // The lexer has one number style for integers and floating-point numbers alike, so the float
  // attribute colours every number.
  QColor FloatForeground() const { return color(Number); }
  void SetFloatForeground(const QColor& c);
  bool FloatBold() const { return FFloatBold; }
  void SetFloatBold(bool on);
  QColor StringForeground() const { return color(DoubleQuotedString); }
  void SetStringForeground(const QColor& c);

  // Every style in `font`, the bold attributes in its bold cut.
  void ApplyFont(const QFont& font);

private:
  void SetColors(const QColor& c, std::initializer_list<int> styles);
  QFont FFont;
  bool FFloatBold = false;
  bool FLanguageAutoDetection = false;
};

// Code editor control. Options is a set of the classic editor options, mapped onto the editor where
// it has an equivalent; OnChange reports every change of the text once, whatever number of edit
// steps the change took (typing over a selection deletes and inserts).
//
// A text with a line of LongLine characters or more is shown without colouring: the highlighter
// colours, and the editor lays out, a whole line on every change, which past that length costs more
// than a keystroke may. Plain text is styled here in short runs that move with the text, so that
// the editor finds each run's measure in its cache. Colouring comes back with the next whole text
// whose lines are all shorter.
class TSynEdit : public QsciScintilla {
  Q_OBJECT
public:
  enum TSynEditorOption : unsigned {
    eoAutoIndent = 1u << 0,        // a new line starts at the indentation of the previous one
    eoDragDropEditing = 1u << 1,   // text can be dropped into the editor
    eoEnhanceEndKey = 1u << 2,     // End goes to the last non-blank character first, then to the line's end
    eoEnhanceHomeKey = 1u << 3,    // Home goes to the first non-blank character first
    eoGroupUndo = 1u << 4,         // the editor always groups typed characters into one undo step
    eoScrollPastEol = 1u << 5,     // the caret may move past the end of a line
    eoShowScrollHint = 1u << 6,    // kept: the editor shows no hint while scrolling
    eoShowSpecialChars = 1u << 7,  // spaces, tabs and line ends are drawn
    eoTabsToSpaces = 1u << 8,      // Tab inserts spaces
  };
  Q_DECLARE_FLAGS(TSynEditorOptions, TSynEditorOption)
  Q_FLAG(TSynEditorOptions)

  Q_PROPERTY(TSynEditorOptions Options READ Options WRITE SetOptions)
  Q_PROPERTY(bool WantTabs READ WantTabs WRITE SetWantTabs)
  Q_PROPERTY(TSynCppSyn* Highlighter READ Highlighter WRITE SetHighlighter)
  Q_PROPERTY(QFont GutterFont READ GutterFont WRITE SetGutterFont)
  Q_PROPERTY(bool GutterShowLineNumbers READ GutterShowLineNumbers WRITE SetGutterShowLineNumbers)
  Q_PROPERTY(bool UseCodeFolding READ UseCodeFolding WRITE SetUseCodeFolding)
  Q_PROPERTY(int TabWidth READ tabWidth WRITE setTabWidth)
  Q_PROPERTY(QString Text READ text WRITE setText)
  Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)

  static constexpr int LongLine = 10000;

  explicit TSynEdit(QWidget* parent = nullptr);

  TSynEditorOptions Options() const { return FOptions; }
  void SetOptions(TSynEditorOptions options);
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool on) { FWantTabs = on; }
  TSynCppSyn* Highlighter() const { return FHighlighter; }
  // True while a long line keeps the highlighter off.
  bool ShowsPlainText() const { return FPlain; }
  void SetHighlighter(TSynCppSyn* highlighter);
  QFont GutterFont() const { return FGutterFont; }
  void SetGutterFont(const QFont& font);
  bool GutterShowLineNumbers() const { return FGutterShowLineNumbers; }
  void SetGutterShowLineNumbers(bool on);
  bool UseCodeFolding() const { return FUseCodeFolding; }
  void SetUseCodeFolding(bool on);

  // The text split into lines as the host's string list splits it (CR LF, LF or CR); SetLines joins
  // them with the editor's line break. Both replace the whole text; SetLines also starts a new undo
  // history, as a newly opened text has none.
  QStringList Lines() const;
  void SetLines(const QStringList& lines);

  // Whole text. New lines the user types take the line break the text already uses.
  void setText(const QString& text) override;
  void append(const QString& text) override;
  void clear() override;
  void cut() override;
  void paste() override;
  void undo() override;
  void redo() override;
  void insert(const QString& text) override;
  void insertAt(const QString& text, int line, int index) override;
  void removeSelectedText() override;
  void replaceSelectedText(const QString& text) override;

  // Runs `step` as one change of the text: the edits inside it report one OnChange at its end.
  void RunChange(const std::function<void()>& step);
  // Room above the text for a bar placed there, such as the find bar.
  void SetTopBarHeight(int pixels) { setViewportMargins(0, pixels, 0, 0); }

signals:
  void OnChange(QObject* Sender);
  void OnEnter(QObject* Sender);
  void OnExit(QObject* Sender);

protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool focusNextPrevChild(bool next) override;

private:
  // Runs one change of the text: the edit steps inside it report one OnChange at its end.
  template <class F>
  auto Change(F&& f) {
    struct TScope {
      TSynEdit* Edit;
      ~TScope() { Edit->EndChange(); }
    } scope{this};
    ++FChanging;
    return f();
  }
  void EndChange();
  void TextChanged();
  void ApplyFont();
  void ApplyGutter();
  void EndToLastNonBlank(bool extend);
  void SetPlain(bool on);
  void StylePlain(int end);

  TSynEditorOptions FOptions;
  bool FWantTabs = false;
  TSynCppSyn* FHighlighter = nullptr;
  QFont FGutterFont;
  bool FGutterShowLineNumbers = false;
  bool FUseCodeFolding = false;
  int FChanging = 0;
  bool FChanged = false;
  bool FApplyingFont = false;
  bool FPlain = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TSynEdit::TSynEditorOptions)
