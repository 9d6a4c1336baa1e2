#include "SynEdit.h"

#include "StringArrayList.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

// ----------------------------------------------------------------------------------------- TSynCppSyn

TSynCppSyn::TSynCppSyn(QObject* parent) : QsciLexerCPP(parent), FFont(QsciLexer::defaultFont()) {}

void TSynCppSyn::SetColors(const QColor& c, std::initializer_list<int> styles) {
  for (int style : styles) setColor(c, style);
}

void TSynCppSyn::SetCommentForeground(const QColor& c) {
  SetColors(c, {Comment, CommentLine, CommentDoc, CommentLineDoc, CommentDocKeyword, CommentDocKeywordError,
                PreProcessorComment, PreProcessorCommentLineDoc});
}

void TSynCppSyn::SetDirectiveForeground(const QColor& c) { SetColors(c, {PreProcessor}); }
void TSynCppSyn::SetKeywordForeground(const QColor& c) { SetColors(c, {Keyword}); }
void TSynCppSyn::SetFloatForeground(const QColor& c) { SetColors(c, {Number}); }

void TSynCppSyn::SetFloatBold(bool on) {
  FFloatBold = on;
  ApplyFont(FFont);
}

void TSynCppSyn::SetStringForeground(const QColor& c) {
  SetColors(c, {DoubleQuotedString, SingleQuotedString, RawString, VerbatimString, TripleQuotedVerbatimString,
                HashQuotedString});
}

void TSynCppSyn::ApplyFont(const QFont& font) {
  FFont = font;
  setDefaultFont(font);
  setFont(font, -1);
  if (FFloatBold) {
    QFont bold(font);
    bold.setBold(true);
    setFont(bold, Number);
  }
}

// ------------------------------------------------------------------------------------------- TSynEdit

namespace {
// The editor sizes its fonts in points only; a font given in pixels becomes the same size in points.
QFont PointSized(QFont font, const QWidget* widget) {
  if (font.pixelSize() > 0) font.setPointSizeF(font.pixelSize() * 72.0 / widget->logicalDpiY());
  return font;
}
}  // namespace

TSynEdit::TSynEdit(QWidget* parent) : QsciScintilla(parent), FGutterFont(font()) {
  setUtf8(true);
  // The form's dialog keys leave Enter to a multi-line editor.
  setInputMethodHints(inputMethodHints() | Qt::ImhMultiLine);
  setFolding(NoFoldStyle);
  setMarginWidth(1, 0);  // no bookmarks or markers
  // The horizontal scroll bar shows when a line is wider than the editor, not before.
  SendScintilla(SCI_SETSCROLLWIDTH, 1);
  SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
  connect(this, &QsciScintilla::textChanged, this, &TSynEdit::TextChanged);
  connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, &TSynEdit::StylePlain);
  SetOptions(FOptions);
  ApplyGutter();
}

void TSynEdit::SetOptions(TSynEditorOptions options) {
  FOptions = options;
  setAutoIndent(options & eoAutoIndent);
  viewport()->setAcceptDrops(options & eoDragDropEditing);
  const bool home = options & eoEnhanceHomeKey;
  SendScintilla(SCI_ASSIGNCMDKEY, SCK_HOME, home ? SCI_VCHOME : SCI_HOME);
  SendScintilla(SCI_ASSIGNCMDKEY, SCK_HOME | (SCMOD_SHIFT << 16), home ? SCI_VCHOMEEXTEND : SCI_HOMEEXTEND);
  SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, (options & eoScrollPastEol) ? SCVS_USERACCESSIBLE : SCVS_NONE);
  const bool special = options & eoShowSpecialChars;
  setWhitespaceVisibility(special ? WsVisible : WsInvisible);
  setEolVisibility(special);
  setIndentationsUseTabs(!(options & eoTabsToSpaces));
  // eoGroupUndo: the editor merges typed characters into one undo step in any case.
  // eoShowScrollHint: no equivalent; the option is only kept.
}

void TSynEdit::SetHighlighter(TSynCppSyn* highlighter) {
  if (highlighter == FHighlighter) return;
  if (FHighlighter) disconnect(FHighlighter, &QObject::destroyed, this, nullptr);
  FHighlighter = highlighter;
  if (FHighlighter) {
    connect(FHighlighter, &QObject::destroyed, this, [this] { FHighlighter = nullptr; });
    FHighlighter->ApplyFont(PointSized(font(), this));
  }
  if (!FPlain) setLexer(FHighlighter);
  ApplyGutter();  // setting a lexer restyles the margins
}

