#include "SynCompletion.h"

#include "SynEdit.h"
#include "runtime/Exceptions.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

// --------------------------------------------------------------------------------------- TSynApiEntry

QString TSynApiEntry::Signature() const {
  QString text = Scope.isEmpty() ? Name : Scope + QLatin1Char('.') + Name;
  if (IsFunction) text += QLatin1Char('(') + Params + QLatin1Char(')');
  return text;
}

// ---------------------------------------------------------------------------------------- TSynApiList

TSynApiList TSynApiList::Parse(const QString& text) {
  static const QRegularExpression entry(
      QStringLiteral(R"(^(?:([A-Za-z_]\w*)\.)?([A-Za-z_]\w*)(?:\(([^()]*)\))?$)"));
  TSynApiList list;
  const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  for (int i = 0; i < lines.size(); ++i) {
    const QString line = lines[i].trimmed();
    if (line.isEmpty()) continue;
    const QRegularExpressionMatch m = entry.match(line);
    if (!m.hasMatch())
      throw Exception(QStringLiteral("Line %1 of the name list is no entry: \"%2\"").arg(i + 1).arg(line));
    TSynApiEntry e;
    e.Scope = m.captured(1);
    e.Name = m.captured(2);
    e.IsFunction = m.capturedStart(3) >= 0;
    e.Params = m.captured(3).simplified();
    // The kind decides only the picture in the list: parentheses make a function, a name without
    // lower-case letters (or true, false) a constant, anything else a type or an object.
    const bool constant = std::none_of(e.Name.begin(), e.Name.end(), [](QChar c) { return c.isLower(); }) ||
                          e.Name == QLatin1String("true") || e.Name == QLatin1String("false");
    e.Kind = e.IsFunction ? TSynApiEntry::Function : constant ? TSynApiEntry::Constant : TSynApiEntry::Type;
    list.Add(e);
  }
  return list;
}

void TSynApiList::Add(const TSynApiEntry& entry) { FEntries.append(entry); }
void TSynApiList::Append(const TSynApiList& other) { FEntries.append(other.FEntries); }

QList<const TSynApiEntry*> TSynApiList::Matching(const QString& scope, const QString& prefix) const {
  QList<const TSynApiEntry*> found;
  for (const TSynApiEntry& e : FEntries)
    if (e.Scope == scope && e.Name.startsWith(prefix, Qt::CaseInsensitive)) found.append(&e);
  return found;
}

QList<const TSynApiEntry*> TSynApiList::Overloads(const QString& scope, const QString& name) const {
  QList<const TSynApiEntry*> found;
  for (const TSynApiEntry& e : FEntries)
    if (e.IsFunction && e.Scope == scope && e.Name == name) found.append(&e);
  return found;
}

QString TSynApiList::TypeOf(const QString& name) const {
  for (const TSynApiEntry& e : FEntries)
    if (e.Scope.isEmpty() && e.Name == name && !e.TypeName.isEmpty()) return e.TypeName;
  return {};
}

bool TSynApiList::HasScope(const QString& scope) const {
  return std::any_of(FEntries.begin(), FEntries.end(), [&](const TSynApiEntry& e) { return e.Scope == scope; });
}

// -------------------------------------------------------------------------------------- TSynCompletion

namespace {
bool IsWordChar(long c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

// A small picture per kind of name, drawn rather than loaded: a letter in a coloured square.
QPixmap KindPicture(const QColor& colour, QChar letter) {
  QPixmap pixmap(14, 14);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(colour);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 3, 3);
  QFont font = p.font();
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 14, 14), Qt::AlignCenter, QString(letter));
  return pixmap;
}
}  // namespace

