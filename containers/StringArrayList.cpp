#include "StringArrayList.h"

QString TStringArrayList::GetText() const { return GetText(QStringLiteral("\n")); }

QString TStringArrayList::GetText(const QString& separator) const {
  qsizetype length = separator.size() * qMax(FCount - 1, 0);
  for (const QString& line : *this) length += line.size();
  QString text;
  text.reserve(length);
  for (int i = 0; i < FCount; ++i) {
    if (i > 0) text += separator;
    text += FArray[i];
  }
  return text;
}

namespace {
// Calls line(start, length) for every line of `text` split on CR LF, LF or CR; an empty text has none.
template <class F>
void ForEachLine(const QString& text, F&& line) {
  if (text.isEmpty()) return;
  const QChar* const data = text.constData();
  const qsizetype n = text.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = data[i];
    if (c != QLatin1Char('\n') && c != QLatin1Char('\r')) continue;
    line(start, i - start);
    if (c == QLatin1Char('\r') && i + 1 < n && data[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  line(start, n - start);
}
}  // namespace

void TStringArrayList::SetText(const QString& text) {
  DoClear();
  ForEachLine(text, [&](qsizetype start, qsizetype length) { DoAdd(text.mid(start, length), 1); });
}

int TStringArrayList::CountLines(const QString& text) {
  if (text.isEmpty()) return 0;
  // The rule of ForEachLine, counted with the fast character search: an LF ends a line, and so does
  // a CR that no LF follows.
  const QStringView view(text);
  int count = 1;
  for (qsizetype i = view.indexOf(u'\n'); i >= 0; i = view.indexOf(u'\n', i + 1)) ++count;
  for (qsizetype i = view.indexOf(u'\r'); i >= 0; i = view.indexOf(u'\r', i + 1))
    if (i + 1 == view.size() || view[i + 1] != u'\n') ++count;
  return count;
}

IArrayList<QString>& TStringArrayList::Assign(const QStringList& lines) {
  return Assign(std::span<const QString>(lines.constData(), size_t(lines.size())));
}

QStringList TStringArrayList::ToStringList() const { return QStringList(begin(), end()); }