void TSynEdit::SetPlain(bool on) {
  if (on == FPlain) return;
  FPlain = on;
  // Plain runs are told apart by style only; the cache must hold a long line's worth of them.
  SendScintilla(SCI_SETPOSITIONCACHE, on ? 16384ul : 1024ul);
  setLexer(on ? nullptr : FHighlighter);
  ApplyFont();
  if (on) {
    SendScintilla(SCI_STYLECLEARALL);
    SendScintilla(SCI_CLEARDOCUMENTSTYLE);  // every character new: StylePlain styles them all
    SendScintilla(SCI_COLOURISE, 0ul, -1l);
  }
  ApplyGutter();
}

void TSynEdit::StylePlain(int end) {
  if (!FPlain) return;
  const long start = SendScintilla(SCI_GETENDSTYLED);
  if (end <= start) return;
  // Text inserted since the last styling has style 0; what was styled keeps its runs, which moved
  // with it. New text gets runs of 20 in styles 1 and 2, which look alike, so a line breaks into
  // pieces short enough for the editor's measure cache, and an edit changes only its own piece.
  QByteArray styled(2 * (end - start) + 2, 0);
  SendScintilla(SCI_GETSTYLEDTEXT, start, long(end), styled.data());
  QByteArray styles(end - start, 0);
  char previous = start > 0 ? char(SendScintilla(SCI_GETSTYLEAT, static_cast<unsigned long>(start - 1))) : 2;
  int run = 0;
  for (qsizetype i = 0; i < end - start; ++i) {
    char style = styled[2 * i + 1];
    if (style == 0) {
      if (run == 0 || run == 20) {
        style = previous == 1 ? 2 : 1;
        run = 0;
      } else {
        style = previous;
      }
      ++run;
    } else {
      run = 0;
    }
    styles[i] = previous = style;
  }
  SendScintilla(SCI_STARTSTYLING, static_cast<unsigned long>(start));
  SendScintilla(SCI_SETSTYLINGEX, uintptr_t(styles.size()), styles.constData());
}

void TSynEdit::SetGutterFont(const QFont& font) {
  FGutterFont = font;
  ApplyGutter();
}

void TSynEdit::SetGutterShowLineNumbers(bool on) {
  FGutterShowLineNumbers = on;
  ApplyGutter();
}

void TSynEdit::SetUseCodeFolding(bool on) {
  FUseCodeFolding = on;
  setFolding(on ? BoxedTreeFoldStyle : NoFoldStyle);
}

void TSynEdit::ApplyGutter() {
  setMarginsFont(PointSized(FGutterFont, this));
  setMarginType(0, NumberMargin);
  setMarginLineNumbers(0, FGutterShowLineNumbers);
  if (FGutterShowLineNumbers) setMarginWidth(0, QStringLiteral("00000"));
  else setMarginWidth(0, 0);
}

void TSynEdit::ApplyFont() {
  if (FApplyingFont) return;
  FApplyingFont = true;
  if (FHighlighter) FHighlighter->ApplyFont(PointSized(font(), this));
  if (!FHighlighter || FPlain) QsciScintilla::setFont(PointSized(font(), this));
  FApplyingFont = false;
}

void TSynEdit::changeEvent(QEvent* event) {
  QsciScintilla::changeEvent(event);
  // Layouts set the font as a widget's; the editor keeps fonts per style.
  if (event->type() == QEvent::FontChange) ApplyFont();
}

QStringList TSynEdit::Lines() const {
  TStringArrayList lines;
  lines.SetText(text());
  return lines.ToStringList();
}

void TSynEdit::SetLines(const QStringList& lines) {
  const QString eol = eolMode() == EolWindows ? QStringLiteral("\r\n")
                      : eolMode() == EolMac   ? QStringLiteral("\r")
                                              : QStringLiteral("\n");
  setText(lines.join(eol));
  SendScintilla(SCI_EMPTYUNDOBUFFER);
}

