#include "SynFindBar.h"

#include "SynEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <functional>

namespace {
using Sci = QsciScintillaBase;
}

namespace {
// Word characters as the editor counts them: letters, digits, "_" and every byte of a UTF-8 sequence.
bool IsWordByte(unsigned char c) { return c >= 0x80 || c == '_' || std::isalnum(c); }

// The search over the text's bytes, for a needle of ASCII characters: one pass of Horspool's
// algorithm, case folded when asked; several times faster than the editor's own search.
QList<TSynHit> FindAscii(const char* text, long length, const QByteArray& needle, bool matchCase, bool wholeWord) {
  QList<TSynHit> hits;
  auto fold = [matchCase](unsigned char c) { return matchCase ? c : static_cast<unsigned char>(std::tolower(c)); };
  auto same = [&](char a, char b) { return fold(static_cast<unsigned char>(a)) == fold(static_cast<unsigned char>(b)); };
  auto hash = [&](char c) { return std::hash<unsigned char>()(fold(static_cast<unsigned char>(c))); };
  const std::boyer_moore_horspool_searcher searcher(needle.cbegin(), needle.cend(), hash, same);
  for (const char* from = text; from < text + length;) {
    const auto [at, end] = searcher(from, text + length);
    if (at == end) break;
    const bool word = !wholeWord || ((at == text || !IsWordByte(at[-1])) && (end == text + length || !IsWordByte(*end)));
    if (word) {
      hits.append({long(at - text), long(end - text)});
      from = end;
    } else {
      from = at + 1;
    }
  }
  return hits;
}

// A needle beyond ASCII: the text as characters, case folded through Unicode; the hits' character
// positions are counted back into UTF-8 bytes.
QList<TSynHit> FindUnicode(const char* bytes, long length, const QString& needle, bool matchCase, bool wholeWord) {
  QList<TSynHit> hits;
  const QString text = QString::fromUtf8(bytes, length);
  auto isWord = [](QChar c) { return c.unicode() >= 0x80 || c == QLatin1Char('_') || c.isLetterOrNumber(); };
  auto utf8Length = [&](qsizetype from, qsizetype to) {
    long n = 0;
    for (qsizetype i = from; i < to; ++i) {
      const char16_t c = text[i].unicode();
      n += c < 0x80 ? 1 : c < 0x800 ? 2 : QChar::isSurrogate(c) ? 2 : 3;  // a surrogate pair is 4 bytes
    }
    return n;
  };
  const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  qsizetype counted = 0;
  long byte = 0;
  for (qsizetype from = 0;;) {
    const qsizetype at = text.indexOf(needle, from, cs);
    if (at < 0) break;
    const qsizetype end = at + needle.size();
    if (wholeWord && ((at > 0 && isWord(text[at - 1])) || (end < text.size() && isWord(text[end])))) {
      from = at + 1;
      continue;
    }
    byte += utf8Length(counted, at);
    const long start = byte;
    byte += utf8Length(at, end);
    counted = end;
    hits.append({start, byte});
    from = end;
  }
  return hits;
}
}  // namespace