TSynCompletion::TSynCompletion(TSynEdit* editor, TSynApiList names)
    : QObject(editor), FEditor(editor), FNames(std::move(names)) {
  editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, 1);
  editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETCASEINSENSITIVEBEHAVIOUR,
                        QsciScintillaBase::SC_CASEINSENSITIVEBEHAVIOUR_RESPECTCASE);
  editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETAUTOHIDE, 1);
  editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETORDER, QsciScintillaBase::SC_ORDER_PERFORMSORT);
  editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 10);
  editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPSETFORE, QColor(0x40, 0x40, 0x40));
  editor->SendScintilla(QsciScintillaBase::SCI_CALLTIPSETFOREHLT, QColor(0x00, 0x00, 0xc0));
  // Items hold parameter lists with spaces.
  editor->SendScintilla(QsciScintillaBase::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>('\n'));
  editor->registerImage(TSynApiEntry::Function, KindPicture(QColor(0x6a, 0x3d, 0x9a), QLatin1Char('f')));
  editor->registerImage(TSynApiEntry::Constant, KindPicture(QColor(0x1f, 0x78, 0xb4), QLatin1Char('c')));
  editor->registerImage(TSynApiEntry::Type, KindPicture(QColor(0x33, 0xa0, 0x2c), QLatin1Char('T')));
  editor->registerImage(TSynApiEntry::User, KindPicture(QColor(0xe3, 0x6c, 0x0a), QLatin1Char('u')));
  editor->installEventFilter(this);
  connect(editor, &QsciScintillaBase::SCN_CHARADDED, this, &TSynCompletion::CharAdded);
  connect(editor, qOverload<const char*, int>(&QsciScintillaBase::SCN_AUTOCSELECTION), this, &TSynCompletion::Accepted);
}

TSynApiList TSynCompletion::Names() const {
  if (!FExtraNames) return FNames;
  TSynApiList names = FNames;
  names.Append(FExtraNames());
  return names;
}

void TSynCompletion::WordBefore(long pos, QString& scope, QString& word, long& wordStart) const {
  auto wordBefore = [&](long end) {
    long start = end;
    while (start > 0 && IsWordChar(FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, start - 1))) --start;
    return start;
  };
  auto textOf = [&](long from, long to) {
    QByteArray bytes(int(to - from), '\0');
    for (long i = from; i < to; ++i) bytes[int(i - from)] = char(FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, i));
    return QString::fromLatin1(bytes);
  };
  wordStart = wordBefore(pos);
  word = textOf(wordStart, pos);
  scope.clear();
  if (wordStart > 0 && FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, wordStart - 1) == '.') {
    const long scopeStart = wordBefore(wordStart - 1);
    scope = textOf(scopeStart, wordStart - 1);
  }
}

long TSynCompletion::Caret() const { return FEditor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS); }

bool TSynCompletion::ShowList(bool explicitly) {
  QString scope, word;
  long wordStart = 0;
  WordBefore(Caret(), scope, word, wordStart);
  if (!explicitly && word.size() < FThreshold) return false;
  const TSynApiList names = Names();
  // A variable of a known type offers that type's members.
  if (!scope.isEmpty() && !names.HasScope(scope)) scope = names.TypeOf(scope);
  if (scope.isEmpty() && FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, wordStart - 1) == '.') return false;
  QList<const TSynApiEntry*> matches = names.Matching(scope, word);
  // Nothing left to complete: the word typed is the one name it could become.
  if (matches.isEmpty() || (!explicitly && matches.size() == 1 && matches.front()->Name == word)) {
    if (FEditor->isListActive()) FEditor->cancelList();
    return false;
  }
  // Functions show their parameters, one item per overload.
  QStringList items;
  QSet<QString> seen;
  for (const TSynApiEntry* e : matches) {
    const QString item = e->IsFunction ? e->Name + QLatin1Char('(') + e->Params + QLatin1Char(')') : e->Name;
    if (seen.contains(item)) continue;
    seen.insert(item);
    items << item + QLatin1Char('?') + QString::number(e->Kind);
  }
  const QByteArray list = items.join(QLatin1Char('\n')).toUtf8();
  FEditor->SendScintilla(QsciScintillaBase::SCI_AUTOCSHOW, static_cast<unsigned long>(word.size()), list.constData());
  return FEditor->isListActive();
}

bool TSynCompletion::ShowCallTip() {
  const long caret = FEditor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
  // The "(" just before the caret, spaces between it and the name allowed.
  long open = caret - 1;
  if (open < 0 || FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, open) != '(') return false;
  long end = open;
  while (end > 0 && FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, end - 1) == ' ') --end;
  QString scope, name;
  long nameStart = 0;
  WordBefore(end, scope, name, nameStart);
  if (name.isEmpty()) return false;
  const TSynApiList names = Names();
  if (!scope.isEmpty() && !names.HasScope(scope)) scope = names.TypeOf(scope);
  const QList<const TSynApiEntry*> overloads = names.Overloads(scope, name);
  if (overloads.isEmpty()) return false;
  QStringList tips;
  for (const TSynApiEntry* e : overloads) tips << e->Signature();
  FTip = tips.join(QLatin1Char('\n')).toUtf8();
  FEditor->SendScintilla(QsciScintillaBase::SCI_CALLTIPSHOW, static_cast<unsigned long>(nameStart), FTip.constData());
  FTipStart = open;
  HighlightParameter();
  return true;
}