void TSynEdit::setText(const QString& text) {
  const qsizetype lf = text.indexOf(QLatin1Char('\n')), cr = text.indexOf(QLatin1Char('\r'));
  if (cr >= 0 && (lf < 0 || cr < lf)) setEolMode(lf == cr + 1 ? EolWindows : EolMac);
  else if (lf >= 0) setEolMode(EolUnix);
  qsizetype longest = 0;
  for (qsizetype from = 0; from <= text.size();) {
    qsizetype next = from;
    while (next < text.size() && text[next] != QLatin1Char('\n') && text[next] != QLatin1Char('\r')) ++next;
    longest = std::max(longest, next - from);
    from = next + 1;
  }
  // Chosen before the text arrives, so a long line is never coloured as a whole.
  SetPlain(longest >= LongLine);
  Change([&] { QsciScintilla::setText(text); });
}

void TSynEdit::append(const QString& text) { Change([&] { QsciScintilla::append(text); }); }
void TSynEdit::clear() { Change([&] { QsciScintilla::clear(); }); }
void TSynEdit::cut() { Change([&] { QsciScintilla::cut(); }); }
void TSynEdit::paste() { Change([&] { QsciScintilla::paste(); }); }
void TSynEdit::undo() { Change([&] { QsciScintilla::undo(); }); }
void TSynEdit::redo() { Change([&] { QsciScintilla::redo(); }); }
void TSynEdit::insert(const QString& text) { Change([&] { QsciScintilla::insert(text); }); }
void TSynEdit::insertAt(const QString& text, int line, int index) {
  Change([&] { QsciScintilla::insertAt(text, line, index); });
}
void TSynEdit::removeSelectedText() { Change([&] { QsciScintilla::removeSelectedText(); }); }
void TSynEdit::replaceSelectedText(const QString& text) { Change([&] { QsciScintilla::replaceSelectedText(text); }); }

void TSynEdit::TextChanged() {
  if (!FPlain && SendScintilla(SCI_LINELENGTH, SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS))) >= LongLine)
    QTimer::singleShot(0, this, [this] { SetPlain(true); });  // not inside the editor's own notification
  if (FChanging) FChanged = true;
  else emit OnChange(this);
}

void TSynEdit::EndChange() {
  if (--FChanging == 0 && FChanged) {
    FChanged = false;
    emit OnChange(this);
  }
}

// Keys, input methods, mouse and drops arrive as events: each event is one change at most.
bool TSynEdit::event(QEvent* event) {
  return Change([&] { return QsciScintilla::event(event); });
}

bool TSynEdit::viewportEvent(QEvent* event) {
  return Change([&] { return QsciScintilla::viewportEvent(event); });
}

void TSynEdit::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if ((FOptions & eoEnhanceEndKey) && event->key() == Qt::Key_End && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
    EndToLastNonBlank(mods == Qt::ShiftModifier);
    event->accept();
    return;
  }
  QsciScintilla::keyPressEvent(event);
}

void TSynEdit::EndToLastNonBlank(bool extend) {
  const long pos = SendScintilla(SCI_GETCURRENTPOS);
  const long line = SendScintilla(SCI_LINEFROMPOSITION, pos);
  const long start = SendScintilla(SCI_POSITIONFROMLINE, line);
  const long end = SendScintilla(SCI_GETLINEENDPOSITION, line);
  long last = end;
  while (last > start) {
    const long c = SendScintilla(SCI_GETCHARAT, last - 1);
    if (c != ' ' && c != '\t') break;
    --last;
  }
  const long target = pos == last ? end : last;
  if (extend) SendScintilla(SCI_SETCURRENTPOS, target);
  else SendScintilla(SCI_GOTOPOS, target);
  SendScintilla(SCI_CHOOSECARETX);
  SendScintilla(SCI_SCROLLCARET);
}

void TSynEdit::focusInEvent(QFocusEvent* event) {
  QsciScintilla::focusInEvent(event);
  // Only moves between the controls of a form count; the window's activation and popups do not.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit OnEnter(this);
}

void TSynEdit::focusOutEvent(QFocusEvent* event) {
  QsciScintilla::focusOutEvent(event);
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) emit OnExit(this);
}

bool TSynEdit::focusNextPrevChild(bool next) {
  if (FWantTabs) return QsciScintilla::focusNextPrevChild(next);
  return QWidget::focusNextPrevChild(next);
}

void TSynEdit::RunChange(const std::function<void()>& step) { Change(step); }