QList<TSynHit> SynFindAll(QsciScintillaBase& editor, const QString& what, bool matchCase, bool wholeWord) {
  if (what.isEmpty()) return {};
  const QByteArray needle = what.toUtf8();
  const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
  const auto* text = reinterpret_cast<const char*>(editor.SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
  const bool ascii = std::all_of(needle.cbegin(), needle.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  return ascii ? FindAscii(text, length, needle, matchCase, wholeWord) : FindUnicode(text, length, what, matchCase, wholeWord);
}

TSynFindBar::TSynFindBar(TSynEdit* editor) : QFrame(editor), FEditor(editor) {
  setFont(QApplication::font());  // not the editor's fixed font
  setAutoFillBackground(true);
  setFrameShape(QFrame::StyledPanel);
  hide();

  auto row = [this](QVBoxLayout* rows, const QString& caption, QLineEdit*& edit) {
    auto* widget = new QWidget(this);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption, widget);
    label->setMinimumWidth(48);
    edit = new QLineEdit(widget);
    label->setBuddy(edit);
    layout->addWidget(label);
    layout->addWidget(edit, 1);
    rows->addWidget(widget);
    return std::pair{widget, layout};
  };
  auto button = [this](QWidget* parent, const QString& text, const QString& tip, auto slot) {
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);  // the focus stays in the fields or the editor
    if (!text.isEmpty()) b->setMinimumWidth(b->fontMetrics().horizontalAdvance(text) + 24);
    connect(b, &QToolButton::clicked, this, slot);
    return b;
  };

  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(4, 3, 4, 3);
  rows->setSpacing(3);
  auto [findRow, findLayout] = row(rows, QStringLiteral("Find:"), FindEdit);
  FFindRow = findRow;
  MatchCase = new QCheckBox(QStringLiteral("Match case"), findRow);
  WholeWord = new QCheckBox(QStringLiteral("Whole word"), findRow);
  Status = new QLabel(findRow);
  Status->setMinimumWidth(70);
  findLayout->addWidget(MatchCase);
  findLayout->addWidget(WholeWord);
  QToolButton* previous = button(findRow, QString(), QStringLiteral("Previous (Shift+F3)"), [this] { FindPrevious(); });
  previous->setArrowType(Qt::UpArrow);
  QToolButton* next = button(findRow, QString(), QStringLiteral("Next (F3)"), [this] { FindNext(); });
  next->setArrowType(Qt::DownArrow);
  findLayout->addWidget(previous);
  findLayout->addWidget(next);
  findLayout->addWidget(Status);
  findLayout->addWidget(button(findRow, QStringLiteral("\u2715"), QStringLiteral("Close (Esc)"), [this] { Close(); }));

  auto [replaceRow, replaceLayout] = row(rows, QStringLiteral("Replace:"), ReplaceEdit);
  FReplaceRow = replaceRow;
  replaceLayout->addWidget(button(replaceRow, QStringLiteral("Replace"), QString(), [this] { Replace(); }));
  replaceLayout->addWidget(button(replaceRow, QStringLiteral("Replace All"), QString(), [this] { ReplaceAll(); }));

  auto [lineRow, lineLayout] = row(rows, QStringLiteral("Line:"), LineEdit);
  FLineRow = lineRow;
  LineEdit->setValidator(new QIntValidator(1, INT_MAX, LineEdit));
  LineStatus = new QLabel(lineRow);
  lineLayout->addWidget(LineStatus, 1);

  FEditor->indicatorDefine(QsciScintilla::StraightBoxIndicator, HitIndicator);
  FEditor->setIndicatorForegroundColor(QColor(0xff, 0xa0, 0x00, 110), HitIndicator);
  FEditor->setIndicatorOutlineColor(QColor(0xe0, 0x80, 0x00), HitIndicator);
  FEditor->SendScintilla(Sci::SCI_INDICSETUNDER, HitIndicator, 1L);

  connect(FindEdit, &QLineEdit::textChanged, this, &TSynFindBar::Mark);
  connect(MatchCase, &QCheckBox::toggled, this, &TSynFindBar::Mark);
  connect(WholeWord, &QCheckBox::toggled, this, &TSynFindBar::Mark);
  // The marks follow the text once an edit is over: the editor must not be searched inside its
  // own change notification, which may be part of a replacement that uses the search target.
  FMarkLater.setSingleShot(true);
  FMarkLater.setInterval(0);
  connect(&FMarkLater, &QTimer::timeout, this, [this] {
    if (isVisible()) Mark();
  });
  connect(FEditor, &QsciScintilla::textChanged, &FMarkLater, qOverload<>(&QTimer::start));
  connect(FEditor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int updated) {
    if (isVisible() && (updated & Sci::SC_UPDATE_V_SCROLL)) MarkVisible();
  });
  // The dialog keys of a form look at the fields first; this filter, installed after them, sees them sooner.
  FEditor->installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TSynFindBar::Open(TMode mode) {
  FMode = mode;
  FFindRow->setVisible(mode != mdGoToLine);
  FReplaceRow->setVisible(mode == mdReplace);
  FLineRow->setVisible(mode == mdGoToLine);
  if (mode == mdGoToLine) {
    LineEdit->setText(QString::number(FEditor->SendScintilla(Sci::SCI_LINEFROMPOSITION,
                                                             FEditor->SendScintilla(Sci::SCI_GETCURRENTPOS)) + 1));
    LineStatus->setText(QStringLiteral("Lines 1 to %1").arg(FEditor->lines()));
  } else if (FEditor->hasSelectedText()) {
    // A selection within one line is what the user wants to find.
    const QString selected = FEditor->selectedText();
    if (!selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r'))) FindEdit->setText(selected);
  }
  show();
  Place();
  QLineEdit* field = mode == mdGoToLine ? LineEdit : FindEdit;
  field->setFocus();
  field->selectAll();
  if (mode != mdGoToLine) Mark();
}

void TSynFindBar::Close() {
  if (!isVisible()) return;
  hide();
  FHits.clear();
  FMarkedFrom = FMarkedTo = 0;
  MarkVisible();
  FEditor->SetTopBarHeight(0);
  FEditor->setFocus();
}

void TSynFindBar::Place() {
  const int height = sizeHint().height();
  FEditor->SetTopBarHeight(height);
  const QRect view = FEditor->viewport()->geometry(), inside = FEditor->contentsRect();
  setGeometry(inside.x(), view.y() - height, inside.width(), height);
  raise();
}

void TSynFindBar::Mark() {
  FMarkLater.stop();
  FHits = SynFindAll(*FEditor, FindEdit->text(), MatchCase->isChecked(), WholeWord->isChecked());
  FMarkedFrom = FMarkedTo = 0;
  MarkVisible();
  const int selected = SelectedHit();
  if (FindEdit->text().isEmpty()) Status->clear();
  else if (FHits.isEmpty()) Status->setText(QStringLiteral("No hits"));
  else if (selected >= 0) Status->setText(QStringLiteral("%1 of %2").arg(selected + 1).arg(FHits.size()));
  else Status->setText(QStringLiteral("%1 hits").arg(FHits.size()));
}

// Only the hits in and near the view carry the indicator; scrolling marks those that come into view.
// Marking all of a long text's hits at once would cost more than finding them.
void TSynFindBar::MarkVisible() {
  const long first = FEditor->SendScintilla(Sci::SCI_DOCLINEFROMVISIBLE, FEditor->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
  const long shown = FEditor->SendScintilla(Sci::SCI_LINESONSCREEN) + 1;
  const long last = std::min(first + 2 * shown, FEditor->SendScintilla(Sci::SCI_GETLINECOUNT) - 1);
  const long from = FEditor->SendScintilla(Sci::SCI_POSITIONFROMLINE, std::max(0L, first - shown));
  const long to = FEditor->SendScintilla(Sci::SCI_GETLINEENDPOSITION, last);
  FEditor->SendScintilla(Sci::SCI_SETINDICATORCURRENT, HitIndicator);
  if (FMarkedTo > FMarkedFrom) FEditor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, FMarkedFrom, FMarkedTo - FMarkedFrom);
  else FEditor->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0, FEditor->SendScintilla(Sci::SCI_GETLENGTH));
  auto hit = std::lower_bound(FHits.cbegin(), FHits.cend(), from, [](const TSynHit& h, long pos) { return h.End <= pos; });
  for (; hit != FHits.cend() && hit->Start < to; ++hit) {
    // Neighbouring hits take turns in the indicator's value, so that each is a box of its own.
    FEditor->SendScintilla(Sci::SCI_SETINDICATORVALUE, static_cast<unsigned long>(1 + (hit - FHits.cbegin()) % 2));
    FEditor->SendScintilla(Sci::SCI_INDICATORFILLRANGE, hit->Start, hit->End - hit->Start);
  }
  FMarkedFrom = from;
  FMarkedTo = std::max(to, from);
}