void TSynCompletion::HighlightParameter() {
  if (FTipStart < 0 || !FEditor->isCallTipActive()) return;
  const long caret = FEditor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
  int depth = 0, parameter = 0;
  for (long i = FTipStart + 1; i < caret; ++i) {
    const long c = FEditor->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, i);
    if (c == '(') ++depth;
    else if (c == ')' && depth-- == 0) {
      // The call is closed: its tip goes.
      FEditor->SendScintilla(QsciScintillaBase::SCI_CALLTIPCANCEL);
      FTipStart = -1;
      return;
    } else if (c == ',' && depth == 0) ++parameter;
  }
  if (caret <= FTipStart) {
    FEditor->SendScintilla(QsciScintillaBase::SCI_CALLTIPCANCEL);
    FTipStart = -1;
    return;
  }
  // Highlight the parameter in the first overload that has that many.
  FEditor->SendScintilla(QsciScintillaBase::SCI_CALLTIPSETHLT, 0, 0L);
  qsizetype lineStart = 0;
  while (lineStart < FTip.size()) {
    qsizetype lineEnd = FTip.indexOf('\n', lineStart);
    if (lineEnd < 0) lineEnd = FTip.size();
    const qsizetype open = FTip.indexOf('(', lineStart), close = FTip.lastIndexOf(')', lineEnd - 1);
    qsizetype from = open + 1;
    for (int i = 0; i < parameter && from > 0; ++i) {
      from = FTip.indexOf(',', from) + 1;
      if (from <= 0 || from > close) from = -1;
    }
    if (open >= 0 && open < lineEnd && from > 0 && from < close) {
      qsizetype to = FTip.indexOf(',', from);
      if (to < 0 || to > close) to = close;
      while (from < to && FTip[from] == ' ') ++from;
      FEditor->SendScintilla(QsciScintillaBase::SCI_CALLTIPSETHLT, static_cast<unsigned long>(from), static_cast<long>(to));
      return;
    }
    lineStart = lineEnd + 1;
  }
}

void TSynCompletion::Accepted(const char* selection, int position) {
  // The list's item carries the parameters; the text gets the name, and a function its "(" and tip.
  const QString item = QString::fromUtf8(selection);
  const qsizetype paren = item.indexOf(QLatin1Char('('));
  const QByteArray insert = (paren < 0 ? item : item.left(paren + 1)).toUtf8();
  FEditor->SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
  FEditor->RunChange([&] {
    const long caret = FEditor->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    FEditor->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, static_cast<unsigned long>(position), caret);
    FEditor->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(insert.size()), insert.constData());
    FEditor->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(position + insert.size()));
  });
  if (paren >= 0) ShowCallTip();
}

void TSynCompletion::CharAdded(int ch) {
  if (ch == '(') {
    ShowCallTip();
    return;
  }
  if (FTipStart >= 0) HighlightParameter();
  if (!IsWordChar(ch)) return;
  if (FEditor->isListActive()) {
    QString scope, word;
    long start = 0;
    WordBefore(Caret(), scope, word, start);
    const TSynApiList names = Names();
    if (!scope.isEmpty() && !names.HasScope(scope)) scope = names.TypeOf(scope);
    const QList<const TSynApiEntry*> matches = names.Matching(scope, word);
    if (matches.isEmpty() || (matches.size() == 1 && matches.front()->Name == word)) FEditor->cancelList();
    return;
  }
  if (FThreshold > 0) ShowList(false);
}

bool TSynCompletion::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FEditor || event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
  if (key->key() == Qt::Key_Space && mods == Qt::ControlModifier) {
    ShowList(true);
    return true;
  }
  // Tab takes the chosen name even where Tab would otherwise move the focus.
  if (key->key() == Qt::Key_Tab && mods == Qt::NoModifier && FEditor->isListActive()) {
    FEditor->RunChange([this] { FEditor->SendScintilla(QsciScintillaBase::SCI_AUTOCCOMPLETE); });
    return true;
  }
  return false;
}
