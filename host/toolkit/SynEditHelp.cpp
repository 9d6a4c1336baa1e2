#include "SynEditHelp.h"

#include "SynEdit.h"

#include <QKeyEvent>
#include <algorithm>
#include <climits>

namespace {
using Sci = QsciScintillaBase;

long Send(TSynEdit& e, unsigned int msg, unsigned long w = 0, long l = 0) { return e.SendScintilla(msg, w, l); }

// The line's first non-blank position, or its end when it is blank.
long FirstNonBlank(TSynEdit& e, long line) {
  long pos = Send(e, Sci::SCI_GETLINEINDENTPOSITION, line);
  return pos;
}

bool IsBlank(TSynEdit& e, long line) { return FirstNonBlank(e, line) == Send(e, Sci::SCI_GETLINEENDPOSITION, line); }

bool IsCommented(TSynEdit& e, long line) {
  const long at = FirstNonBlank(e, line);
  return Send(e, Sci::SCI_GETCHARAT, at) == '/' && Send(e, Sci::SCI_GETCHARAT, at + 1) == '/';
}
}  // namespace

TSynEditHelp::TSynEditHelp(TSynEdit* editor) : QObject(editor), FEditor(editor) {
  editor->setBraceMatching(QsciScintilla::SloppyBraceMatch);
  editor->setMatchedBraceBackgroundColor(QColor(0xc8, 0xe6, 0xff));
  editor->setMatchedBraceForegroundColor(Qt::black);
  editor->setUnmatchedBraceBackgroundColor(QColor(0xff, 0xd0, 0xd0));
  editor->setUnmatchedBraceForegroundColor(QColor(0xc0, 0, 0));
  editor->installEventFilter(this);
  connect(editor, &QsciScintillaBase::SCN_CHARADDED, this, &TSynEditHelp::CharAdded);
}

void TSynEditHelp::ToggleComment(TSynEdit& e) {
  const long anchor = Send(e, Sci::SCI_GETANCHOR), caret = Send(e, Sci::SCI_GETCURRENTPOS);
  const long selStart = std::min(anchor, caret), selEnd = std::max(anchor, caret);
  const long first = Send(e, Sci::SCI_LINEFROMPOSITION, selStart);
  long last = Send(e, Sci::SCI_LINEFROMPOSITION, selEnd);
  // A selection that ends at the start of a line does not take that line.
  if (last > first && selEnd == Send(e, Sci::SCI_POSITIONFROMLINE, last)) --last;
  bool allCommented = true, anyText = false;
  long indent = LONG_MAX;
  for (long line = first; line <= last; ++line) {
    if (IsBlank(e, line)) continue;
    anyText = true;
    allCommented = allCommented && IsCommented(e, line);
    indent = std::min(indent, Send(e, Sci::SCI_GETLINEINDENTATION, line));
  }
  if (!anyText) return;
  e.RunChange([&] {
    e.beginUndoAction();
    // From the last line up, so that the positions of the lines above stay valid.
    for (long line = last; line >= first; --line) {
      if (IsBlank(e, line)) continue;
      if (allCommented) {
        const long at = FirstNonBlank(e, line);
        const long length = Send(e, Sci::SCI_GETCHARAT, at + 2) == ' ' ? 3 : 2;
        Send(e, Sci::SCI_DELETERANGE, at, length);
      } else {
        const long at = Send(e, Sci::SCI_FINDCOLUMN, line, indent);
        e.SendScintilla(Sci::SCI_INSERTTEXT, at, "// ");
      }
    }
    e.endUndoAction();
  });
}

void TSynEditHelp::CharAdded(int ch) {
  TSynEdit& e = *FEditor;
  const long caret = Send(e, Sci::SCI_GETCURRENTPOS);
  const long line = Send(e, Sci::SCI_LINEFROMPOSITION, caret);
  const int width = e.indentationWidth() > 0 ? e.indentationWidth() : e.tabWidth();
  if (ch == '\n' || ch == '\r') {
    // A CR LF pair reports both characters; the line was begun by the first.
    if (ch == '\r' && e.eolMode() == QsciScintilla::EolWindows) return;
    if (line == 0) return;
    // The previous non-blank line's indentation, one level more when it opens a block.
    long above = line - 1;
    while (above > 0 && IsBlank(e, above)) --above;
    long indent = Send(e, Sci::SCI_GETLINEINDENTATION, above);
    long end = Send(e, Sci::SCI_GETLINEENDPOSITION, above);
    while (end > Send(e, Sci::SCI_POSITIONFROMLINE, above) &&
           (Send(e, Sci::SCI_GETCHARAT, end - 1) == ' ' || Send(e, Sci::SCI_GETCHARAT, end - 1) == '\t'))
      --end;
    if (end > 0 && Send(e, Sci::SCI_GETCHARAT, end - 1) == '{') indent += width;
    // Text moved down from behind the caret keeps its place after the indentation.
    if (Send(e, Sci::SCI_GETLINEINDENTATION, line) == indent) return;
    const long rest = Send(e, Sci::SCI_GETLINEENDPOSITION, line) - caret;
    e.setIndentation(int(line), int(indent));
    Send(e, Sci::SCI_GOTOPOS, Send(e, Sci::SCI_GETLINEENDPOSITION, line) - rest);
  } else if (ch == '}') {
    // Only as the line's first character: the block's closing goes back to the opening's level.
    if (FirstNonBlank(e, line) != caret - 1 || line == 0) return;
    Send(e, Sci::SCI_COLOURISE, 0, caret);  // braces match only within one style
    const long match = Send(e, Sci::SCI_BRACEMATCH, caret - 1, 0);
    long indent = Send(e, Sci::SCI_GETLINEINDENTATION, line) - width;
    if (match >= 0) indent = Send(e, Sci::SCI_GETLINEINDENTATION, Send(e, Sci::SCI_LINEFROMPOSITION, match));
    e.setIndentation(int(line), int(std::max(0L, indent)));
    Send(e, Sci::SCI_GOTOPOS, Send(e, Sci::SCI_GETLINEINDENTPOSITION, line) + 1);
  }
}

bool TSynEditHelp::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FEditor || event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Slash && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
    ToggleComment(*FEditor);
    return true;
  }
  return false;
}