int TSynFindBar::SelectedHit() const {
  const TSynHit selection{FEditor->SendScintilla(Sci::SCI_GETSELECTIONSTART), FEditor->SendScintilla(Sci::SCI_GETSELECTIONEND)};
  return int(FHits.indexOf(selection));
}

void TSynFindBar::Select(int index) {
  const TSynHit& hit = FHits[index];
  FEditor->SendScintilla(Sci::SCI_SETSEL, hit.Start, hit.End);
  FEditor->SendScintilla(Sci::SCI_SCROLLRANGE, hit.Start, hit.End);
  Status->setText(QStringLiteral("%1 of %2").arg(index + 1).arg(FHits.size()));
}

bool TSynFindBar::FindNext() {
  if (!isVisible()) Open(mdFind);
  if (FHits.isEmpty()) return false;
  const int selected = SelectedHit();
  const long from = selected >= 0 ? FHits[selected].End : FEditor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
  int index = 0;
  while (index < FHits.size() && FHits[index].Start < from) ++index;
  Select(index < FHits.size() ? index : 0);
  return true;
}

bool TSynFindBar::FindPrevious() {
  if (!isVisible()) Open(mdFind);
  if (FHits.isEmpty()) return false;
  const long to = FEditor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
  int index = int(FHits.size()) - 1;
  while (index >= 0 && FHits[index].Start >= to) --index;
  Select(index >= 0 ? index : int(FHits.size()) - 1);
  return true;
}

bool TSynFindBar::Replace() {
  const int selected = SelectedHit();
  if (selected < 0) return FindNext();
  const QByteArray replacement = ReplaceEdit->text().toUtf8();
  const TSynHit hit = FHits[selected];
  FEditor->RunChange([&] {
    FEditor->SendScintilla(Sci::SCI_SETTARGETRANGE, hit.Start, hit.End);
    FEditor->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(replacement.size()), replacement.constData());
  });
  // The text around the replacement may hold hits it did not before; the next one after it is selected.
  FEditor->SendScintilla(Sci::SCI_SETSEL, hit.Start + replacement.size(), hit.Start + replacement.size());
  Mark();
  if (FHits.isEmpty()) return true;
  int index = 0;
  while (index < FHits.size() && FHits[index].Start < hit.Start + replacement.size()) ++index;
  Select(index < FHits.size() ? index : 0);
  return true;
}

int TSynFindBar::ReplaceAll() {
  if (!isVisible()) Open(mdReplace);
  const QList<TSynHit> hits = FHits;
  if (hits.isEmpty()) return 0;
  const QByteArray replacement = ReplaceEdit->text().toUtf8();
  FEditor->RunChange([&] {
    FEditor->beginUndoAction();
    for (auto hit = hits.crbegin(); hit != hits.crend(); ++hit) {
      FEditor->SendScintilla(Sci::SCI_SETTARGETRANGE, hit->Start, hit->End);
      FEditor->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(replacement.size()), replacement.constData());
    }
    FEditor->endUndoAction();
  });
  Mark();
  Status->setText(QStringLiteral("%1 replaced").arg(hits.size()));
  return int(hits.size());
}

bool TSynFindBar::GoToLine() {
  const int lines = FEditor->lines();
  bool ok = false;
  const int line = LineEdit->text().toInt(&ok);
  if (!ok || line < 1 || line > lines) {
    LineStatus->setText(QStringLiteral("No line %1: lines 1 to %2").arg(LineEdit->text()).arg(lines));
    return false;
  }
  FEditor->SendScintilla(Sci::SCI_GOTOLINE, line - 1);
  FEditor->SendScintilla(Sci::SCI_VCHOME);
  Close();
  return true;
}

bool TSynFindBar::HandleKey(QObject* watched, QKeyEvent& key) {
  const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
  const int code = key.key();
  if (mods == Qt::ControlModifier && (code == Qt::Key_F || code == Qt::Key_H || code == Qt::Key_G)) {
    Open(code == Qt::Key_F ? mdFind : code == Qt::Key_H ? mdReplace : mdGoToLine);
    return true;
  }
  if (code == Qt::Key_F3 && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
    if (mods == Qt::ShiftModifier) FindPrevious();
    else FindNext();
    return true;
  }
  if (!isVisible()) return false;
  if (code == Qt::Key_Escape && mods == Qt::NoModifier) {
    // An open completion list or call tip in the editor takes Esc first.
    if (watched == FEditor && (FEditor->isListActive() || FEditor->isCallTipActive())) return false;
    Close();
    return true;
  }
  const bool enter = code == Qt::Key_Return || code == Qt::Key_Enter;
  if (!enter || watched == FEditor || (mods != Qt::NoModifier && mods != Qt::ShiftModifier)) return false;
  if (watched == ReplaceEdit) Replace();
  else if (watched == LineEdit) GoToLine();
  else if (mods == Qt::ShiftModifier) FindPrevious();
  else FindNext();
  return true;
}

bool TSynFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == FEditor && isVisible()) {
    Place();
    MarkVisible();
  }
  if (event->type() != QEvent::KeyPress) return false;
  return HandleKey(watched, *static_cast<QKeyEvent*>(event));
}
